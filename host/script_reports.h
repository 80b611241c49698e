// What the checking commands of event scripts read from the running process:
// the window size of the program's pseudo-terminal beside the size of the
// text drawn, the descriptors open in the program and its children, and the
// panel's updates.
#pragma once

#include <string>

namespace host::detail {

// NAME.size in folder: "pty ROWS COLUMNS" of the one pseudo-terminal master
// the process holds, then "font SIZE" for each size of DrawString text on the
// screen, so that a test can lay out the grid that text belongs to.
// Empty on success, else what went wrong.
std::string write_window_size(std::string const& folder, std::string const& name);

// NAME.fds in folder: "WHO FD TARGET" per open descriptor, WHO being "self"
// or "child PID" for each direct child process.
// Empty on success, else what went wrong.
std::string write_descriptors(std::string const& folder, std::string const& name);

// NAME.updates in folder: "KIND X Y WIDTH HEIGHT START END" per update since
// the start, KIND as host::kind_name gives it, START and END its modelled
// times in ms. Empty on success, else what went wrong.
std::string write_updates(std::string const& folder, std::string const& name);

}
