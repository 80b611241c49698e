// Kbd_Row: one row of keys, left to right, built from one row line of the
// keyboard file; it places its keys side by side and finds the key under
// an x position by binary search.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "keyboard/kbd_button.h"

class Kbd_Row {
public:
    // Throws Tarn_Exception for an invalid key, or a row too wide to measure.
    explicit Kbd_Row(std::string const& row);

    void size_changed(std::int32_t x, std::int32_t y, std::int32_t unit, std::int32_t height);
    Kbd_Button const* find_button(std::int32_t px) const;
    void draw() const;

    std::vector<Kbd_Button> buttons;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t units = 0;

private:
    // The key whose span holds px; there must be one.
    Kbd_Button const* find_button_rec(unsigned low, unsigned index, unsigned high, std::int32_t px) const;
};
