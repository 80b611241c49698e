// The icons drawn instead of a label: the backspace arrow, the enter arrow
// with its riser and the shift arrow, every stroke three pixels thick; and
// the cursor keys' solid triangles, which no stroked arrow can be taken for.
// All are sized from the key's shorter side.
#include "keyboard/kbd_button.h"

#include <algorithm>

#include "platform/inkview.h"

bool Kbd_Button::icon(Icon& out) const
{
    std::int32_t const a = 2 * std::min(width, height) / 3;
    out = {x + width / 2, y + height / 2, a, a / 3, 2 * a / 3};
    // Below this the strokes would get negative lengths.
    return out.u > 4;
}

// The head of an arrow pointing left, its tip half the icon size left of the centre.
void Kbd_Button::draw_left_arrow_head(Icon const& i)
{
    FillArea(i.cx, i.cy - i.t + 2, 3, i.u - 4, BLACK);
    std::int32_t const tip = i.cx - i.a / 2;
    for (int k = 0; k < 3; ++k)
        DrawLine(tip + k, i.cy, i.cx + 2, i.cy + i.t - k, BLACK);
    for (int k = 0; k < 3; ++k)
        DrawLine(tip + k, i.cy, i.cx + 2, i.cy - i.t + k, BLACK);
}

void Kbd_Button::draw_backspace() const
{
    Icon i;
    if (!icon(i))
        return;
    FillArea(i.cx, i.cy - 1, i.a / 2, 3, BLACK);
    draw_left_arrow_head(i);
}

void Kbd_Button::draw_enter() const
{
    Icon i;
    if (!icon(i))
        return;
    FillArea(i.cx, i.cy - 1, i.a / 2, 3, BLACK);
    FillArea(i.cx + i.a / 2, i.cy - i.t, 3, i.t + 2, BLACK);
    draw_left_arrow_head(i);
}

void Kbd_Button::draw_shift() const
{
    Icon i;
    if (!icon(i))
        return;
    FillArea(i.cx - 1, i.cy, 3, i.a / 2, BLACK);
    FillArea(i.cx - i.t + 2, i.cy, i.u - 4, 3, BLACK);
    std::int32_t const tip = i.cy - i.a / 2;
    for (int k = 0; k < 3; ++k)
        DrawLine(i.cx - i.t + k, i.cy + 1, i.cx, tip + k, BLACK);
    for (int k = 0; k < 3; ++k)
        DrawLine(i.cx + i.t - k, i.cy + 1, i.cx, tip + k, BLACK);
}

void Kbd_Button::draw_cursor_arrow(int dx, int dy) const
{
    Icon i;
    if (!icon(i))
        return;
    // Lines across the direction, widening by one pixel each side per step
    // back from the tip.
    std::int32_t const length = i.a / 2;
    for (std::int32_t k = 0; k < length; ++k) {
        std::int32_t const along = length / 2 - k;
        if (dy != 0)
            FillArea(i.cx - k, i.cy + dy * along, 2 * k + 1, 1, BLACK);
        else
            FillArea(i.cx + dx * along, i.cy - k, 1, 2 * k + 1, BLACK);
    }
}
