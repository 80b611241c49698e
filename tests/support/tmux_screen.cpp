// Driving tmux through its command line on a server of the test's own, so
// that tests running side by side never share a session.
#include "tests/support/tmux_screen.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace {

std::string quoted(std::string const& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string output_of(std::string const& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

// capture-pane -e marks the cells drawn in the DEC special graphics set with
// SO and SI around their ASCII bytes, and gives the attributes as SGR: the
// text is what a terminal showing those cells in Unicode reads.
std::string shown_as_text(std::string const& captured)
{
    static char const* const graphics[] = {"\u00a0", "◆", "▒", "␉", "␌", "␍", "␊", "°", "±", "␤", "␋",
                                           "┘",      "┐", "┌", "└", "┼", "⎺", "⎻", "─", "⎼", "⎽", "├",
                                           "┤",      "┴", "┬", "│", "≤", "≥", "π", "≠", "£", "·"};
    std::string text;
    bool special = false;
    for (std::size_t i = 0; i < captured.size(); ++i) {
        char const c = captured[i];
        if (c == '\x0e' || c == '\x0f') {
            special = c == '\x0e';
        } else if (c == '\x1b' && i + 1 < captured.size() && captured[i + 1] == '[') {
            i = captured.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", i + 2);
            if (i == std::string::npos)
                break;
        } else if (special && c >= 0x5F && c <= 0x7E) {
            text += graphics[c - 0x5F];
        } else {
            text += c;
        }
    }
    return text;
}

std::vector<std::string> lines_of(std::string const& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}

Tmux_Session::Tmux_Session(std::string const& folder, std::string const& command, int columns, int rows)
    : socket("tarn-test-" + std::to_string(getpid())), config(folder + "/tmux.conf")
{
    // No status line: the whole window is the program's screen.
    std::ofstream(config) << "set -g status off\n";
    std::system((tmux() + " new-session -d -s tarn -c " + quoted(folder) + " -x " + std::to_string(columns) +
                 " -y " + std::to_string(rows) + " " + quoted(command))
                    .c_str());
}

Tmux_Session::~Tmux_Session() { std::system((tmux() + " kill-server 2>/dev/null").c_str()); }

std::string Tmux_Session::tmux() const { return "tmux -L " + socket + " -f " + quoted(config); }

std::string Tmux_Session::capture() const
{
    return shown_as_text(output_of(tmux() + " capture-pane -e -p -t tarn 2>/dev/null"));
}

void Tmux_Session::send(std::vector<std::string> const& keys)
{
    for (std::string const& key : keys) {
        bool const literal = !key.empty() && key[0] == '=';
        std::system((tmux() + " send-keys -t tarn " + (literal ? "-l " + quoted(key.substr(1)) : quoted(key))).c_str());
        screen();
    }
}

// Until the screen has not changed for 600 ms, at most 10 s.
std::vector<std::string> Tmux_Session::screen() const
{
    using clock = std::chrono::steady_clock;
    auto const limit = clock::now() + std::chrono::seconds(10);
    auto still_since = clock::now();
    std::string last = capture();
    while (clock::now() < limit && clock::now() - still_since < std::chrono::milliseconds(600)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::string const now = capture();
        if (now != last) {
            last = now;
            still_since = clock::now();
        }
    }
    return trimmed_rows(lines_of(last));
}

std::vector<std::string> trimmed_rows(std::vector<std::string> rows)
{
    for (std::string& row : rows)
        row.erase(row.find_last_not_of(' ') + 1);
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
    return rows;
}
