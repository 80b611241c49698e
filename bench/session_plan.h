// The scripted vim session the panel measurements replay: single taps on the
// shipped English keyboard, grouped by what they exercise, then a long idle,
// written out as an event script with the file vim opens, and the device
// tree it runs in.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Keystroke {
    std::string group;    // "typing", "cursor", "lines", "scrolling", "search"
    std::string command;  // one event-script tap, such as "type a" or "tapkey Esc"
    bool typed = false;   // a character typed into the text
};

// After the last keystroke vim stays idle on its file this long, so that the
// program's wakeups can be counted once 5 s have passed without input or output.
constexpr int idle_ms = 15000;

std::vector<Keystroke> session_plan();

// Writes DIR/session.events (each keystroke, then a settle) and DIR/sample.txt,
// the file vim opens; returns the paths, events first.
std::pair<std::string, std::string> write_session(std::string const& dir, std::vector<Keystroke> const& plan);

// Removes the swap file a killed vim leaves beside the file: the next vim
// would greet the run with a prompt.
void remove_swap_file(std::string const& dir);

// Points the program at DIR/root, a device tree with this configuration and
// the build's own editor, keyboards and editor profile.
void use_device_tree(std::string const& dir, std::string const& configuration);

}
