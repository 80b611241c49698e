// Button_Handler: a short press of a key acts on its release, a hold acts once
// on its first repeat; the key pair swaps in the orientations that turn the
// device around so each key keeps its place on screen. The second pair, the
// page keys of some readers, acts as the first.
#include "input/button_handler.h"

#include "app/messenger.h"
#include "platform/inkview.h"

Button_Handler::Button_Handler(Messenger& m, int o) : messenger(m), orientation(o) {}

void Button_Handler::set_orientation(int o) { orientation = o; }

int Button_Handler::handle(int event, int key, int value)
{
    key = factor_in_orientation(key);
    switch (event) {
    case EVT_KEYRELEASE:
        return handle_release(key, value);
    case EVT_KEYREPEAT:
        return handle_repeat(key, value);
    default:
        return 0;
    }
}

int Button_Handler::factor_in_orientation(int key) const
{
    if (key == KEY_PREV2)
        key = KEY_PREV;
    else if (key == KEY_NEXT2)
        key = KEY_NEXT;
    if (orientation != 1 && orientation != 2)
        return key;
    if (key == KEY_PREV)
        return KEY_NEXT;
    if (key == KEY_NEXT)
        return KEY_PREV;
    return key;
}

// A release with a non-zero value ends a hold, which already acted on its first repeat.
int Button_Handler::handle_release(int key, int value)
{
    if (value != 0)
        return 0;
    switch (key) {
    case KEY_MENU:
        messenger.send(message::Show_Menu{ScreenWidth() / 2, ScreenHeight() / 2});
        return 1;
    case KEY_PREV:
        messenger.send(message::Change_Touch_Mode{});
        return 1;
    case KEY_NEXT:
        messenger.send(message::Change_Keyboard{});
        return 1;
    default:
        return 0;
    }
}

int Button_Handler::handle_repeat(int key, int value)
{
    if (value != 1)
        return 0;
    switch (key) {
    case KEY_PREV:
        messenger.send(message::Change_Font_Size{-1});
        return 1;
    case KEY_NEXT:
        messenger.send(message::Change_Font_Size{+1});
        return 1;
    default:
        return 0;
    }
}
