// Menus, the orientation chooser and touch points, as open dialogs: a menu
// stays open until a test, the script or the window answers it. Its size
// follows the menu layout, the rule the window draws it by.
#include "host/dialogs.h"

#include <algorithm>
#include <stdexcept>

#include "host/host.h"
#include "host/menu_layout.h"

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

short clamp_short(long value) { return static_cast<short>(std::min(value, 32767L)); }

}

void clear_dialogs() { dialogs() = Dialogs{}; }

void dismiss_rotate_box() { dialogs().rotate_handler = nullptr; }

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
    Rect const size = menu_size(menu);
    return irect{0, 0, clamp_short(size.width), clamp_short(size.height), 0};
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
