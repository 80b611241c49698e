// Button_Handler: the three hardware keys as commands (menu, touch mode,
// keyboard, font size), following the screen orientation.
#pragma once

class Messenger;

class Button_Handler {
public:
    Button_Handler(Messenger& messenger, int orientation);

    int handle(int event, int key, int value);
    void set_orientation(int orientation);

private:
    int factor_in_orientation(int key) const;
    int handle_release(int key, int value);
    int handle_repeat(int key, int value);

    Messenger& messenger;
    int orientation;
};
