// The keystrokes: text typed in a new line, cursor motions, lines opened,
// deleted, put and undone, scrolling by page and by line, and searches. Each
// is followed by a settle long enough for vim's echo to reach the panel and
// the panel to finish; at the end vim idles. The device tree beside them holds the configuration.
#include "bench/session_plan.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/paths.h"

namespace bench {

namespace {

void add_text(std::vector<Keystroke>& plan, std::string const& group, std::string const& text, bool typed = false)
{
    for (char c : text)
        plan.push_back({group, std::string("type ") + c, typed});
}

void add_key(std::vector<Keystroke>& plan, std::string const& group, std::string const& label)
{
    plan.push_back({group, "tapkey " + label});
}

// Ctrl and a letter; Ctrl-M stands for Enter, whose key shows an icon.
void add_ctrl(std::vector<Keystroke>& plan, std::string const& group, char key)
{
    add_key(plan, group, "Ctrl");
    add_text(plan, group, std::string(1, key));
}

}

std::vector<Keystroke> session_plan()
{
    std::vector<Keystroke> plan;
    add_text(plan, "lines", "o");
    // Typing: new lines of words (the space key has no label to tap), each
    // shorter than the grid, since vim shifts the rows below a wrapping line.
    for (char const* text : {"the-quick-brown-fox-jumps-over", "the-lazy-dog.-pack-my-box", "with-five-dozen-liquor-jugs,",
                             "sphinx-of-black-quartz,", "judge-my-vow."}) {
        add_text(plan, "typing", text, true);
        add_ctrl(plan, "typing", 'm');
    }
    add_key(plan, "typing", "Esc");
    // Cursor: up, down, left, right, by words, line start.
    add_text(plan, "cursor", "kkjjjhhhhhlllllwwwwwbbbbb0jjjjkk");
    // Lines: opened and left, deleted, put back, undone.
    for (int i = 0; i < 4; ++i) {
        add_text(plan, "lines", "o");
        add_key(plan, "lines", "Esc");
        add_text(plan, "lines", "ddpu");
    }
    // Scrolling: by pages, then by single lines at both ends of the window.
    for (char key : {'f', 'f', 'f', 'b', 'b', 'd', 'u'})
        add_ctrl(plan, "scrolling", key);
    for (int i = 0; i < 6; ++i)
        add_ctrl(plan, "scrolling", 'e');
    for (int i = 0; i < 6; ++i)
        add_ctrl(plan, "scrolling", 'y');
    // Search: a pattern typed on the command line, then the next matches.
    for (char const* pattern : {"fox", "lazy", "jugs"}) {
        add_text(plan, "search", std::string("/") + pattern);
        add_ctrl(plan, "search", 'm');
        add_text(plan, "search", "nnn");
    }
    return plan;
}

void remove_swap_file(std::string const& dir) { std::remove((dir + "/.sample.txt.swp").c_str()); }

void use_device_tree(std::string const& dir, std::string const& configuration)
{
    namespace fs = std::filesystem;
    fs::path const build_tree = paths::root();
    fs::path const root = fs::absolute(dir) / "root";
    fs::create_directories(root / "system/config");
    for (char const* shared : {"system/bin", "system/share"}) {
        fs::remove(root / shared);
        fs::create_directory_symlink(build_tree / shared, root / shared);
    }
    std::ofstream config(root / "system/config/tarn.cfg");
    config << configuration;
    if (!config)
        throw std::runtime_error("cannot write the configuration into " + root.string());
    setenv("TARN_ROOT", root.c_str(), 1);
}

std::pair<std::string, std::string> write_session(std::string const& dir, std::vector<Keystroke> const& plan)
{
    std::string const events = dir + "/session.events";
    std::string const sample = dir + "/sample.txt";
    remove_swap_file(dir);
    std::ofstream text(sample);
    char const* const words[] = {"the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "pack", "my",
                                 "box", "with", "five", "dozen", "liquor", "jugs"};
    for (int line = 0; line < 400; ++line) {
        for (int w = 0; w < 5 + line % 4; ++w)
            text << (w ? " " : "") << words[(line * 7 + w * 3) % 16];
        text << '\n';
    }
    std::ofstream script(events);
    // vim's first screen, then the keyboard's keys are on the text layer.
    script << "settle 500 10000\n";
    // Half a second of quiet: more than a reader's panel takes for a grey
    // update, so that no keystroke's figures wait for the one before's.
    for (Keystroke const& k : plan)
        script << k.command << "\nsettle 500 3000\n";
    script << "wait " << idle_ms << "\nquit\n";
    if (!text || !script)
        throw std::runtime_error("cannot write the session into " + dir);
    return {events, sample};
}

}
