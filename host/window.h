// The desktop window: the panel as the user sees it, scaled to the window,
// with the mouse as fingers, function keys as the hardware keys, the desktop
// keyboard typing on the on-screen keyboard, and menus drawn over it. It is
// the loop's event source when a display is there.
#pragma once

#include <memory>

#include "host/event_source.h"

namespace host::detail {

// Null when no display is named or none can be opened (then after one line
// on standard error, so that a headless run is not a mystery).
std::unique_ptr<Event_Source> open_window();

}
