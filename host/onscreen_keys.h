// Finding the on-screen keyboard's keys in what the program drew: a key with
// a label by its text, one drawn as an icon by its picture inside the frame.
// Event scripts and the window's typing name keys this way.
#pragma once

#include <optional>
#include <string>

#include "platform/rect.h"

namespace host::detail {

// The key shown for name, in the layout on the screen now. A name is a key
// word, in any case: Enter (or ok), Backspace (or bs), Shift, Space, Ctrl,
// Esc, Tab, Up, Down, Left, Right, PgUp, PgDn, Home, End; anything else is a
// key's label, such as a character.
std::optional<Rect> find_key(std::string const& name);

// The key word for a desktop's character: "Space" for a blank, else the character.
std::string key_for_character(std::string const& character);

}
