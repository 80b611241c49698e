// VT102: turns the child's output, UTF-8 text with the VT102's control
// characters, escape and control sequences, into operations on the Display,
// collects the area those operations painted, and answers the child's
// requests for reports. A sequence it does not know is shown as text; one cut
// off at the end of the output waits for the rest.
#pragma once

#include <string>
#include <vector>

#include "platform/rect.h"
#include "terminal/character_sets.h"
#include "terminal/control_functions.h"
#include "terminal/saved_cursor.h"
#include "terminal/terminal_modes.h"

class Display;

class VT102 {
public:
    explicit VT102(Display* display);

    // Applies every complete unit at the front of text, leaves text holding
    // only an unfinished escape sequence or UTF-8 character (or nothing), and
    // returns the union of the areas painted.
    Rect interpret(std::string& text);

    Terminal_Modes const& modes() const { return key_modes; }

private:
    void decode_text(char const*& cursor);
    // Writes the run of text decoded so far.
    void write_run();
    void control(unsigned char byte);
    void sequence(Control_Sequence const& sequence, Control_Function function, char const* start);
    void execute(Control_Function function, Control_Sequence const& sequence);
    void erase(Control_Function function, int selection);
    void set_modes(Control_Sequence const& sequence, bool on);
    void set_private_modes(Control_Sequence const& sequence, bool on);
    void select_graphic_rendition(Control_Sequence const& sequence);
    void report(Control_Function function, int request);
    void show_as_text(char const* start, std::size_t length);
    // Inside a control string: false when the text ends on an ESC that may
    // begin its terminator.
    bool skip_control_string(char const*& cursor, char const* end);
    void reset();

    Display* display;
    Rect changed;
    Control_Sequence scanned;
    Character_Sets character_sets;
    // DECSC: the display's part, and the character sets.
    struct Saved {
        Saved_Cursor cursor;
        Character_Sets character_sets;
    } saved;
    Terminal_Modes key_modes;
    // A control string (DCS, OSC, SOS, PM, APC) runs on across cycles until
    // its terminator; an OSC may also end with BEL.
    enum class String { none, until_st, until_st_or_bel } control_string = String::none;
    // The run of text not written yet, a character and its attributes at a
    // time: SGR does not end a run, so text whose attributes change at every
    // character is still written a row's part at a time. Kept between runs.
    std::wstring run;
    // As long as run at least; what lies past it is not used.
    std::vector<unsigned char> run_attributes;
};
