// The look of a menu as geometry: one row per item, every character the same
// width. GetMenuRect reports this size and the window draws menus to it, so
// the program places its menu where it will really appear.
#pragma once

#include "platform/inkview.h"
#include "platform/rect.h"

namespace host::detail {

int constexpr menu_row_height = 40;
int constexpr menu_char_width = 12;
int constexpr menu_padding = 16;  // each side of the text; marks sit in it

// Items before the end record; a list without one stops at a thousand.
int menu_item_count(imenu const* items);

// Width and height, at (0, 0).
Rect menu_size(imenu const* items);

// The menu with its top-left at (x, y), moved just enough to lie on the
// screen (to its top-left corner when it is larger than the screen).
Rect place_menu(imenu const* items, int x, int y, int screen_width, int screen_height);

// Where a submenu opens: level with its item, right of the menu when it fits
// there, otherwise left of it.
Rect place_submenu(Rect const& menu, int position, imenu const* submenu, int screen_width, int screen_height);

Rect menu_row(Rect const& menu, int position);

// The position of the item under the point; -1 outside the menu.
int menu_item_at(Rect const& menu, int count, int x, int y);

// Items that react to a click: active, marked, and those opening a submenu.
bool menu_item_selectable(imenu const& item);

}
