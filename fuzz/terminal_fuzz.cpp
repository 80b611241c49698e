// Fuzz target: arbitrary child output, cut into pieces at points the fuzzer
// chooses, through the interpreter and the display. After every cycle the
// grid must hold only valid cells with the cursor on an existing row and the
// panel must show the buffer; at the end the result must equal that of the
// same output given in one piece (chunk invariance).
//
// Input: byte 0 gives a count n (byte % 32); the next n bytes are the lengths
// of the first n pieces (0 to 255 each, an empty piece is a cycle with nothing
// new); whatever is left after the last cut is the final piece.
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "config/config.h"
#include "host/host.h"
#include "terminal/attributes.h"
#include "terminal/code_point.h"
#include "terminal/display.h"
#include "tests/support/fake_messenger.h"

namespace {

constexpr int screen_width = 320;
constexpr int screen_height = 240;
constexpr int keyboard_band = 40;
constexpr int grid_margin = 10;

struct Screen_State {
    std::vector<std::wstring> characters;
    std::vector<std::vector<unsigned char>> attributes;
    int column = 0, row = 0, scroll_top = 0, scroll_bottom = 0;
    std::string unfinished;  // what the interpreter left for the next cycle
    std::vector<unsigned char> buffer;

    bool operator==(Screen_State const& o) const
    {
        return characters == o.characters && attributes == o.attributes && column == o.column && row == o.row &&
               scroll_top == o.scroll_top && scroll_bottom == o.scroll_bottom && unfinished == o.unfinished &&
               buffer == o.buffer;
    }
};

bool valid_character(wchar_t c)
{
    auto const value = static_cast<std::uint32_t>(c);
    return value != 0 && is_unicode_scalar(value);
}

// A valid character in every cell but the second half of a wide one, which
// follows its first half and shares its attributes.
bool valid_cell(Line const& line, unsigned int c)
{
    constexpr unsigned int known = attribute::reverse | attribute::bold | attribute::italic | attribute::blink;
    if ((line.attribute(c) & ~known) != 0)
        return false;
    bool const wide = c + 1 < line.length() && line.is_continuation(c + 1);
    if (line.is_continuation(c))
        return c > 0 && !line.is_continuation(c - 1) && wcwidth(line.character(c - 1)) == 2 &&
               line.attribute(c) == line.attribute(c - 1);
    return valid_character(line.character(c)) && wide == (wcwidth(line.character(c)) == 2);
}

// Reads the model back, aborting on anything a cycle must never leave behind.
Screen_State checked_state(Display const& display)
{
    if (host::stale_pixels() != 0)
        std::abort();
    int const rows = display.row_count();
    int const columns = display.column_count();
    int line_width = 0, line_height = 0;
    display.char_size(line_width, line_height);
    Screen_State state;
    display.get_pos(state.column, state.row);
    display.scroll_region(state.scroll_top, state.scroll_bottom);
    if (rows > 0 && (state.row < 0 || state.row >= rows || state.column < 0 || state.column > columns))
        std::abort();
    if (rows > 0 && !(0 <= state.scroll_top && state.scroll_top <= state.scroll_bottom && state.scroll_bottom < rows))
        std::abort();
    for (int r = 0; r < rows; ++r) {
        Line const& line = display.line(r);
        if (static_cast<int>(line.length()) != columns || line.top() != grid_margin + r * line_height)
            std::abort();
        std::wstring characters;
        std::vector<unsigned char> attributes;
        for (unsigned int c = 0; c < line.length(); ++c) {
            if (!valid_cell(line, c))
                std::abort();
            characters += line.cell_text(c) + L'|';
            attributes.push_back(line.attribute(c));
        }
        state.characters.push_back(characters);
        state.attributes.push_back(attributes);
    }
    state.unfinished = fake::log().text;
    state.buffer = host::buffer();
    return state;
}

// Feeds the pieces one cycle each, checking after every cycle.
Screen_State run(std::vector<std::string> const& pieces)
{
    host::reset(screen_width, screen_height);
    fake::reset();
    Messenger messenger(0, nullptr);
    Config const config("/nonexistent");
    Display display(messenger, config, keyboard_band);
    SoftUpdate();  // as the screen-shown event after start-up does
    Screen_State state = checked_state(display);
    for (std::string const& piece : pieces) {
        fake::log().text += piece;
        display.check();
        state = checked_state(display);
    }
    return state;
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static bool const ready = [] {
        std::setlocale(LC_CTYPE, "en_US.utf8");
        return true;
    }();
    (void)ready;
    if (size == 0)
        return 0;

    std::size_t const cuts = data[0] % 32;
    std::size_t const header = std::min(size, 1 + cuts);
    std::string const output(reinterpret_cast<char const*>(data) + header, size - header);
    std::vector<std::string> pieces;
    std::size_t at = 0;
    for (std::size_t i = 1; i < header; ++i) {
        std::size_t const length = std::min<std::size_t>(data[i], output.size() - at);
        pieces.push_back(output.substr(at, length));
        at += length;
    }
    pieces.push_back(output.substr(at));

    Screen_State const split = run(pieces);
    Screen_State const whole = run({output});
    if (!(split == whole))
        std::abort();
    return 0;
}
