// Menus, the orientation chooser and touch points. Nothing is drawn: a menu
// stays open until a test or the script answers it, and its size follows a
// fixed rule so that placement can be checked.
#include "host/dialogs.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "host/host.h"
#include "host/utf8.h"

namespace host::detail {

namespace {

struct Dialogs {
    bool menu_is_open = false;
    Open_Menu menu{};
    iv_rotatehandler rotate_handler = nullptr;
    bool touch_set = false;
    iv_mtinfo touch[2]{};
};

Dialogs& dialogs()
{
    static auto* d = new Dialogs;
    return *d;
}

// The menu's look: one row per item, each character a fixed width.
int constexpr row_height = 40;
int constexpr char_width = 12;
int constexpr padding = 16;
int constexpr most_items = 1000;  // a list without its end record stops here

int characters(char const* text)
{
    if (!text)
        return 0;
    char const* end = text + std::strlen(text);
    int count = 0;
    for (char const* p = text; p < end; ++count)
        next_code_point(p, end);
    return count;
}

short clamp_short(long value) { return static_cast<short>(std::min(value, 32767L)); }

}

void clear_dialogs() { dialogs() = Dialogs{}; }

}

using namespace host::detail;

extern "C" {

void OpenMenu(imenu* menu, int, int x, int y, iv_menuhandler handler)
{
    dialogs().menu = host::Open_Menu{menu, x, y, handler};
    dialogs().menu_is_open = true;
}

void OpenRotateBox(iv_rotatehandler handler) { dialogs().rotate_handler = handler; }

irect GetMenuRect(imenu* menu)
{
    int items = 0, widest = 0;
    for (; menu && items < most_items && menu[items].type != 0; ++items)
        widest = std::max(widest, characters(menu[items].text));
    return irect{0, 0, clamp_short(2L * padding + long(widest) * char_width), clamp_short(long(items) * row_height), 0};
}

iv_mtinfo* GetTouchInfo() { return dialogs().touch_set ? dialogs().touch : nullptr; }

}

namespace host {

bool menu_open() { return dialogs().menu_is_open; }

Open_Menu const& open_menu() { return dialogs().menu; }

void answer_menu(int index)
{
    Dialogs& d = dialogs();
    if (!d.menu_is_open)
        throw std::logic_error("no menu is open");
    iv_menuhandler const handler = d.menu.handler;
    // Closed before the answer, so that the handler may open the next one.
    d.menu_is_open = false;
    d.menu = Open_Menu{};
    if (handler)
        handler(index);
}

bool rotate_box_open() { return dialogs().rotate_handler != nullptr; }

void answer_rotate_box(int orientation)
{
    iv_rotatehandler const handler = dialogs().rotate_handler;
    if (!handler)
        throw std::logic_error("no orientation chooser is open");
    dialogs().rotate_handler = nullptr;
    handler(orientation);
}

void set_touch_points(int x1, int y1, int x2, int y2)
{
    Dialogs& d = dialogs();
    d.touch[0] = iv_mtinfo{1, x1, y1, 1, 0, 0};
    d.touch[1] = iv_mtinfo{1, x2, y2, 1, 0, 0};
    d.touch_set = true;
}

void clear_touch_points() { dialogs().touch_set = false; }

}
