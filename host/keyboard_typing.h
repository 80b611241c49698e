// Typing on the on-screen keyboard as a user does, for event scripts and the
// window alike: a key on the layout shown is tapped; one that only the other
// layout has is tapped between two taps of shift; one on another keyboard is
// tapped after choosing that keyboard in the menu, and the keyboard shown
// before is chosen again after.
#pragma once

#include <string>

namespace host::detail {

class Loop;

// A finger down and up at one point.
void tap(Loop& loop, int x, int y);

// Taps the key named as find_key names keys; with ctrl, the ctrl key of the
// same layout just before it. False when no keyboard has it (with ctrl).
bool type_key(Loop& loop, std::string const& name, bool ctrl = false);

}
