// Menu_Handler: builds the main menu with its touch and keyboard submenus,
// opens it centred on a point with the display cycle suspended, and turns the
// chosen index into a message.
#include "input/menu_handler.h"

#include <cstdint>
#include <iterator>
#include <utility>

#include "app/messenger.h"
#include "platform/callback_guard.h"
#include "platform/saturate.h"

namespace {

enum { touch_item = 0, keyboard_item = 1, fast_typing_item = 4 };
enum { touch_list = 0, keyboard_list = 1 };
// Scripts and habits know these numbers: a new item takes a free one. Index 1
// was never given to anything (0 marks the items that open submenus); the
// submenus number on from 4, and the keyboards are listed below 100.
enum { refresh_index = 1, rotate_index = 2, exit_index = 3, first_submenu_index = 4, fast_typing_index = 100 };
int const min_left = 20;

imenu const main_menu[] = {
    {ITEM_SUBMENU, 0, const_cast<char*>("Touchscreen"), nullptr},
    {ITEM_SUBMENU, 0, const_cast<char*>("Keyboard"), nullptr},
    {ITEM_ACTIVE, rotate_index, const_cast<char*>("Rotate"), nullptr},
    {ITEM_ACTIVE, refresh_index, const_cast<char*>("Refresh screen"), nullptr},
    {ITEM_ACTIVE, fast_typing_index, const_cast<char*>("Fast typing"), nullptr},
    {ITEM_ACTIVE, exit_index, const_cast<char*>("Exit"), nullptr},
    {0, 0, nullptr, nullptr},
};

}

Menu_Handler* Menu_Handler::s_handling_menu = nullptr;

Menu_Handler::Menu_Handler(Messenger& m)
    : messenger(m), items(std::begin(main_menu), std::end(main_menu))
{
    s_handling_menu = this;
}

Menu_Handler::~Menu_Handler()
{
    if (s_handling_menu == this)
        s_handling_menu = nullptr;
}

void Menu_Handler::static_menu_handler(int index)
{
    callback_guard::run([index] {
        if (s_handling_menu)
            s_handling_menu->menu_handler(index);
    });
}

void Menu_Handler::show(int x, int y)
{
    prepare_submenus();
    int half_width = 0;
    int half_height = 0;
    Rect rect;
    if (messenger.menu_rect(items.data(), rect)) {
        half_width = rect.width / 2;
        half_height = rect.height / 2;
    }
    messenger.send(message::Suspend_Display{true});
    int left = saturate(std::int64_t{x} - half_width);
    if (left <= min_left)
        left = min_left;
    OpenMenu(items.data(), 0, left, saturate(std::int64_t{y} - half_height), static_menu_handler);
}

void Menu_Handler::prepare_submenus()
{
    clear_submenus();
    submenus.push_back(touch_submenu());
    submenus.push_back(keyboard_submenu(submenus[touch_list].next_index()));
    items[touch_item].submenu = submenus[touch_list].addr();
    items[keyboard_item].submenu = submenus[keyboard_list].addr();
    request::Fast_Typing_State fast;
    messenger.send(fast);
    items[fast_typing_item].type = !fast.offered ? ITEM_INACTIVE : fast.on ? ITEM_BULLET : ITEM_ACTIVE;
}

Submenu Menu_Handler::touch_submenu()
{
    Submenu touch(first_submenu_index, 0);
    request::Can_Toggle_Touch_State can_toggle;
    if (!messenger.send(can_toggle).answer) {
        items[touch_item].type = ITEM_INACTIVE;
        return touch;
    }
    request::Get_Touch_State state;
    int const mode = messenger.send(state).state;
    touch.add(mode == 0 ? ITEM_BULLET : ITEM_ACTIVE, "Arrow keys");
    touch.add(mode == 1 ? ITEM_BULLET : ITEM_ACTIVE, "Mouse");
    items[touch_item].type = ITEM_SUBMENU;
    return touch;
}

Submenu Menu_Handler::keyboard_submenu(int first)
{
    Submenu keyboards(first, 0);
    request::Keyboard_Names names;
    keyboard_names = std::move(messenger.send(names).names);
    if (keyboard_names.empty()) {
        items[keyboard_item].type = ITEM_INACTIVE;
        return keyboards;
    }
    request::Current_Keyboard_Name current;
    std::string const& current_name = messenger.send(current).name;
    for (std::string const& name : keyboard_names) {
        if (keyboards.next_index() >= fast_typing_index)
            break;
        keyboards.add(name == current_name ? ITEM_BULLET : ITEM_ACTIVE, name.c_str());
    }
    items[keyboard_item].type = ITEM_SUBMENU;
    return keyboards;
}

void Menu_Handler::menu_handler(int index)
{
    messenger.send(message::Suspend_Display{false});
    if (index == rotate_index)
        messenger.send(message::Show_Rotate_Box{});
    else if (index == refresh_index)
        messenger.send(message::Refresh_Screen{});
    else if (index == exit_index)
        messenger.send(message::Close{});
    else if (index == fast_typing_index)
        messenger.send(message::Toggle_Fast_Typing{});
    else
        submenu_command(index);
    clear_submenus();
}

void Menu_Handler::submenu_command(int index)
{
    if (submenus.size() != 2)
        return;  // no menu of ours is open
    if (submenus[touch_list].has(index))
        messenger.send(message::Set_Touch_Mode{submenus[touch_list].position(index)});
    else if (submenus[keyboard_list].has(index))
        messenger.send(message::Set_Keyboard{submenus[keyboard_list].position(index)});
}

// The main menu must not keep pointers into the lists it no longer shows.
void Menu_Handler::clear_submenus()
{
    submenus.clear();
    keyboard_names.clear();
    items[touch_item].submenu = nullptr;
    items[keyboard_item].submenu = nullptr;
}
