// The window's overlay: what the stand-in itself draws over the panel (menus
// and the orientation chooser), kept apart from the screen buffer the program
// draws in, so that the panel shows again untouched when the overlay clears.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/inkview.h"
#include "platform/rect.h"

namespace host::detail {

class Overlay {
public:
    // Empty, of the screen's size.
    void resize(int width, int height);
    void clear();
    int width() const { return w; }
    int height() const { return h; }
    bool empty() const { return covered == 0; }
    // Counts changes, so that the window knows when to show the overlay again.
    std::uint64_t generation() const { return changes; }

    // Painting, clipped to the overlay.
    void fill(Rect const& area, unsigned char grey);
    void frame(Rect const& area, int thickness, unsigned char grey);
    void disc(int centre_x, int centre_y, int radius, unsigned char grey);
    // A small triangle pointing right, its tip at (x, y).
    void arrow(int x, int y, int size, unsigned char grey);
    // One line of text with its baseline at y, blended over what the overlay
    // holds there; nothing without a font.
    void text(ifont const* font, int x, int baseline, std::string const& text, unsigned char grey, Rect const& clip);

    bool covers(int x, int y) const;
    unsigned char pixel(int x, int y) const;

    // The panel with the overlay on top as 0xAARRGGBB pixels; all black
    // instead of the panel while a full refresh flashes.
    void compose(std::vector<unsigned char> const& panel, bool flash, std::vector<std::uint32_t>& out) const;

private:
    void paint(int x, int y, unsigned char grey);

    int w = 0, h = 0;
    std::vector<unsigned char> grey;
    std::vector<unsigned char> mask;  // 1 where the overlay hides the panel
    long covered = 0;
    std::uint64_t changes = 0;
};

}
