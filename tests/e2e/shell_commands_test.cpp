// vim with the shipped profile running commands and editing text in several
// scripts, and an editor writing past the last column, in the whole program:
// each screen is held against tmux running the same at the same size.
#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "terminal/composition.h"
#include "tests/support/read_file.h"
#include "tests/support/sandbox.h"
#include "tests/support/snapshot_text.h"
#include "tests/support/tarn_process.h"
#include "tests/support/terminal_cell.h"
#include "tests/support/tmux_screen.h"

namespace {

// The default 600 x 800 screen above the shipped keyboard (240 pixel rows
// and the 2-pixel separator), at the default font size.
constexpr int keyboard_top = 800 - 242;
int const columns = (600 - 20) / terminal_cell(24).width;
int const rows = (keyboard_top - 10) / terminal_cell(24).height;


// One thing the user does: the taps in Tarn, and the same keys in tmux.
struct Step {
    std::string tarn_events;
    std::vector<std::string> tmux_keys;
};

struct Case {
    char const* name;
    std::string vim_arguments;
    std::vector<Step> steps;
    std::string file = "first line of the sample\nsecond line\n";
};

// Regression for the last case: wide characters took one cell and
// combining marks a cell of their own, so vim's rows came out squeezed or
// pushed right, and edits left stale characters behind.
std::string const scripts_file = "日本語のテキスト ascii tail\n中文文本 and more\n한국어 텍스트 here\n"
                                 "café cafe\u0301 naïve\nplain ascii line\n";

std::vector<Case> const cases = {
    {"OutputLinesStartAtTheLeftMargin", "-c '!ls -la /usr/bin | head -40'", {}},
    {"LongOutputLinesWrapWithNothingLost", "-c '!seq -s , 1 40; seq -s . 1 30'", {}},
    {"CommandOutputReadIntoTheFile", "-c 'r !printf \"one\\ttwo\\nthree\\n\"'", {}},
    {"ShellShowsItsPromptAndEchoThenReturns",
     "-c sh",
     {{"type echo hello\ntapkey Enter\n", {"=echo hello", "Enter"}}, {"type exit\ntapkey Enter\n", {"=exit", "Enter"}}}},
    {"WideAndCombiningCharactersEditedInPlace",
     "",
     {{"type x\n", {"=x"}},
      {"type j$x\n", {"=j$x"}},
      {"type jj0eex\n", {"=jj0eex"}},
      {"type kx\n", {"=kx"}},
      {"type dd\n", {"=dd"}},
      {"type kJ\n", {"=kJ"}},
      {"type /ascii\ntapkey Enter\n", {"=/ascii", "Enter"}}},
     scripts_file},
};

void PrintTo(Case const& c, std::ostream* out) { *out << c.name; }

// tmux keeps the marks vim wrote; Tarn draws each letter composed with its
// marks where Unicode composes them, and the text on its screen says so.
std::vector<std::string> composed_as_drawn(std::vector<std::string> rows)
{
    static locale_t const utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    locale_t const previous = uselocale(utf8);
    for (std::string& row : rows) {
        std::wstring written(row.size(), L'\0');
        std::size_t const length = std::mbstowcs(written.data(), row.c_str(), written.size());
        if (length == static_cast<std::size_t>(-1))
            continue;
        written.resize(length);
        std::wstring drawn, rest;
        for (std::size_t i = 0, end = 0; i < written.size(); i = end) {
            for (end = i + 1; end < written.size() && wcwidth(written[end]) == 0;)
                ++end;
            drawn += compose(written[i], written.substr(i + 1, end - i - 1), rest) + rest;
        }
        row.assign(drawn.size() * MB_LEN_MAX, '\0');
        row.resize(std::wcstombs(row.data(), drawn.c_str(), row.size()));
    }
    uselocale(previous);
    return rows;
}

class Shell_Commands : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        unsetenv("TARN_ROOT");
        // What Tarn gives its child, given to vim in tmux too.
        setenv("LANG", "en_US.utf8", 1);
        setenv("VIM", paths::vim_etc().c_str(), 1);
        setenv("VIMRUNTIME", paths::vim_runtime().c_str(), 1);
        setenv("SHELL", "/bin/bash", 1);
    }

    std::vector<std::string> tarn_screen(int step) const
    {
        Snapshot const shot = read_snapshot(scratch.path("out/" + std::to_string(step) + ".txt"));
        Terminal_Cell const cell = terminal_cell(24);
        return trimmed_rows(terminal_rows(shot, cell.width, cell.height, keyboard_top));
    }

    Sandbox scratch;  // only a scratch folder: the program uses the build's own sandbox
};

}

