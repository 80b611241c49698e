// Properties of the whole screen that hold for any output: the result does not
// depend on how the output was cut into cycles; after every cycle the panel
// shows the buffer and the refresh is no larger than what changed; and the
// pixels are what redrawing every row from its cells gives.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

#include "host/host.h"
#include "platform/inkview.h"
#include "tests/support/fake_messenger.h"
#include "tests/terminal/terminal_fixture.h"

namespace terminal_test {
namespace {

// Everything a cycle can leave behind.
struct Outcome {
    std::vector<std::string> rows;
    std::vector<std::string> attributes;
    std::pair<int, int> cursor;
    std::pair<int, int> region;
    std::string pending;
    std::vector<unsigned char> pixels;

    bool operator==(Outcome const& o) const
    {
        return rows == o.rows && attributes == o.attributes && cursor == o.cursor && region == o.region &&
               pending == o.pending && pixels == o.pixels;
    }
};

std::string recording()
{
    std::ifstream in(std::string(TARN_TEST_DATA) + "/vim_session.raw", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Streams that touch every kind of unit, with cuts in the middle of each.
std::vector<std::string> const examples = {
    "abc\r\ndef\bX\x07\x0e\x0f\x7f\t",
    "\e[10;5Hhello\e[3A\e[2B\e[4C\e[2D\e[A\e[B\e[C\e[D!\e[H*",
    "one\r\ntwo\r\nthree\r\nfour\e[2;1H\e[K\e[1K\e[2K\e[J\e[0J\e[2J\e[0K",
    "\e[1mbold\e[4mboth\e[7mall\e[0mnone\e[7mrev\e[m\e[3m\e[0;1m",
    "a\r\nb\r\nc\r\nd\r\ne\r\nf\e[2;4r\e[2;1H\e[L\e[M\e[3M\e[2P\e[P\n\n\n\n\e[1;6r",
    "\e7\e[5;5Hsaved\e8back\e[12;12H\e[99;99H",
    "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\x80\xc3" "A\xe2" "AB\xf8\xc0\x80|",
    "\xe6\x97\xa5\xe6\x9c\xac\xcc\x81\xe8\xaa\x9e" "e\xcc\x81\e[4h\xe4\xb8\xad\e[4l\e[2P\r\e[3C\e[K\e[1K"
    "0123456789012345678\xe6\x97\xa5\xcc\x81",
    "0123456789abcdefghijKLMNO\tp\e[?7lqrstuvwxyz0123456789\e[?7h\e[?2004h\r\t\t\tend",
    "\eM\e\e[1m\e[?1h\e[5h\e[4l\e[5H\e[1;2;3H\e[2147483648A\e[1;x\e[;5H\e[2; 3H\e[3;-1H",
    "\e(0lqk\x0e\e)0xq\x0f\e(Bab\e]0;title\a\ePq\e\\x\e]2;y\e\\z\e[1\x18\e[2\e[3Cw",
    "r1\r\nr2\r\nr3\e[2;4r\e[?6h\e[2;2Hin\e[?6l\eM\eD\eE\e[2@\e[3X\e[1J\e#8\e[r\e7\e[5;5H\e8",
    "\e[3g\eH\tq\e[g\t\e[0;1;4;5;7mA\e[22;24;25;27mB\e[c\e[6n\e[5n\e[x\x05\e[?7l0123456789012345678901",
};

class Screen_Properties : public Terminal {
protected:
    Outcome outcome() const;
    // The outcome of the stream fed in the pieces that start at the cuts.
    Outcome run(std::string const& stream, std::vector<std::size_t> const& cuts);
    void expect_chunk_invariance(std::string const& stream, bool every_split);
    Rect cursor_cell() const;
    void expect_pixels_match_model(std::string const& when);
};

Outcome Screen_Properties::outcome() const
{
    Outcome o;
    o.rows = rows();
    for (int r = 0; r < display->row_count(); ++r)
        o.attributes.push_back(attributes(r));
    o.cursor = cursor();
    display->scroll_region(o.region.first, o.region.second);
    o.pending = fake::log().text;
    o.pixels = host::buffer();
    return o;
}

Outcome Screen_Properties::run(std::string const& stream, std::vector<std::size_t> const& cuts)
{
    open_grid(20, 12);
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        feed(stream.substr(from, cut - from));
        from = cut;
    }
    feed(stream.substr(from));
    return outcome();
}

void Screen_Properties::expect_chunk_invariance(std::string const& stream, bool every_split)
{
    Outcome const whole = run(stream, {});
    std::vector<std::size_t> every_byte;
    for (std::size_t i = 1; i < stream.size(); ++i)
        every_byte.push_back(i);
    EXPECT_TRUE(run(stream, every_byte) == whole) << "byte by byte: " << show_controls(stream);

    if (every_split) {
        for (std::size_t i = 1; i < stream.size(); ++i)
            EXPECT_TRUE(run(stream, {i}) == whole) << "cut at " << i << ": " << show_controls(stream);
    }

    std::mt19937 random(20240611);
    for (int round = 0; round < 5; ++round) {
        std::vector<std::size_t> cuts;
        for (std::size_t at = 0;;) {
            at += std::uniform_int_distribution<std::size_t>(1, 40)(random);
            if (at >= stream.size())
                break;
            cuts.push_back(at);
        }
        EXPECT_TRUE(run(stream, cuts) == whole) << "random cuts, round " << round;
    }
}

TEST_F(Screen_Properties, CuttingTheOutputAnywhereGivesTheSameScreen)
{
    for (std::string const& stream : examples)
        expect_chunk_invariance(stream, true);
}

TEST_F(Screen_Properties, CuttingRecordedEditorOutputGivesTheSameScreen)
{
    std::string const session = recording();
    ASSERT_GT(session.size(), 5000u);
    expect_chunk_invariance(session, false);
}

// Random output from a fixed vocabulary of units, optionally with malformed
// and non-ASCII ones. No italic: its glyphs lean out of their cells, and
// cells are painted, refreshed and compared as whole cells.
class Stream_Maker {
public:
    Stream_Maker(unsigned seed, bool odd_units) : random(seed), odd_units(odd_units) {}

    std::string unit()
    {
        switch (pick(0, odd_units ? 13 : 11)) {
        case 0: case 1: case 2: {
            std::string word;
            // Now and then longer than a row, so that it wraps.
            for (int n = pick(0, 5) ? pick(1, 8) : pick(9, 30); n > 0; --n)
                word += static_cast<char>(pick(0x21, 0x7E));
            return word;
        }
        case 3: return pick(0, 1) ? "\r\n" : "\n";
        case 4: return std::string(1, "\r\b\x0e\x0f \t"[pick(0, 5)]);
        case 5: return "\e[" + number(14) + ";" + number(22) + "H";
        case 6: return "\e[" + std::string(pick(0, 1) ? number(5) : "") + "ABCD"[pick(0, 3)];
        case 7: return std::string("\e[") + (pick(0, 1) ? "" : "0") + "JK"[pick(0, 1)];
        case 8: return std::string("\e[") + (pick(0, 2) == 0 ? "2J" : pick(0, 1) ? "1K" : "2K");
        case 9: {
            static char const* const edits[] = {"\e[L", "\e[M", "\e[P"};
            return pick(0, 1) ? edits[pick(0, 2)] : "\e[" + number(4) + "MP"[pick(0, 1)];
        }
        case 10: {
            static char const* const modes[] = {"\e[m", "\e[0m", "\e[1m", "\e[7m"};
            return modes[pick(0, 3)];
        }
        case 11: return pick(0, 2) ? "\e[" + number(6) + ";" + number(13) + "r" : std::string(pick(0, 1) ? "\e7" : "\e8");
        case 12: {
            static char const* const odd[] = {
                "\e[?25h", "\eM",       "\e[5h",    "\xc3\xa9", "\x80",   "\xe2\x82\xac", "\a",    "\e[3m",
                "\e[?7l",  "\e[?7h",    "\e[4h",    "\e[4l",   "\xcc\x81", "\xe6\x97\xa5",  "\e(0",  "\e(B",
                "\x0e",    "\x0f",      "\e)0",     "\eD",     "\eE",    "\e[2@",        "\e[3X", "\e[1J",
                "\e[?6h",  "\e[?6l",    "\e]0;x\a", "\e#8",    "\eH",    "\e[3g",        "\e[5m", "\e[0;7;22m"};
            return odd[pick(0, static_cast<int>(std::size(odd)) - 1)];
        }
        default: return std::string(1, static_cast<char>(pick(0x80, 0xFF)));
        }
    }

    std::string stream(int units)
    {
        std::string all;
        while (units-- > 0)
            all += unit();
        return all;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

private:
    std::string number(int high) { return std::to_string(pick(0, high)); }

    std::mt19937 random;
    bool odd_units;
};

Rect Screen_Properties::cursor_cell() const
{
    auto const [column, row] = cursor();
    return cells(std::clamp(column, 0, display->column_count() - 1), std::clamp(row, 0, display->row_count() - 1));
}

TEST_F(Screen_Properties, PanelShowsTheBufferAfterEveryCycle)
{
    // 600 x 800 with a keyboard band of 300, at a size at which every
    // upright ASCII glyph stays inside its cell.
    Layout layout;
    layout.font_size = 23;
    open(layout);
    Rect const terminal_area{0, 0, layout.width, layout.height - layout.keyboard_height};
    Stream_Maker maker(7, true);
    for (int cycle = 0; cycle < 300; ++cycle) {
        feed(maker.stream(maker.pick(1, 12)));
        ASSERT_EQ(host::stale_pixels(terminal_area), 0) << "cycle " << cycle << "\n" << dump();
        for (auto const& update : host::updates()) {
            Rect bounded = update.area;
            bounded += terminal_area;
            ASSERT_EQ(bounded, terminal_area) << "a refresh reaches into the keyboard, cycle " << cycle;
        }
    }
}

// The bounding box of the grid cells whose pixels differ from before;
// nothing when a pixel outside the grid changed.
std::optional<Rect> changed_cells(std::vector<unsigned char> const& before, Rect grid, int char_width,
                                  int line_height)
{
    Rect changed;
    int const width = host::width();
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == host::buffer()[i])
            continue;
        int const x = static_cast<int>(i) % width;
        int const y = static_cast<int>(i) / width;
        if (x < grid.x || y < grid.y || x >= grid.x + grid.width || y >= grid.y + grid.height)
            return std::nullopt;
        int const column = (x - grid.x) / char_width;
        int const row = (y - grid.y) / line_height;
        changed += Rect{grid.x + column * char_width, grid.y + row * line_height, char_width, line_height};
    }
    return changed;
}

TEST_F(Screen_Properties, RefreshIsWhatChangedPlusTheCursorCells)
{
    // Rows of distinct letters, so that every repainted cell changes pixels.
    std::vector<std::string> const steps = {
        "aaaa\r\nbbbbbbbb\r\ncc\r\ndddddd\r\neee",
        "\e[2;3H",
        "\e[K",
        "\e[1K",
        "\e[4;1H\e[2K",
        "\e[1;1H\e[M",
        "\e[L",
        "\e[3;1H\e[2P",
        "\e[7mREV\e[m",
        "\e[12;1Hzzz\n\n",
        "\e[2;5r\e[14;1H",
        "\e[1;1H\e[J",
        "\e[20;20Hqq",
    };
    open_grid(20, 12);
    int char_width = 0;
    int line_height = 0;
    display->char_size(char_width, line_height);
    for (std::string const& step : steps) {
        std::vector<unsigned char> const before = host::buffer();
        Rect expected = cursor_cell();
        feed(step);
        expected += cursor_cell();
        std::optional<Rect> const changed = changed_cells(before, grid_area(), char_width, line_height);
        ASSERT_TRUE(changed) << show_controls(step) << " painted outside the grid";
        expected += *changed;
        ASSERT_EQ(host::updates().size(), 1u) << show_controls(step);
        Rect const got = host::updates().back().area;
        EXPECT_TRUE(got == expected) << show_controls(step) << ": refreshed " << got.x << "," << got.y << " "
                                     << got.width << "x" << got.height << ", changed " << expected.x << ","
                                     << expected.y << " " << expected.width << "x" << expected.height << "\n"
                                     << dump();
        EXPECT_EQ(host::stale_pixels(), 0);
    }
}

// Hides the cursor, redraws every row from its cells on a blank grid and
// compares with the pixels that were there; then puts things back.
void Screen_Properties::expect_pixels_match_model(std::string const& when)
{
    display->toggle_cursor();
    std::vector<unsigned char> const shown = host::buffer();
    Rect const grid = grid_area();
    FillArea(grid.x, grid.y, grid.width, grid.height, WHITE);
    for (int r = 0; r < display->row_count(); ++r) {
        Line copy = display->line(r);
        copy.draw();
    }
    long differing = 0;
    for (std::size_t i = 0; i < shown.size(); ++i)
        differing += shown[i] != host::buffer()[i] ? 1 : 0;
    EXPECT_EQ(differing, 0) << when << "\n" << dump();
    display->toggle_cursor();
}

TEST_F(Screen_Properties, PixelsAreWhatTheCellsDraw)
{
    open_grid(20, 12);
    Stream_Maker maker(11, false);
    for (int cycle = 0; cycle < 200; ++cycle) {
        feed(maker.stream(maker.pick(1, 10)));
        if (cycle % 10 == 9)
            expect_pixels_match_model("after cycle " + std::to_string(cycle));
    }
}

TEST_F(Screen_Properties, PixelsAreWhatTheCellsDrawForRecordedEditorOutput)
{
    open_grid(80, 24);
    std::string const session = recording();
    for (std::size_t at = 0; at < session.size(); at += 512) {
        feed(session.substr(at, 512));
        expect_pixels_match_model("after byte " + std::to_string(at + 512));
    }
}

}
}
