// Telling the icons apart by a few traits of their ink that hold at every
// size: a triangle's base is one line across its whole box, which no stroked
// arrow has; backspace and enter lie flat while shift stands upright, and
// only enter has a riser at its right end.
#include "host/key_icons.h"

#include <algorithm>

#include "host/screen.h"

namespace host::detail {

namespace {

bool ink(int x, int y)
{
    Screen const& s = screen();
    return s.buffer[std::size_t(y) * s.width + std::size_t(x)] < 128;
}

// Inked pixels along a row or a column of the box.
int ink_along(int x, int y, int dx, int dy, int count)
{
    int pixels = 0;
    for (int i = 0; i < count; ++i, x += dx, y += dy)
        pixels += ink(x, y);
    return pixels;
}

int row_ink(Rect const& box, int y) { return ink_along(box.x, y, 1, 0, box.width); }
int column_ink(Rect const& box, int x) { return ink_along(x, box.y, 0, 1, box.height); }

// The smallest box holding all ink of the area; empty when there is none.
Rect ink_box(Rect const& area)
{
    int left = area.x + area.width, right = area.x - 1, top = area.y + area.height, bottom = area.y - 1;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x)
            if (ink(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < left)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

}

Key_Icon key_icon(Rect const& inside)
{
    Rect const box = ink_box(on_screen(inside.x, inside.y, inside.width, inside.height));
    if (box.empty())
        return Key_Icon::blank;
    int const right = box.x + box.width - 1, bottom = box.y + box.height - 1;
    if (box.width > box.height) {
        if (row_ink(box, bottom) == box.width)
            return Key_Icon::up;
        if (row_ink(box, box.y) == box.width)
            return Key_Icon::down;
        // The shaft's end is three pixels high; a riser is higher.
        return column_ink(box, right) > 3 ? Key_Icon::enter : Key_Icon::backspace;
    }
    if (column_ink(box, right) == box.height)
        return Key_Icon::left;
    if (column_ink(box, box.x) == box.height)
        return Key_Icon::right;
    return Key_Icon::shift;
}

}
