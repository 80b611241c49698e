// The built program as a process, as a user starts it: for tests of the whole
// program on an event script.
#pragma once

#include <string>

// Runs tarn in folder with arguments, HOME set to folder, on the event script
// folder/events, snapshots in folder/out and standard error in folder/errors.
// A run past limit_seconds is stopped: a hang fails instead of stalling the
// suite. environment holds further VAR=VALUE words for the program. The exit
// status; 124 when stopped, 128 + N when killed by signal N.
int run_tarn(std::string const& folder, std::string const& arguments, int limit_seconds,
             std::string const& environment = "");
