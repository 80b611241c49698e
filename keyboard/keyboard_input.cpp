// Key presses turned into bytes for the child: shift as a lock between the
// two layouts of a keyboard, ctrl as a one-shot modifier, and the choice of
// keyboard by index or by stepping.
#include "keyboard/keyboard_handler.h"

#include "app/messenger.h"
#include "keyboard/key_sequences.h"

namespace {

// Ctrl with a letter (either case), "[", "\" or "]" gives 0x01 to 0x1D;
// every other key gives nothing.
bool control_byte(std::string const& text, char& out)
{
    if (text.empty())
        return false;
    unsigned char c = static_cast<unsigned char>(text[0]);
    if (c >= 'a' && c <= 'z')
        c = static_cast<unsigned char>(c - 'a' + 'A');
    if (c < 0x41 || c > 0x5D)
        return false;
    out = static_cast<char>(c - 0x40);
    return true;
}

}

void Keyboard_Handler::press(int x, int y)
{
    pressed_button = layouts[static_cast<std::size_t>(current_layout)].find_button(x, y);
    // The armed ctrl key is highlighted already.
    if (pressed_button && pressed_button != ctrl_button)
        flip(*pressed_button);
}

void Keyboard_Handler::release()
{
    Kbd_Button const* const key = pressed_button;
    if (!key)
        return;
    // Cleared first: a redraw below must not show this key held.
    pressed_button = nullptr;
    // A sticky key stays highlighted after its release.
    if (!key->sticky)
        flip(*key);
    std::string const& text = key->text;

    if (text == key_marker::shift || text == key_marker::ctrl) {
        Kbd_Button const* const armed = ctrl_button;
        disarm_ctrl();
        if (text == key_marker::shift) {
            current_layout ^= 1;
            draw();
        } else if (!armed) {
            ctrl_button = key;
        } else if (key != armed) {
            // A second ctrl key only disarms; its own highlight goes too.
            flip(*key);
        }
    } else if (ctrl_button) {
        disarm_ctrl();
        char control;
        if (control_byte(text, control)) {
            std::string const byte(1, control);
            messenger.send(message::New_Text{byte});
        }
    } else if (key_sequence::depends_on_modes(text)) {
        request::Key_Modes asked;
        std::string const sent = key_sequence::with_modes(text, messenger.send(asked).modes);
        messenger.send(message::New_Text{sent});
    } else {
        messenger.send(message::New_Text{text});
    }
}

void Keyboard_Handler::cancel()
{
    // The armed ctrl key stays armed, and so highlighted.
    if (pressed_button && pressed_button != ctrl_button)
        flip(*pressed_button);
    pressed_button = nullptr;
}

// The highlight answers typing, and is refreshed as such. The key font has
// no anti-aliasing: a monochrome update shows the key exactly, and the
// pause's grey update need not reach down to the keyboard.
void Keyboard_Handler::flip(Kbd_Button const& key)
{
    Rect const area = key.invert_area();
    if (!area.empty())
        messenger.send(message::Typing_Refresh{area, false});
}

void Keyboard_Handler::disarm_ctrl()
{
    if (!ctrl_button)
        return;
    flip(*ctrl_button);
    ctrl_button = nullptr;
}

void Keyboard_Handler::set_keyboard(int k)
{
    if (k < 0 || k >= static_cast<int>(names.size()) || k == current_layout / 2)
        return;
    // The armed ctrl key, even when held, is un-highlighted once, by disarming.
    if (pressed_button && pressed_button != ctrl_button)
        flip(*pressed_button);
    pressed_button = nullptr;
    disarm_ctrl();
    // The shift bit belongs to the handler and carries over.
    current_layout = 2 * k + (current_layout & 1);
    draw();
}

void Keyboard_Handler::change_keyboard(int step)
{
    std::int64_t const n = static_cast<std::int64_t>(names.size());
    std::int64_t k = (current_layout / 2 + static_cast<std::int64_t>(step)) % n;
    if (k < 0)
        k += n;
    set_keyboard(static_cast<int>(k));
}
