// Keyboard: one layout, its rows from top to bottom, centred as a block at
// the bottom of the screen. It finds the key under a point and draws the
// whole keyboard area.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "keyboard/kbd_row.h"

class Keyboard {
public:
    explicit Keyboard(std::vector<std::string> const& row_lines);

    void size_changed(std::int32_t top, std::int32_t unit, std::int32_t row_height);
    // None for a point outside the rows, on a gap or beside a short row.
    Kbd_Button const* find_button(std::int32_t px, std::int32_t py) const;
    // Draws the area from the separator line down, shows the given keys
    // highlighted, and refreshes the area once.
    void draw(std::vector<Kbd_Button const*> const& highlighted) const;

    bool has_negative_width() const;

    std::vector<Kbd_Row> rows;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t row_height = 0;
    std::int32_t units = 0;
};
