// Menus, the orientation chooser and touch points, as open dialogs: a menu
// stays open until a test, the script or the window answers it. Touch points
// are kept by event, in a ring of containers.
#include "host/dialogs.h"

#include <chrono>
#include <stdexcept>

#include "host/generation.h"
#include "host/host.h"

namespace host::detail {

namespace {

struct Dialogs {
    bool menu_is_open = false;
    Open_Menu menu{};
    iv_rotatehandler rotate_handler = nullptr;
    bool touch_set = false;
    unsigned next_container = 0;
    Touch_Frame frames[kept_touch_frames]{};
};

Dialogs& dialogs()
{
    static auto* d = new Dialogs;
    return *d;
}

long long now_ms()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}

void clear_dialogs() { dialogs() = Dialogs{}; }

void dismiss_rotate_box() { dialogs().rotate_handler = nullptr; }

Touch_Frame const* latest_touch_frame()
{
    Dialogs const& d = dialogs();
    return d.touch_set ? touch_frame(d.next_container - 1) : nullptr;
}

Touch_Frame const* touch_frame(unsigned index)
{
    Dialogs const& d = dialogs();
    // Containers given since the points were last set, the last few of them.
    if (!d.touch_set || index - (d.next_container - kept_touch_frames) >= kept_touch_frames)
        return nullptr;
    Touch_Frame const& frame = d.frames[index % kept_touch_frames];
    return frame.index == index ? &frame : nullptr;
}

}

using namespace host::detail;

extern "C" {

void OpenMenu(imenu* menu, int, int x, int y, iv_menuhandler handler)
{
    dialogs().menu = host::Open_Menu{menu, x, y, handler};
    dialogs().menu_is_open = true;
}

void OpenRotateBox(iv_rotatehandler handler) { dialogs().rotate_handler = handler; }

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

int set_touch_points(int x1, int y1, int x2, int y2, int count)
{
    Dialogs& d = dialogs();
    unsigned const index = d.next_container++;
    d.frames[index % kept_touch_frames] = Touch_Frame{index, count, {x1, x2}, {y1, y2}, now_ms()};
    d.touch_set = true;
    return detail::generation().touch_containers ? int(index) : 0;
}

void clear_touch_points()
{
    Dialogs& d = dialogs();
    d.touch_set = false;
    // Containers given before are gone with the touch.
    for (Touch_Frame& frame : d.frames)
        frame.index = d.next_container;
}

int generation() { return detail::generation().number; }

}
