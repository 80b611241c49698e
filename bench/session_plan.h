// The scripted vim session the panel measurements replay: single taps on the
// shipped English keyboard, grouped by what they exercise, written out as an
// event script with the file vim opens.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Keystroke {
    std::string group;    // "typing", "cursor", "lines", "scrolling", "search"
    std::string command;  // one event-script tap, such as "type a" or "tapkey Esc"
};

std::vector<Keystroke> session_plan();

// Writes DIR/session.events (each keystroke, then a settle) and DIR/sample.txt,
// the file vim opens; returns the paths, events first.
std::pair<std::string, std::string> write_session(std::string const& dir, std::vector<Keystroke> const& plan);

// Removes the swap file a killed vim leaves beside the file: the next vim
// would greet the run with a prompt.
void remove_swap_file(std::string const& dir);

}
