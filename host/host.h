// The desktop stand-in's own interface, beside the InkView calls it implements:
// what tests, the event-script driver and the window read and steer. Nothing
// in the program itself includes this header.
#pragma once

#include <string>
#include <vector>

#include "platform/inkview.h"
#include "platform/rect.h"

// The optional refreshes: the program looks them up at run time instead of
// linking them, so no platform header declares them. Every generation has
// these; DynamicUpdateA2 only generations 2 and 3.
extern "C" void FullUpdate(void);
extern "C" void DynamicUpdateBW(int x, int y, int w, int h);
extern "C" void PartialUpdateBW(int x, int y, int w, int h);

namespace host {

// Back to a fresh platform: a white screen buffer and panel of width x height
// in orientation 0, no timers, no open menu or chooser, empty logs, no touch
// points, no close request. Font folders stay.
void reset(int width = 600, int height = 800);

// Current orientation's size; pixels are 8-bit grey (0 black, 255 white), row-major.
int width();
int height();
std::vector<unsigned char> const& buffer();
std::vector<unsigned char> const& panel();
unsigned char buffer_pixel(int x, int y);
unsigned char panel_pixel(int x, int y);
// Pixels where the panel differs from the buffer, in all of the screen or in one area.
long stale_pixels();
long stale_pixels(Rect const& area);

struct Update {
    // full: FullUpdate, the refresh that clears e-ink's traces (and flashes).
    // a2, du, bw: DynamicUpdateA2, DynamicUpdateBW and PartialUpdateBW, which
    // show each pixel of their area black or white, split at mid grey; the
    // others show the buffer as it is.
    enum Kind { partial, soft, full, a2, du, bw } kind;
    Rect area;  // clipped to the screen
    // When a reader's panel would run it, in ms on clock_ms(): from the call,
    // or from the end of a running update it overlaps, for as long as its
    // kind takes (update_ms); an update of no pixels takes no time.
    long long start_ms = 0;
    long long end_ms = 0;
};
// "partial", "soft", "full", "a2", "du" or "bw".
char const* kind_name(Update::Kind kind);
bool monochrome(Update::Kind kind);
// The modelled time of an update of this kind: a2 120 ms, du and bw 260,
// partial and soft 450, full 600.
int update_ms(Update::Kind kind);
// Milliseconds since the screen was last reset, the update log's clock.
long long clock_ms();
std::vector<Update> const& updates();
long refreshed_pixels();  // total area of all updates so far
void clear_updates();
// Called with each update as soon as the panel shows it, for measurements
// that need the moment (bench/); null for none. Kept across reset.
using Update_Hook = void (*)(Update const& update);
void set_update_hook(Update_Hook hook);

// What DrawString and DrawTextRect put on screen and is still there.
struct Text_Entry {
    enum Kind { string, rect } kind;
    Rect area;          // for string: the origin and the drawn extent
    std::string font;   // the font's name
    int size;
    std::string text;
};
std::vector<Text_Entry> text_layer();  // sorted by y, then x

// Weak timers.
bool timer_armed(iv_timerproc proc);
std::string timer_name(iv_timerproc proc);
int timer_delay(iv_timerproc proc);  // ms it was armed with
void fire_timers();                  // runs every armed timer now, once
// Timer functions run since the last reset: how often an idle program wakes (bench/).
unsigned long timer_firings();

// The menu and orientation chooser the program opened.
struct Open_Menu {
    imenu* items;
    int x, y;
    iv_menuhandler handler;
};
bool menu_open();
Open_Menu const& open_menu();
void answer_menu(int index);  // -1: dismissed
bool rotate_box_open();
void answer_rotate_box(int orientation);

// The two points of the next multi-touch event with count fingers: the
// records GetTouchInfo and GetTouchInfoI report (null until set, and after
// clear; a record past count is not active). Returns the first parameter of
// that EVT_MTSYNC: the records' container, or 0 on generation 1.
int set_touch_points(int x1, int y1, int x2, int y2, int count = 2);
void clear_touch_points();

// The generation of the platform library this stand-in is: 1, 2 or 3.
int generation();

bool close_requested();

// Font folders searched before the system's.
void add_font_dir(std::string const& dir);

// NAME.png (panel), NAME.buffer.png and NAME.txt in dir; false on failure.
bool save_snapshot(std::string const& dir, std::string const& name);

}
