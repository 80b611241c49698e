// VT102: turns the child's output, UTF-8 text with a small set of control
// characters and escape sequences, into operations on the Display, and
// collects the area those operations painted. Whatever it does not know is
// shown as text; a unit cut off at the end of the input waits for the rest.
#pragma once

#include <string>

#include "platform/rect.h"

class Display;

class VT102 {
public:
    explicit VT102(Display* display);

    // Applies every complete unit at the front of text, leaves text holding
    // only an unfinished escape sequence or UTF-8 character (or nothing), and
    // returns the union of the areas painted.
    Rect interpret(std::string& text);

    // 0: the control byte, or the run of text, at cursor applied, cursor
    // past it; 1: an incomplete UTF-8 character, cursor unchanged.
    int handle_normal_char(Rect& changed, char const*& cursor);
    // ESC [ and a final byte without parameters.
    void handle_simple_esc(Rect& changed, char const* final_byte);
    // cursor on the first digit after ESC [. 0: applied, cursor past the
    // sequence; 1: the input ends inside it; -1: not recognised. On 1 and -1
    // the cursor is unchanged.
    int handle_digit_esc(Rect& changed, char const*& cursor);

private:
    void decode_text(char const*& cursor);
    // cursor after ESC [ ?; results as for handle_digit_esc.
    int handle_private_mode(char const*& cursor);
    int handle_second_parameter(Rect& changed, char const*& cursor, char const* after_semicolon, int first);
    // CUU, CUD, CUF or CUB (final byte A to D) by count cells.
    Rect move_cursor(char direction, int count);
    // SGR 0: italic, bold and reverse off, in that order.
    void reset_attributes();
    void show_unrecognised(Rect& changed);

    Display* display;
    int saved_col = 0;
    int saved_row = 0;
    // The characters of the run of text being written, kept between runs.
    std::wstring run;
};
