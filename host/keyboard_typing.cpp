// Each way to reach a key tries the nearer ones first, and every layout or
// keyboard it changes to is changed back, so that typing leaves the keyboard
// as the user left it. Keyboards are changed through the menu, as a user
// would, so the choice works in every orientation.
#include "host/keyboard_typing.h"

#include <cstring>
#include <optional>
#include <vector>

#include "host/host.h"
#include "host/main_loop.h"
#include "host/onscreen_keys.h"

namespace host::detail {

namespace {

void tap_key(Loop& loop, Rect const& key) { tap(loop, key.x + key.width / 2, key.y + key.height / 2); }

bool tap_on_layout(Loop& loop, std::string const& name, bool ctrl)
{
    auto const key = find_key(name);
    auto const ctrl_key = ctrl ? find_key("Ctrl") : key;
    if (!key || !ctrl_key)
        return false;
    if (ctrl)
        tap_key(loop, *ctrl_key);
    tap_key(loop, *key);
    return true;
}

// The layout shown, then the other one; ctrl after shift, which drops it.
bool tap_on_keyboard(Loop& loop, std::string const& name, bool ctrl)
{
    if (tap_on_layout(loop, name, ctrl))
        return true;
    auto const shift = find_key("Shift");
    if (!shift)
        return false;
    tap_key(loop, *shift);
    bool const typed = tap_on_layout(loop, name, ctrl);
    if (auto const back = find_key("Shift"))
        tap_key(loop, *back);
    return typed;
}

// The menu key opens the menu; its "Keyboard" item lists the keyboards, the
// one shown marked. Null, with the menu closed, when there is no such list.
imenu const* open_keyboard_menu(Loop& loop)
{
    loop.dispatch(EVT_KEYPRESS, KEY_MENU, 0);
    loop.dispatch(EVT_KEYRELEASE, KEY_MENU, 0);
    if (!menu_open())
        return nullptr;
    for (imenu const* item = open_menu().items; item && item->type != 0; ++item)
        if (item->type == ITEM_SUBMENU && item->text && std::strcmp(item->text, "Keyboard") == 0 && item->submenu)
            return item->submenu;
    answer_menu(-1);
    return nullptr;
}

void choose_keyboard(Loop& loop, int index)
{
    if (open_keyboard_menu(loop))
        answer_menu(index);
}

bool tap_on_other_keyboards(Loop& loop, std::string const& name, bool ctrl)
{
    // An open dialog holds the input, as on the device.
    if (menu_open() || rotate_box_open())
        return false;
    imenu const* list = open_keyboard_menu(loop);
    if (!list)
        return false;
    std::optional<int> shown;
    std::vector<int> others;
    for (imenu const* item = list; item->type != 0; ++item) {
        if (item->type == ITEM_BULLET && !shown)
            shown = item->index;
        else
            others.push_back(item->index);
    }
    answer_menu(-1);
    if (!shown)
        return false;
    for (int keyboard : others) {
        choose_keyboard(loop, keyboard);
        bool const typed = tap_on_keyboard(loop, name, ctrl);
        if (typed || loop.closing()) {
            choose_keyboard(loop, *shown);
            return typed;
        }
    }
    choose_keyboard(loop, *shown);
    return false;
}

}

void tap(Loop& loop, int x, int y)
{
    loop.dispatch(EVT_POINTERDOWN, x, y);
    loop.dispatch(EVT_POINTERUP, x, y);
}

bool type_key(Loop& loop, std::string const& name, bool ctrl)
{
    return tap_on_keyboard(loop, name, ctrl) || tap_on_other_keyboards(loop, name, ctrl);
}

}
