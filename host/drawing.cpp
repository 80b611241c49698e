// The drawing primitives: fills, frames, lines and inversion, all into the
// screen buffer and all clipped to it whatever the arguments. Frames are
// remembered, as text is, for finding the keys they outline.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "host/screen.h"
#include "host/text_layer.h"

using namespace host::detail;

namespace {

void fill(Rect const& area, unsigned char grey)
{
    Screen& s = screen();
    for (int row = area.y; row < area.y + area.height; ++row)
        std::memset(&s.buffer[std::size_t(row) * s.width + area.x], grey, std::size_t(area.width));
}

void plot(long long x, long long y, unsigned char grey)
{
    Screen& s = screen();
    if (x >= 0 && y >= 0 && x < s.width && y < s.height)
        s.buffer[std::size_t(y) * s.width + std::size_t(x)] = grey;
}

// Cuts the segment to the box [-1, width] x [-1, height] (Liang-Barsky), so
// that a line between far-away points costs no more than one across the
// screen; false when it misses the box.
bool cut_to_screen(long long& x1, long long& y1, long long& x2, long long& y2)
{
    double const dx = double(x2 - x1), dy = double(y2 - y1);
    double const p[4] = {-dx, dx, -dy, dy};
    double const q[4] = {double(x1 + 1), double(screen().width - x1), double(y1 + 1), double(screen().height - y1)};
    double t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        double const t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    double const ox = double(x1), oy = double(y1);
    x1 = std::llround(ox + t0 * dx);
    y1 = std::llround(oy + t0 * dy);
    x2 = std::llround(ox + t1 * dx);
    y2 = std::llround(oy + t1 * dy);
    return true;
}

}

extern "C" {

void ClearScreen()
{
    fill(whole_screen(), 255);
    forget_all_text();
}

void FillArea(int x, int y, int w, int h, int colour)
{
    unsigned char const grey = grey_of(colour);
    fill(on_screen(x, y, w, h), grey);
    if (grey == 255)
        forget_text_under({x, y, w, h});
}

void DrawRect(int x, int y, int w, int h, int colour)
{
    if (w <= 0 || h <= 0)
        return;
    unsigned char const grey = grey_of(colour);
    long long const right = (long long)x + w - 1, bottom = (long long)y + h - 1;
    fill(on_screen(x, y, w, 1), grey);
    fill(on_screen(x, bottom, w, 1), grey);
    fill(on_screen(x, y, 1, h), grey);
    fill(on_screen(right, y, 1, h), grey);
    if (grey != 255)
        record_frame({x, y, w, h});
}

void DrawLine(int x1, int y1, int x2, int y2, int colour)
{
    unsigned char const grey = grey_of(colour);
    long long ax = x1, ay = y1, bx = x2, by = y2;
    // Exact Bresenham for any line near the screen; only far endpoints are cut first.
    long long const near = 1 << 17;
    bool const far = std::llabs(ax) > near || std::llabs(ay) > near || std::llabs(bx) > near || std::llabs(by) > near;
    if (far && !cut_to_screen(ax, ay, bx, by))
        return;
    long long const dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
    int const sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    long long err = dx + dy;
    for (;;) {
        plot(ax, ay, grey);
        if (ax == bx && ay == by)
            break;
        long long const e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            ax += sx;
        }
        if (e2 <= dx) {
            err += dx;
            ay += sy;
        }
    }
}

void InvertArea(int x, int y, int w, int h)
{
    Rect const area = on_screen(x, y, w, h);
    Screen& s = screen();
    for (int row = area.y; row < area.y + area.height; ++row) {
        unsigned char* p = &s.buffer[std::size_t(row) * s.width + area.x];
        for (int i = 0; i < area.width; ++i)
            p[i] = static_cast<unsigned char>(255 - p[i]);
    }
}

}
