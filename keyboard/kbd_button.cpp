// Kbd_Button: parsing of one key token of a row ("q", "::2", "space:2",
// "ctrl", "pgup"), the key's placement, its frame and label, and its highlight.
#include "keyboard/kbd_button.h"

#include "app/tarn_exception.h"
#include "config/utils.h"
#include "keyboard/key_sequences.h"
#include "platform/inkview.h"
#include "platform/inkview_utils.h"

namespace {

struct Keyword {
    char const* name;
    char const* label;
    std::string text;
    bool sticky;
    bool hidden;
};

// Matched in this order; labels "sh", "Ok", "bs" and the four arrows are
// drawn as icons.
Keyword const keywords[] = {
    {"na", "", "", false, true},
    {"cn", "", "", false, true},
    {"shift", "sh", key_marker::shift, false, false},
    {"ctrl", "Ctrl", key_marker::ctrl, true, false},
    {"bs", "bs", "\x08", false, false},
    {"space", "", " ", false, false},
    {"esc", "Esc", "\x1B", false, false},
    {"ok", "Ok", key_sequence::enter, false, false},
    {"tab", "Tab", "\x09", false, false},
    {"up", "up", key_sequence::up, false, false},
    {"down", "down", key_sequence::down, false, false},
    {"left", "left", key_sequence::left, false, false},
    {"right", "right", key_sequence::right, false, false},
    {"pgup", "PgUp", key_sequence::page_up, false, false},
    {"pgdn", "PgDn", key_sequence::page_down, false, false},
    {"home", "Home", key_sequence::home, false, false},
    {"end", "End", key_sequence::end, false, false},
};

Tarn_Exception invalid(std::string const& token)
{
    return Tarn_Exception("Invalid key specification '" + token + "'");
}

}

Kbd_Button::Kbd_Button(std::string const& token)
{
    int const first_char = Utils::utf8_len(token);
    if (first_char <= 0)
        throw invalid(token);

    // A colon after the first character starts the width, so ":" alone is a key.
    std::string key = token;
    std::string::size_type const colon = token.find(':', static_cast<std::string::size_type>(first_char));
    if (colon != std::string::npos) {
        if (!Utils::to_int(units, token.substr(colon + 1), 10))
            throw invalid(token);
        key = token.substr(0, colon);
    }

    if (key.size() == static_cast<std::string::size_type>(first_char)) {
        label = key;
        text = key;
        return;
    }
    for (Keyword const& k : keywords) {
        if (key == k.name) {
            label = k.label;
            text = k.text;
            sticky = k.sticky;
            hidden = k.hidden;
            return;
        }
    }
    throw invalid(token);
}

std::int32_t Kbd_Button::change_size(std::int32_t new_x, std::int32_t new_y, std::int32_t unit, std::int32_t new_height)
{
    x = new_x;
    y = new_y;
    width = unit * units;
    height = new_height;
    return x + width;
}

void Kbd_Button::draw() const
{
    if (hidden)
        return;
    // One pixel wider and taller, so that neighbours share their frame lines.
    DrawRect(x, y, width + 1, height + 1, BLACK);
    if (label.empty())
        return;
    if (label == "sh")
        draw_shift();
    else if (label == "Ok")
        draw_enter();
    else if (label == "bs")
        draw_backspace();
    else if (label == "up")
        draw_cursor_arrow(0, -1);
    else if (label == "down")
        draw_cursor_arrow(0, 1);
    else if (label == "left")
        draw_cursor_arrow(-1, 0);
    else if (label == "right")
        draw_cursor_arrow(1, 0);
    else
        DrawTextRect(x, y, width, height, label.c_str(), ALIGN_CENTER | VALIGN_MIDDLE);
}

Rect Kbd_Button::inner_area() const { return {x + 2, y + 2, width - 4, height - 4}; }

// Gaps, and keys too small to have an inside, show no highlight.
bool Kbd_Button::has_inside() const
{
    Rect const inner = inner_area();
    return !hidden && inner.width > 0 && inner.height > 0;
}

Rect Kbd_Button::invert_area() const
{
    if (!has_inside())
        return Rect{};
    Inkview_Utils::InvertAreaR(inner_area());
    return inner_area();
}
