// Keyboard_Handler: construction, the geometry shared by all layouts, and
// drawing the layout shown together with the keys held or armed.
#include "keyboard/keyboard_handler.h"

#include <algorithm>

#include "app/tarn_exception.h"
#include "config/config.h"

Keyboard_Handler::Keyboard_Handler(Messenger& m, Config const& config)
    : messenger(m),
      font(OpenFont(config.kbd_font.c_str(), config.kbd_font_size, 0)),
      font_size(config.kbd_font_size),
      minimum_height(config.minimum_keyboard_height)
{
    if (!font)
        throw Tarn_Exception("Can't open keyboard font '" + config.kbd_font + "'");
    read_kbd_file(config.keyboard_file);
    screen_dimensions_changed();
}

Keyboard_Handler::~Keyboard_Handler() = default;

void Keyboard_Handler::screen_dimensions_changed()
{
    // The keys' old places no longer apply; the redraw shows them all released.
    pressed_button = nullptr;
    ctrl_button = nullptr;

    std::int32_t const w = ScreenWidth();
    std::int32_t const h = ScreenHeight();
    std::int32_t const unit = w / max_units;
    // From the shorter side, so the height is the same in every orientation.
    std::int32_t row_height = std::min(std::min(w, h) / max_units, 2 * font_size);
    std::int32_t const rows = static_cast<std::int32_t>(layouts[0].rows.size());
    if (static_cast<std::int64_t>(row_height) * rows < minimum_height)
        row_height = minimum_height / rows + 1;
    row_height = std::max(row_height, font->height + 4);

    height = row_height * rows;
    top = h - height;
    for (Keyboard& layout : layouts)
        layout.size_changed(top, unit, row_height);
    draw();
}

void Keyboard_Handler::draw()
{
    SetFont(font.get(), BLACK);
    // A held key and an armed ctrl key stay highlighted across a full redraw,
    // so that their release flips them back to normal.
    std::vector<Kbd_Button const*> highlighted;
    if (ctrl_button)
        highlighted.push_back(ctrl_button);
    if (pressed_button && pressed_button != ctrl_button)
        highlighted.push_back(pressed_button);
    layouts[static_cast<std::size_t>(current_layout)].draw(highlighted);
}
