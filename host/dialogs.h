// The platform's dialogs as the stand-in keeps them: the open menu, the open
// orientation chooser and the touch points of the multi-touch events. The
// optional calls that return records are in generation_calls.cpp, as each
// generation lays its records out.
#pragma once

#include "platform/inkview.h"

namespace host::detail {

void clear_dialogs();

// Closes the orientation chooser without an answer, as a tap beside it does.
void dismiss_rotate_box();

// The points of one multi-touch event, in its container.
struct Touch_Frame {
    unsigned index;      // the container: EVT_MTSYNC's first parameter from generation 2 on
    int count;           // fingers down; the records past them are not active
    int x[2], y[2];
    long long time_ms;   // when the points were set, from the loop's clock
};

// Containers stay readable for this many events after theirs.
unsigned constexpr kept_touch_frames = 8;

// The latest frame, or one by its container; null when there is none (none
// set since the points were cleared, or the container no longer kept).
Touch_Frame const* latest_touch_frame();
Touch_Frame const* touch_frame(unsigned index);

}
