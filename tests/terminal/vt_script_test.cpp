// Runs the interpreter scripts in scripts/*.vt: bytes in as the child's
// output, then the expected rows, attributes, cursor, scroll region, pending
// input and refreshed area. Each file is one test; a new case is a few lines.

// The script language, one command a line:
//   # comment             screen CxR          build a fresh grid of C x R cells
//   in "bytes"            one output cycle; escapes \e \n \r \t \a \b \\ \" \xNN
//   row N "text"          row N as text (ESC as \e, other controls \xNN), trailing blanks cut
//   attrs N "..1.7"       attribute byte per cell as a digit, '.' for 0, trailing '.' cut
//   cursor C R            region T B           pending "bytes"
//   refresh C0 R0 C1 R1   the cycle refreshed exactly these cells (inclusive); refresh none; refresh full
//   flashes N             the bell flashed N times in the cycle
//   sent "bytes"          the replies to the child since the last check
//   reversed 0|1          the whole screen is shown in reverse (DECSCNM)
//   keys CKM LNM          the cursor key and new line modes the keyboard follows
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/host.h"
#include "tests/support/fake_messenger.h"
#include "tests/terminal/terminal_fixture.h"

namespace terminal_test {
namespace {

std::filesystem::path const script_dir = std::filesystem::path(TARN_SOURCE_DIR) / "tests/terminal/scripts";

std::vector<std::string> script_names()
{
    std::vector<std::string> names;
    for (auto const& entry : std::filesystem::directory_iterator(script_dir))
        if (entry.path().extension() == ".vt")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    throw std::runtime_error(std::string("bad hex digit '") + c + "'");
}

// A double-quoted string with C-like escapes, read from in.
std::string quoted(std::istream& in)
{
    char c = 0;
    if (!(in >> c) || c != '"')
        throw std::runtime_error("expected a quoted string");
    std::string text;
    while (in.get(c) && c != '"') {
        if (c != '\\') {
            text += c;
            continue;
        }
        if (!in.get(c))
            break;
        switch (c) {
        case 'e': text += '\x1b'; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        case 't': text += '\t'; break;
        case 'a': text += '\a'; break;
        case 'b': text += '\b'; break;
        case 'x': {
            char high = 0;
            char low = 0;
            in.get(high);
            in.get(low);
            text += static_cast<char>(hex_value(high) * 16 + hex_value(low));
            break;
        }
        default: text += c; break;
        }
    }
    if (c != '"')
        throw std::runtime_error("unterminated string");
    return text;
}

int number(std::istream& in)
{
    int value = 0;
    if (!(in >> value))
        throw std::runtime_error("expected a number");
    return value;
}

class Vt102 : public Terminal, public ::testing::WithParamInterface<std::string> {
protected:
    void run(std::string const& command, std::istream& args);
    void expect(bool ok, std::string const& what);

