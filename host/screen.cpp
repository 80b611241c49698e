// The screen buffer, the panel, orientation and the update log: the calls
// that copy the buffer to the panel and the queries tests make of both.
#include "host/screen.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "host/text_layer.h"

namespace host::detail {

namespace {

bool landscape(int orientation) { return orientation == 1 || orientation == 2; }

void blank(Screen& s)
{
    s.buffer.assign(std::size_t(s.width) * s.height, 255);
    s.panel = s.buffer;
}

std::size_t index_of(int x, int y)
{
    Screen const& s = screen();
    if (x < 0 || y < 0 || x >= s.width || y >= s.height)
        throw std::out_of_range("pixel outside the screen");
    return std::size_t(y) * s.width + x;
}

host::Update_Hook update_hook = nullptr;

void log_update(Update::Kind kind, Rect const& area)
{
    Screen& s = screen();
    for (int row = area.y; row < area.y + area.height; ++row) {
        std::size_t const start = std::size_t(row) * s.width + area.x;
        std::memcpy(&s.panel[start], &s.buffer[start], std::size_t(area.width));
    }
    s.updates.push_back({kind, area});
    s.refreshed += long(area.width) * area.height;
    ++s.generation;
    if (update_hook)
        update_hook(s.updates.back());
}

}

Screen& screen()
{
    // Never destroyed: the program may draw from its own static destructors.
    static Screen* s = [] {
        auto* fresh = new Screen;
        blank(*fresh);
        return fresh;
    }();
    return *s;
}

void reset_screen(int width, int height)
{
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        throw std::invalid_argument("screen size must be 1 to 16384 pixels a side");
    Screen& s = screen();
    s.portrait_width = s.width = width;
    s.portrait_height = s.height = height;
    s.orientation = 0;
    blank(s);
    s.updates.clear();
    s.refreshed = 0;
}

Rect intersect(long long x, long long y, long long w, long long h, Rect const& bounds)
{
    if (w <= 0 || h <= 0)
        return {};
    long long const left = std::max<long long>(x, bounds.x);
    long long const top = std::max<long long>(y, bounds.y);
    long long const right = std::min<long long>(x + w, (long long)bounds.x + bounds.width);
    long long const bottom = std::min<long long>(y + h, (long long)bounds.y + bounds.height);
    if (left >= right || top >= bottom)
        return {};
    return {std::int32_t(left), std::int32_t(top), std::int32_t(right - left), std::int32_t(bottom - top)};
}

Rect whole_screen() { return {0, 0, screen().width, screen().height}; }

Rect on_screen(long long x, long long y, long long w, long long h) { return intersect(x, y, w, h, whole_screen()); }

unsigned char grey_of(int colour)
{
    unsigned const c = unsigned(colour) & 0xFFFFFFu;
    unsigned const r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return static_cast<unsigned char>((r * 299 + g * 587 + b * 114 + 500) / 1000);
}

}

using namespace host::detail;

extern "C" {

void OpenScreen() {}  // the buffer exists from the start

int ScreenWidth() { return screen().width; }
int ScreenHeight() { return screen().height; }
int GetOrientation() { return screen().orientation; }

void SetOrientation(int orientation)
{
    if (orientation < 0 || orientation > 3)
        return;
    Screen& s = screen();
    bool const reshaped = landscape(orientation) != landscape(s.orientation);
    s.orientation = orientation;
    if (!reshaped)
        return;
    s.width = landscape(orientation) ? s.portrait_height : s.portrait_width;
    s.height = landscape(orientation) ? s.portrait_width : s.portrait_height;
    blank(s);
    host::detail::forget_all_text();
}

void SoftUpdate() { log_update(host::Update::soft, whole_screen()); }

void FullUpdate() { log_update(host::Update::full, whole_screen()); }

void PartialUpdate(int x, int y, int w, int h) { log_update(host::Update::partial, on_screen(x, y, w, h)); }

}

namespace host {

int width() { return screen().width; }
int height() { return screen().height; }
std::vector<unsigned char> const& buffer() { return screen().buffer; }
std::vector<unsigned char> const& panel() { return screen().panel; }
unsigned char buffer_pixel(int x, int y) { return screen().buffer[index_of(x, y)]; }
unsigned char panel_pixel(int x, int y) { return screen().panel[index_of(x, y)]; }

long stale_pixels() { return stale_pixels(whole_screen()); }

long stale_pixels(Rect const& area)
{
    Screen const& s = screen();
    Rect const a = on_screen(area.x, area.y, area.width, area.height);
    long count = 0;
    for (int row = a.y; row < a.y + a.height; ++row) {
        unsigned char const* b = &s.buffer[std::size_t(row) * s.width + a.x];
        unsigned char const* p = &s.panel[std::size_t(row) * s.width + a.x];
        for (int i = 0; i < a.width; ++i)
            count += b[i] != p[i];
    }
    return count;
}

std::vector<Update> const& updates() { return screen().updates; }
long refreshed_pixels() { return screen().refreshed; }

void clear_updates()
{
    screen().updates.clear();
    screen().refreshed = 0;
}

void set_update_hook(Update_Hook hook) { update_hook = hook; }

}
