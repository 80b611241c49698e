// Kbd_Row: a row line split into keys, with trailing gaps dropped; placing
// the keys edge to edge and the binary search over them.
#include "keyboard/kbd_row.h"

#include <limits>

#include "app/tarn_exception.h"
#include "config/utils.h"

Kbd_Row::Kbd_Row(std::string const& row)
{
    // Summed wide: a file may give keys any 32-bit width.
    std::int64_t total = 0;
    for (std::string const& token : Utils::split_string(row, " \t")) {
        buttons.emplace_back(token);
        total += buttons.back().units;
    }
    // Gap keys at the right end take no room.
    while (!buttons.empty() && buttons.back().hidden) {
        total -= buttons.back().units;
        buttons.pop_back();
    }
    if (total > std::numeric_limits<std::int32_t>::max() || total < std::numeric_limits<std::int32_t>::min())
        throw Tarn_Exception("Keyboard row too wide: '" + row + "'");
    units = static_cast<std::int32_t>(total);
}

void Kbd_Row::size_changed(std::int32_t new_x, std::int32_t new_y, std::int32_t unit, std::int32_t height)
{
    x = new_x;
    y = new_y;
    std::int32_t key_x = x;
    for (Kbd_Button& key : buttons)
        key_x = key.change_size(key_x, y, unit, height);
}

Kbd_Button const* Kbd_Row::find_button(std::int32_t px) const
{
    if (buttons.empty())
        return nullptr;
    if (buttons.front().is_right_of(px) || buttons.back().is_left_of(px))
        return nullptr;
    unsigned const n = static_cast<unsigned>(buttons.size());
    Kbd_Button const* key = find_button_rec(0, n / 2, n - 1, px);
    return key && !key->hidden ? key : nullptr;
}

Kbd_Button const* Kbd_Row::find_button_rec(unsigned low, unsigned index, unsigned high, std::int32_t px) const
{
    // Keys touch without gaps, so the key holding px stays within [low, high].
    // Each step narrows that range, and the bounds checks end the search in
    // the row even for widths that break the rule.
    while (!buttons[index].is_on(px)) {
        if (buttons[index].is_right_of(px)) {
            if (index == low)
                return nullptr;
            high = index - 1;
        } else {
            if (index == high)
                return nullptr;
            low = index + 1;
        }
        index = (low + high) / 2;
    }
    return &buttons[index];
}

void Kbd_Row::draw() const
{
    for (Kbd_Button const& key : buttons)
        key.draw();
}
