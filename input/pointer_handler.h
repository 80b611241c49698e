// Pointer_Handler: touches on the keyboard go to the keyboard; touches on the
// text become cursor and page keys, the menu, font size changes or mouse reports.
#pragma once

#include <string>

#include "app/messages.h"

class Messenger;

class Pointer_Handler {
public:
    Pointer_Handler(Messenger& messenger, int screen_width, int screen_height, int keyboard_height);

    int handle(int type, int p1, int p2);
    // The touch in progress ends with no action: no tap, key, swipe or menu;
    // a key held on the keyboard is let go without typing. False when no
    // touch was in progress.
    bool cancel_touch();
    void mouse_mode_change(bool on);
    bool in_mouse_mode() const;
    void screen_dimensions_changed();
    // The Display's cells changed size: mouse reports must name the new cells.
    void font_size_changed();

private:
    int handle_pointer_down(int x, int y);
    int handle_pointer_move(int x, int y);
    int handle_pointer_up(int x, int y);
    int handle_pointer_long(int x, int y);
    int handle_pinch(int container, int touch_count);
    int two_fingers_done();
    int finger_distance(int container, int touch_count);
    int max_excursion(int x, int y) const;
    std::string const& gesture_sequence(int x, int y) const;
    std::string const& tap_sequence(int x, int y) const;
    void refresh_char_size();
    int column_of(int x) const;
    int row_of(int y) const;
    void send_mouse_report(char kind, int column, int row);

    Messenger& messenger;
    bool touching = false;
    bool pinching = false;
    bool on_keyboard = false;
    int start_x = 0;
    int start_y = 0;
    int pinch_start_distance = 0;
    int pinch_distance = 0;
    int excursion = 0;
    int screen_width;
    int screen_height;
    int keyboard_height;
    request::Get_Char_Size char_size;
    bool mouse_mode = false;
    int last_column = 0;
    int last_row = 0;
};
