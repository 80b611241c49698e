// A seeded random event script for a long session with vim: taps, swipes,
// long presses answering the menu, hardware keys, pinches, rotations and
// typed text, with a checkpoint (settle, panel check, snapshot, window size)
// every few actions and "Exit" from the menu at the very end.
#pragma once

#include <cstdint>
#include <string>

struct Soak_Script {
    std::string text;
    int checkpoints = 0;  // named c0, c1, ... in the snapshot folder
};

// Descriptors are listed as "start" after the first checkpoint and as "end"
// after the last one, before "Exit".
Soak_Script soak_script(std::uint32_t seed, int actions);
