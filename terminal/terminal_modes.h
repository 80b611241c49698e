// Terminal_Modes: the modes a child sets that change what the user's keys
// send to it, read by the keyboard when a key is released.
#pragma once

struct Terminal_Modes {
    // DECCKM: the cursor keys send ESC O A to ESC O D instead of ESC [ A to ESC [ D.
    bool cursor_keys_application = false;
    // LNM: Enter sends CR LF, and a line feed also returns the carriage.
    bool new_line = false;
};
