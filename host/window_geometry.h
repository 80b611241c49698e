// Between window and screen: where the panel's picture sits in the window
// (as large as fits, aspect kept), which screen pixel a window point shows,
// and how large a window shows the whole screen on a desktop.
#pragma once

#include <optional>
#include <utility>

#include "platform/rect.h"

namespace host::detail {

struct Point {
    int x, y;
    bool operator==(Point const& o) const { return x == o.x && y == o.y; }
};

// The picture of a screen_width x screen_height screen in an area of the
// given size, centred; at least one pixel a side.
Rect fit_picture(int screen_width, int screen_height, int area_width, int area_height);

// The screen pixel under a window point; none outside the picture.
std::optional<Point> screen_point(Rect const& picture, int screen_width, int screen_height, int x, int y);
// The same, but a point outside gives the nearest pixel on the edge: a finger
// that slides off the picture stays on the screen.
Point screen_point_clamped(Rect const& picture, int screen_width, int screen_height, int x, int y);

// Pixel for pixel when the screen fits in the desktop area, else scaled down to fit.
std::pair<int, int> window_size(int screen_width, int screen_height, int desk_width, int desk_height);

// The picture is the screen enlarged by a whole factor (1 included), so
// taking the nearest pixel keeps text crisp; other sizes are smoothed.
bool whole_scale(Rect const& picture, int screen_width, int screen_height);

}
