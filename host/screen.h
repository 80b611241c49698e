// The stand-in's screen: the buffer that drawing paints into, the panel that
// shows it only after an update (as e-ink does), the orientation, and the log
// of updates with the times a reader's panel would take for them. Internal
// to the library; host/host.h is the public face.
#pragma once

#include <cstdint>
#include <vector>

#include "host/host.h"
#include "host/timers.h"

namespace host::detail {

struct Screen {
    int portrait_width = 600;  // size in orientation 0
    int portrait_height = 800;
    int orientation = 0;
    int width = 600;
    int height = 800;
    std::vector<unsigned char> buffer;
    std::vector<unsigned char> panel;
    std::vector<Update> updates;
    // The updates a panel would still be running, for the ones after to wait
    // for; kept apart from the log, which its readers may clear.
    std::vector<Update> running;
    Clock::time_point epoch = Clock::now();
    long refreshed = 0;
    // Counts every update and is never cleared, so that waiting for a quiet
    // panel does not depend on the log.
    std::uint64_t generation = 0;
};

Screen& screen();

// A white buffer and panel of width x height in orientation 0, empty log,
// the clock at 0.
void reset_screen(int width, int height);

// The panel shows the buffer's area (clipped to the screen) as an update of
// this kind does, and the update is logged.
void update_panel(Update::Kind kind, long long x, long long y, long long w, long long h);

// The part of the rectangle inside bounds; all zero when nothing is. Takes
// wide integers so that no sum of caller values can overflow.
Rect intersect(long long x, long long y, long long w, long long h, Rect const& bounds);
Rect on_screen(long long x, long long y, long long w, long long h);
Rect whole_screen();

// 0xRRGGBB to 8-bit grey (0 black, 255 white).
unsigned char grey_of(int colour);

}
