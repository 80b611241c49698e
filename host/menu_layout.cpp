// Menu geometry: sizes from the item texts, placement on the screen, rows
// and hit-testing. Counting characters, not bytes, keeps UTF-8 texts narrow.
#include "host/menu_layout.h"

#include <algorithm>
#include <cstring>

#include "host/utf8.h"

namespace host::detail {

namespace {

int constexpr most_items = 1000;
int constexpr most_characters = 100000;  // keeps every width far from overflow

int characters(char const* text)
{
    if (!text)
        return 0;
    char const* end = text + std::strlen(text);
    int count = 0;
    for (char const* p = text; p < end && count < most_characters; ++count)
        next_code_point(p, end);
    return count;
}

int on_axis(int start, int length, int screen) { return std::max(0, std::min(start, screen - length)); }

bool inside(Rect const& r, int x, int y)
{
    return x >= r.x && y >= r.y && (long long)x < (long long)r.x + r.width &&
           (long long)y < (long long)r.y + r.height;
}

}

int menu_item_count(imenu const* items)
{
    int count = 0;
    while (items && count < most_items && items[count].type != 0)
        ++count;
    return count;
}

Rect menu_size(imenu const* items)
{
    int const count = menu_item_count(items);
    int widest = 0;
    for (int i = 0; i < count; ++i)
        widest = std::max(widest, characters(items[i].text));
    return {0, 0, 2 * menu_padding + widest * menu_char_width, count * menu_row_height};
}

Rect place_menu(imenu const* items, int x, int y, int screen_width, int screen_height)
{
    Rect const size = menu_size(items);
    return {on_axis(x, size.width, screen_width), on_axis(y, size.height, screen_height), size.width, size.height};
}

Rect place_submenu(Rect const& menu, int position, imenu const* submenu, int screen_width, int screen_height)
{
    Rect const size = menu_size(submenu);
    // The borders overlap, so the two read as one piece.
    int x = menu.x + menu.width - 2;
    if (x + size.width > screen_width)
        x = menu.x - size.width + 2;
    return place_menu(submenu, x, menu_row(menu, position).y, screen_width, screen_height);
}

Rect menu_row(Rect const& menu, int position)
{
    return {menu.x, menu.y + position * menu_row_height, menu.width, menu_row_height};
}

int menu_item_at(Rect const& menu, int count, int x, int y)
{
    if (!inside(menu, x, y))
        return -1;
    int const position = (y - menu.y) / menu_row_height;
    return position < count ? position : -1;
}

bool menu_item_selectable(imenu const& item)
{
    return item.type == ITEM_ACTIVE || item.type == ITEM_BULLET || item.type == ITEM_SUBMENU;
}

}
