// A Messenger for component tests: it records every message and request a
// component sends and answers requests from values the test sets, so that one
// component can be driven alone against the real stand-in platform.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/messenger.h"

namespace fake {

struct Messenger_Log {
    // Every message and request in the order sent, by name, for example
    // "New_Text", "Suspend_Display(1)", "Set_Keyboard(2)".
    std::vector<std::string> sent;

    std::vector<std::string> texts;  // message::New_Text, each call's bytes
    std::string replies;              // message::Reply, all bytes
    std::vector<std::pair<int, int>> keyboard_presses;
    int keyboard_releases = 0;
    int keyboard_cancels = 0;
    int keyboard_changes = 0;
    std::vector<int> keyboard_sets;
    std::vector<std::pair<int, int>> menus_shown;
    int rotate_boxes = 0;
    std::vector<bool> suspends;
    int closes = 0;
    std::vector<int> font_size_steps;
    std::vector<int> orientations;
    int touch_mode_changes = 0;
    std::vector<int> touch_modes;

    // A message or request whose name starts with this throws Tarn_Exception
    // "NAME failed" once recorded, as a component's failure would.
    std::string fail_on;

    // Answers.
    std::string text;                                 // the buffer request::Get_Text points at
    std::function<void(std::string&)> on_get_text;    // called before answering, may append
    int char_width = 14;
    int line_height = 32;
    bool can_toggle_touch = false;
    int touch_state = 0;
    std::vector<std::string> keyboard_names{"English"};
    std::string current_keyboard = "English";
    Terminal_Modes key_modes;
    bool fast_typing_offered = true;
    bool fast_typing_on = false;
    bool has_menu_rect = false;
    Rect menu_rect{};
    bool has_touch_info = false;
    Touch_Points touch_points{};
    // The parameters of the last multi-touch event whose points were asked for.
    std::pair<int, int> touch_request{-1, -1};

    // All texts sent, joined.
    std::string all_text() const;
};

// The log of the one fake Messenger; reset() empties it to the defaults above.
Messenger_Log& log();
void reset();

}
