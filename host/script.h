// The event-script language: one command a line, blank lines and lines
// starting with # ignored. Parsing is apart from running so that a script can
// be checked, and tested, as text alone.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace host::script {

enum class Kind {
    wait,      // MS
    settle,    // [QUIET [MAX]]
    show,
    press,     // X Y
    move,      // X Y
    release,   // X Y
    long_press,// X Y
    tap,       // X Y
    swipe,     // X1 Y1 X2 Y2 [STEPS]
    touch,     // X1 Y1 X2 Y2 COUNT
    cancel,    // the system takes the touch in progress over
    key,       // CODE [HOLD]
    type,      // TEXT
    tapkey,    // LABEL
    menu,      // INDEX
    rotate,    // O
    usr2,
    snapshot,  // NAME
    check_panel,
    window_size,  // NAME
    descriptors,  // NAME
    updates,      // NAME
    quit
};

struct Command {
    Kind kind;
    int line;                  // 1-based, for messages
    std::vector<int> numbers;  // as written; optional ones left out
    std::string text;          // type, tapkey, snapshot and the reports' names
};

// A script that cannot be read or run; what() is "SCRIPT:LINE: what went wrong".
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A checking command found the program wrong, not the script.
struct Check_Failed : Error {
    using Error::Error;
};

Error error_at(std::string const& script, int line, std::string const& what);

std::vector<Command> parse(std::string const& text, std::string const& script);
std::vector<Command> load(std::string const& path);

}
