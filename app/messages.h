// The records components send to the Messenger: messages are fire and forget,
// requests come back with their answer fields filled in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rect.h"
#include "terminal/terminal_modes.h"

namespace message {

struct New_Text {
    std::string const& text;  // not owned
};
// The terminal's answer to a request of the child's (a report).
struct Reply {
    std::string const& text;  // not owned
};
struct Keyboard_Pressed {
    std::int32_t x;
    std::int32_t y;
};
struct Keyboard_Released {};
// The touch on the keyboard ended without a release: no key is typed.
struct Keyboard_Cancelled {};
struct Change_Keyboard {};
struct Set_Keyboard {
    std::int32_t index;
};
struct Show_Menu {
    std::int32_t x;
    std::int32_t y;
};
struct Show_Rotate_Box {};
struct Suspend_Display {
    bool suspend;
};
struct Close {};
struct Refresh_Screen {};
struct Change_Font_Size {
    std::int32_t steps;
};
struct Set_Orientation {
    std::int32_t orientation;
};
struct Change_Touch_Mode {};
struct Set_Touch_Mode {
    std::int32_t mode;  // 0 arrow keys, 1 mouse
};
// A refresh that answers typing, painted already: the output cycle's, a key's
// highlight going on or off. Fast typing mode shows it in black and white.
struct Typing_Refresh {
    Rect area;
    // The area holds anti-aliased text, whose grey a monochrome update loses
    // until the pause's grey update brings it back.
    bool anti_aliased = true;
};
struct Toggle_Fast_Typing {};

}

namespace request {

struct Handle_Event {
    std::int32_t event;
    std::int32_t par1;
    std::int32_t par2;
    std::int32_t result = 0;
};
struct Get_Text {
    std::string* text = nullptr;  // the Messenger's buffer, not owned
};
struct Get_Char_Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
struct Can_Toggle_Touch_State {
    bool answer = false;
};
struct Get_Touch_State {
    std::int32_t state = 0;
};
struct Keyboard_Names {
    std::vector<std::string> names;
};
struct Current_Keyboard_Name {
    std::string name;
};
struct Fast_Typing_State {
    bool offered = false;  // the platform has the monochrome updates
    bool on = false;
};
// The modes that change what the keys send.
struct Key_Modes {
    Terminal_Modes modes;
};

}
