// Overlay painting and composing. Text goes through the stand-in's own font
// code (the glyph cache), so menus look like the program's own text.
#include "host/window_overlay.h"

#include <algorithm>
#include <cstring>

#include "host/fonts.h"
#include "host/screen.h"
#include "host/utf8.h"

namespace host::detail {

void Overlay::resize(int width, int height)
{
    w = std::max(width, 0);
    h = std::max(height, 0);
    grey.assign(std::size_t(w) * h, 255);
    mask.assign(std::size_t(w) * h, 0);
    covered = 0;
    ++changes;
}

void Overlay::clear() { resize(w, h); }

void Overlay::paint(int x, int y, unsigned char g)
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return;
    std::size_t const i = std::size_t(y) * w + x;
    ++changes;
    grey[i] = g;
    if (!mask[i]) {
        mask[i] = 1;
        ++covered;
    }
}

void Overlay::fill(Rect const& area, unsigned char g)
{
    Rect const a = intersect(area.x, area.y, area.width, area.height, {0, 0, w, h});
    for (int y = a.y; y < a.y + a.height; ++y)
        for (int x = a.x; x < a.x + a.width; ++x)
            paint(x, y, g);
}

void Overlay::frame(Rect const& a, int thickness, unsigned char g)
{
    fill({a.x, a.y, a.width, thickness}, g);
    fill({a.x, a.y + a.height - thickness, a.width, thickness}, g);
    fill({a.x, a.y, thickness, a.height}, g);
    fill({a.x + a.width - thickness, a.y, thickness, a.height}, g);
}

void Overlay::disc(int cx, int cy, int r, unsigned char g)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (dx * dx + dy * dy <= r * r)
                paint(cx + dx, cy + dy, g);
}

void Overlay::arrow(int x, int y, int size, unsigned char g)
{
    for (int dx = 0; dx <= size; ++dx)
        for (int dy = -dx; dy <= dx; ++dy)
            paint(x - dx, y + dy, g);
}

void Overlay::text(ifont const* font, int x, int baseline, std::string const& s, unsigned char g, Rect const& clip)
{
    Face* face = face_of(font);
    if (!face)
        return;
    Rect const bounds = intersect(clip.x, clip.y, clip.width, clip.height, {0, 0, w, h});
    long long pen = x;
    char const* end = s.data() + s.size();
    for (char const* p = s.data(); p < end;) {
        Glyph const& glyph_drawn = glyph(*face, next_code_point(p, end));
        long long const left = pen + glyph_drawn.left, top = (long long)baseline - glyph_drawn.top;
        Rect const area = intersect(left, top, glyph_drawn.width, glyph_drawn.rows, bounds);
        for (int y = area.y; y < area.y + area.height; ++y) {
            for (int px = area.x; px < area.x + area.width; ++px) {
                unsigned const a = glyph_drawn.coverage[std::size_t(y - top) * glyph_drawn.width + std::size_t(px - left)];
                if (a)
                    paint(px, y, static_cast<unsigned char>((pixel(px, y) * (255 - a) + g * a + 127) / 255));
            }
        }
        pen += glyph_drawn.advance;
    }
}

bool Overlay::covers(int x, int y) const
{
    return x >= 0 && y >= 0 && x < w && y < h && mask[std::size_t(y) * w + x];
}

unsigned char Overlay::pixel(int x, int y) const
{
    return x >= 0 && y >= 0 && x < w && y < h ? grey[std::size_t(y) * w + x] : 255;
}

void Overlay::compose(std::vector<unsigned char> const& panel, bool flash, std::vector<std::uint32_t>& out) const
{
    std::size_t const n = std::min(panel.size(), grey.size());
    out.resize(panel.size());
    for (std::size_t i = 0; i < panel.size(); ++i) {
        std::uint32_t g = flash ? 0 : panel[i];
        if (i < n && mask[i])
            g = grey[i];
        out[i] = 0xFF000000u | g << 16 | g << 8 | g;
    }
}

}