    std::string where;
};

void Vt102::expect(bool ok, std::string const& what)
{
    if (!ok)
        ADD_FAILURE() << where << ": " << what << "\n" << (display ? dump() : std::string("(no screen)"));
}

void Vt102::run(std::string const& command, std::istream& args)
{
    if (command == "screen") {
        int columns = 0;
        int rows = 0;
        char by = 0;
        args >> columns >> by >> rows;
        if (!args || by != 'x')
            throw std::runtime_error("expected CxR");
        open_grid(columns, rows);
        if (display->column_count() != columns || display->row_count() != rows)
            throw std::runtime_error("the grid did not come out at the size asked");
        return;
    }
    if (!display)
        throw std::runtime_error("no screen yet");
    if (command == "in") {
        feed(quoted(args));
    } else if (command == "row") {
        int const r = number(args);
        std::string const want = show_controls(quoted(args));
        std::string const got = row(r);
        expect(got == want, "row " + std::to_string(r) + " is \"" + got + "\", expected \"" + want + "\"");
    } else if (command == "attrs") {
        int const r = number(args);
        std::string const want = quoted(args);
        std::string const got = attributes(r);
        expect(got == want, "attrs " + std::to_string(r) + " are \"" + got + "\", expected \"" + want + "\"");
    } else if (command == "cursor") {
        int const c = number(args);
        int const r = number(args);
        auto const got = cursor();
        expect(got == std::make_pair(c, r), "cursor is " + std::to_string(got.first) + " " +
                                                std::to_string(got.second) + ", expected " +
                                                std::to_string(c) + " " + std::to_string(r));
    } else if (command == "region") {
        int const t = number(args);
        int const b = number(args);
        int top = 0;
        int bottom = 0;
        display->scroll_region(top, bottom);
        expect(top == t && bottom == b, "region is " + std::to_string(top) + " " + std::to_string(bottom));
    } else if (command == "pending") {
        std::string const want = quoted(args);
        expect(fake::log().text == want, "pending is \"" + show_controls(fake::log().text) + "\"");
    } else if (command == "refresh") {
        auto const& updates = host::updates();
        std::string word;
        args >> word;
        if (word == "none") {
            expect(updates.empty(), "the cycle refreshed " + std::to_string(updates.size()) + " areas");
            return;
        }
        if (word == "full") {
            // The recording Messenger's full refresh is the platform's SoftUpdate.
            expect(updates.size() == 1 && updates.back().kind != host::Update::partial, "no single full refresh");
            expect(host::stale_pixels() == 0, "the panel differs from the buffer after the cycle");
            return;
        }
        std::istringstream corners(word + " " + std::string(std::istreambuf_iterator<char>(args), {}));
        int const c0 = number(corners);
        int const r0 = number(corners);
        int const c1 = number(corners);
        int const r1 = number(corners);
        Rect const want = cells(c0, r0, c1 - c0 + 1, r1 - r0 + 1);
        bool const ok = !updates.empty() && updates.back().area == want;
        Rect const got = updates.empty() ? Rect{} : updates.back().area;
        expect(ok, "refreshed (" + std::to_string(got.x) + "," + std::to_string(got.y) + " " +
                       std::to_string(got.width) + "x" + std::to_string(got.height) + "), expected (" +
                       std::to_string(want.x) + "," + std::to_string(want.y) + " " +
                       std::to_string(want.width) + "x" + std::to_string(want.height) + ")");
        expect(host::stale_pixels() == 0, "the panel differs from the buffer after the cycle");
    } else if (command == "flashes") {
        int const want = number(args);
        Rect const band{0, host::height() - 30, host::width(), 30};
        int updates = 0;
        for (auto const& u : host::updates())
            updates += u.area == band ? 1 : 0;
        expect(updates == 2 * want, "the bell band was refreshed " + std::to_string(updates) + " times");
    } else if (command == "sent") {
        std::string const want = quoted(args);
        expect(fake::log().replies == want, "sent \"" + show_controls(fake::log().replies) + "\"");
        fake::log().replies.clear();
    } else if (command == "reversed") {
        bool const want = number(args) != 0;
        expect(display->screen_reversed() == want, "the screen is " + std::string(want ? "not " : "") + "reversed");
    } else if (command == "keys") {
        int const cursor_keys = number(args);
        int const new_line = number(args);
        Terminal_Modes const& modes = display->terminal_modes();
        expect(modes.cursor_keys_application == (cursor_keys != 0) && modes.new_line == (new_line != 0),
               "key modes are " + std::to_string(modes.cursor_keys_application) + " " +
                   std::to_string(modes.new_line));
    } else {
        throw std::runtime_error("unknown command '" + command + "'");
    }
}

TEST_P(Vt102, Script)
{
    std::string const name = GetParam() + ".vt";
    std::ifstream file(script_dir / name);
    ASSERT_TRUE(file) << "cannot read " << name;
    std::string line;
    std::string case_name;
    for (int number = 1; std::getline(file, line); ++number) {
        std::istringstream in(line);
        std::string command;
        if (!(in >> command))
            continue;
        if (command[0] == '#') {
            case_name = line;
            continue;
        }
        where = name + ":" + std::to_string(number) + " (" + case_name + ")";
        try {
            run(command, in);
        } catch (std::exception const& e) {
            FAIL() << where << ": " << e.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, Vt102, ::testing::ValuesIn(script_names()),
                         [](::testing::TestParamInfo<std::string> const& info) { return info.param; });

}
}
