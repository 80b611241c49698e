// Keyboard: a layout's rows placed below each other from its top, the row
// found by one division, and the drawing of the keyboard area with its
// separator line and black side margins.
#include "keyboard/keyboard.h"

#include <algorithm>

#include "platform/inkview.h"

Keyboard::Keyboard(std::vector<std::string> const& row_lines)
{
    for (std::string const& line : row_lines) {
        rows.emplace_back(line);
        units = std::max(units, rows.back().units);
    }
}

void Keyboard::size_changed(std::int32_t new_top, std::int32_t unit, std::int32_t new_row_height)
{
    top = new_top;
    row_height = new_row_height;
    left = (ScreenWidth() - unit * units) / 2;
    std::int32_t y = top;
    for (Kbd_Row& row : rows) {
        row.size_changed(left, y, unit, row_height);
        y += row_height;
    }
}

Kbd_Button const* Keyboard::find_button(std::int32_t px, std::int32_t py) const
{
    if (row_height <= 0)
        return nullptr;
    // Wide, so that no point can overflow. The separator's two pixel rows
    // just above the first row belong to it.
    std::int64_t const below_top = static_cast<std::int64_t>(py) - top;
    if (below_top < -2)
        return nullptr;
    std::int64_t const index = std::max<std::int64_t>(below_top, 0) / row_height;
    if (index >= static_cast<std::int64_t>(rows.size()))
        return nullptr;
    return rows[static_cast<std::size_t>(index)].find_button(px);
}

void Keyboard::draw(std::vector<Kbd_Button const*> const& highlighted) const
{
    std::int32_t const w = ScreenWidth();
    std::int32_t const h = ScreenHeight();
    FillArea(0, top, w, h - top, WHITE);
    FillArea(0, top - 2, w, 3, BLACK);
    FillArea(0, top, left, h - top, BLACK);
    FillArea(w - left, top, left, h - top, BLACK);
    for (Kbd_Row const& row : rows)
        row.draw();
    for (Kbd_Button const* key : highlighted)
        key->invert_area();
    PartialUpdate(0, top - 2, w, h - top + 2);
}

bool Keyboard::has_negative_width() const
{
    for (Kbd_Row const& row : rows)
        for (Kbd_Button const& key : row.buttons)
            if (key.units < 0)
                return true;
    return false;
}
