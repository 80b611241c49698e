// Kbd_Button: one key of a layout, made from one key token of a row
// line; it knows its place on the screen, draws its frame and label or icon,
// and flips its inner area while it is held.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rect.h"

// The texts of the two keys that act on the keyboard itself. 0xFF never
// begins a UTF-8 character, so no character key can produce them.
namespace key_marker {
inline std::string const shift{'\xFF', '\x31'};
inline std::string const ctrl{'\xFF', '\x32'};
}

class Kbd_Button {
public:
    // Throws Tarn_Exception "Invalid key specification '<token>'".
    explicit Kbd_Button(std::string const& token);

    // Places the key; returns the x just right of it.
    std::int32_t change_size(std::int32_t x, std::int32_t y, std::int32_t unit, std::int32_t height);

    bool is_on(std::int32_t px) const { return x <= px && px < x + width; }
    bool is_right_of(std::int32_t px) const { return px < x; }
    bool is_left_of(std::int32_t px) const { return px >= x + width; }

    void draw() const;
    // Flips the highlight in the screen buffer: the inner area, the frame and
    // a thin ring inside it staying. The area flipped, for the caller to
    // refresh; empty for a gap or a key too small to have an inside.
    Rect invert_area() const;

    Rect area() const { return {x, y, width, height}; }

    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t units = 1;
    std::string label;  // the text drawn, or the name of an icon
    std::string text;   // the bytes the key produces
    bool sticky = false;  // stays highlighted after release
    bool hidden = false;  // a gap: never drawn, never found

private:
    Rect inner_area() const;
    bool has_inside() const;
    // Icon geometry from the key's centre; false when the key is too small for it.
    struct Icon {
        std::int32_t cx, cy, a, t, u;
    };
    bool icon(Icon& out) const;
    void draw_backspace() const;
    void draw_enter() const;
    void draw_shift() const;
    // A solid triangle pointing along (dx, dy), one of them 0 and the other 1 or -1.
    void draw_cursor_arrow(int dx, int dy) const;
    static void draw_left_arrow_head(Icon const& i);
};
