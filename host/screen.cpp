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

bool overlap(Rect const& a, Rect const& b)
{
    return !intersect(a.x, a.y, a.width, a.height, b).empty();
}

bool inside(Rect const& a, Rect const& b)
{
    return a.x >= b.x && a.y >= b.y && a.x + a.width <= b.x + b.width && a.y + a.height <= b.y + b.height;
}

// From now, or from the end of the last running update it overlaps: a panel
// runs one waveform over a pixel at a time.
void schedule(Screen& s, Update& update)
{
    long long const now = host::clock_ms();
    auto& running = s.running;
    update.start_ms = now;
    for (Update const& u : running)
        if (overlap(u.area, update.area))
            update.start_ms = std::max(update.start_ms, u.end_ms);
    update.end_ms = update.start_ms + (update.area.empty() ? 0 : host::update_ms(update.kind));
    if (update.area.empty())
        return;
    // One inside the new update ends before it, and whatever overlaps it
    // overlaps the new one: the list stays short however fast updates come.
    running.erase(std::remove_if(running.begin(), running.end(),
                                 [&](Update const& u) { return u.end_ms <= now || inside(u.area, update.area); }),
                  running.end());
    running.push_back(update);
    // A panel this far behind is modelled coarsely: as one update over all
    // of them, so that a flood of output costs no more per update.
    constexpr std::size_t most_running = 32;
    if (running.size() > most_running) {
        Update all = running.back();
        for (Update const& u : running) {
            all.area += u.area;
            all.end_ms = std::max(all.end_ms, u.end_ms);
        }
        running.assign(1, all);
    }
}

void show(Screen& s, Update::Kind kind, Rect const& area)
{
    bool const black_and_white = host::monochrome(kind);
    for (int row = area.y; row < area.y + area.height; ++row) {
        std::size_t const start = std::size_t(row) * s.width + area.x;
        if (!black_and_white) {
            std::memcpy(&s.panel[start], &s.buffer[start], std::size_t(area.width));
            continue;
        }
        for (std::size_t i = start; i < start + std::size_t(area.width); ++i)
            s.panel[i] = s.buffer[i] < 128 ? 0 : 255;
    }
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
    s.running.clear();
    s.epoch = Clock::now();
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

void update_panel(Update::Kind kind, long long x, long long y, long long w, long long h)
{
    Screen& s = screen();
    Update update{kind, on_screen(x, y, w, h)};
    show(s, kind, update.area);
    schedule(s, update);
    s.updates.push_back(update);
    s.refreshed += long(update.area.width) * update.area.height;
    ++s.generation;
    if (update_hook)
        update_hook(s.updates.back());
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

void SoftUpdate() { update_panel(host::Update::soft, 0, 0, screen().width, screen().height); }

void FullUpdate() { update_panel(host::Update::full, 0, 0, screen().width, screen().height); }

void PartialUpdate(int x, int y, int w, int h) { update_panel(host::Update::partial, x, y, w, h); }

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

char const* kind_name(Update::Kind kind)
{
    switch (kind) {
    case Update::partial: return "partial";
    case Update::soft: return "soft";
    case Update::full: return "full";
    case Update::a2: return "a2";
    case Update::du: return "du";
    case Update::bw: return "bw";
    }
    return "?";
}

bool monochrome(Update::Kind kind) { return kind == Update::a2 || kind == Update::du || kind == Update::bw; }

// A2 and DU are the panel's two monochrome waveforms; PartialUpdateBW is taken
// to drive DU.
int update_ms(Update::Kind kind)
{
    switch (kind) {
    case Update::a2: return 120;
    case Update::du:
    case Update::bw: return 260;
    case Update::partial:
    case Update::soft: return 450;
    case Update::full: return 600;
    }
    return 0;
}

long long clock_ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - screen().epoch).count();
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