TEST_P(Shell_Commands, ScreenIsTheSameAsInTmux)
{
    Case const& c = GetParam();
    scratch.write_file("sample.txt", c.file);
    std::string events = "settle 600 10000\nsnapshot 0\n";
    for (std::size_t i = 0; i < c.steps.size(); ++i)
        events += c.steps[i].tarn_events + "settle 600 10000\nsnapshot " + std::to_string(i + 1) + "\n";
    scratch.write_file("events", events + "quit\n");
    // No viminfo: a position remembered by the first run would move the second.
    std::string const arguments = "-i NONE " + c.vim_arguments + " sample.txt";
    int const status = run_tarn(scratch.root(), arguments, 120);
    EXPECT_EQ(status, 0) << read_file(scratch.path("errors"));

    // Tarn's vim, told to hang up, kept its swap file for the changes made.
    std::remove(scratch.path(".sample.txt.swp").c_str());
    // The shell that vim's profile signals as its parent ignores it here.
    scratch.write_file("vim.sh", "trap '' USR2\nvim " + arguments + "\n:\n");
    Tmux_Session tmux(scratch.root(), "HOME=" + scratch.root() + " TERM=vt102 sh vim.sh", columns, rows);
    EXPECT_EQ(tarn_screen(0), composed_as_drawn(tmux.screen())) << "after start";
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        tmux.send(c.steps[i].tmux_keys);
        EXPECT_EQ(tarn_screen(static_cast<int>(i) + 1), composed_as_drawn(tmux.screen())) << "after step " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Vim, Shell_Commands, ::testing::ValuesIn(cases),
                         [](::testing::TestParamInfo<Case> const& info) { return info.param.name; });

TEST(Editor_Output, TextPastTheLastColumnWrapsAsInTmux)
{
    // Regression: the screen cut every line at the last column.
    Sandbox root;
    std::string const editor =
        root.write_script("editor.sh", "printf '%s' \"$(seq -s '' 1 110)\" | head -c 200\nsleep 30\n");
    root.write_config("editor: " + editor + "\nkeyboard_file:\n");
    root.write_file("events", "settle 400 5000\nsnapshot 0\nquit\n");
    EXPECT_EQ(run_tarn(root.root(), "", 60), 0) << read_file(root.path("errors"));
    Terminal_Cell const cell = terminal_cell(24);
    auto const shown = trimmed_rows(
        terminal_rows(read_snapshot(root.path("out/0.txt")), cell.width, cell.height, keyboard_top));

    Tmux_Session tmux(root.root(), editor, columns, rows);
    EXPECT_EQ(shown, tmux.screen());
    ASSERT_EQ(shown.size(), 5u);
}

TEST(Exit, UnsavedChangesAreKeptInTheSwapFileAndNoVimIsLeftRunning)
{
    // Regression: "Exit" ended the program at once and left vim running, so a
    // restart warned that the swap file's owner was "STILL RUNNING".
    Sandbox scratch;
    unsetenv("TARN_ROOT");
    scratch.write_file("sample.txt", "the sample\n");
    scratch.write_file("events", "settle 600 10000\ntype ochanged\ntapkey Esc\nsettle\n"
                                 "press 300 300\nlong 300 300\nmenu 3\nwait 5000\n");
    EXPECT_EQ(run_tarn(scratch.root(), "sample.txt", 60), 0);
    EXPECT_NE(read_file(scratch.path(".sample.txt.swp")), "") << "vim kept no swap file";

    scratch.write_file("events", "settle 600 10000\nsnapshot again\nquit\n");
    EXPECT_EQ(run_tarn(scratch.root(), "sample.txt", 60), 0);
    Terminal_Cell const cell = terminal_cell(24);
    std::string shown;
    for (std::string const& row :
         terminal_rows(read_snapshot(scratch.path("out/again.txt")), cell.width, cell.height, keyboard_top))
        shown += row;
    EXPECT_NE(shown.find("process ID:"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("STILL RUNNING"), std::string::npos) << shown;
}
