// Pointer_Handler: keyboard touches, taps in four sectors, vertical swipes,
// long press to the menu, pinch to font size, and six-byte mouse reports per
// cell when mouse mode is on. A touch the system takes over ends with none.
#include "input/pointer_handler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "app/messenger.h"
#include "keyboard/key_sequences.h"
#include "platform/inkview.h"
#include "platform/saturate.h"

namespace {

int const margin = 10;          // the Display's grid starts this far from the edges
int const max_tap_travel = 100; // a finger that moved farther made a swipe, not a tap
int const pinch_step = 100;     // pixels of finger spread per font size step

std::string const& cursor_up = key_sequence::tap_up;
std::string const& cursor_down = key_sequence::tap_down;
std::string const& cursor_right = key_sequence::tap_right;
std::string const& cursor_left = key_sequence::tap_left;
std::string const& long_swipe_down = key_sequence::page_up;
std::string const short_swipe_down = "\x1b[19~";
std::string const& long_swipe_up = key_sequence::page_down;
std::string const short_swipe_up = "\x1b[20~";

char const report_press = ' ';
char const report_move = 'C';
char const report_release = '#';

int dist(int x1, int y1, int x2, int y2)
{
    double const dx = double(x2) - x1;
    double const dy = double(y2) - y1;
    return int(std::min(std::sqrt(dx * dx + dy * dy), double(std::numeric_limits<int>::max())));
}

// Mouse reports carry 33 + coordinate in one byte.
char report_byte(int coordinate) { return char((33u + unsigned(coordinate)) & 0xFF); }

}

Pointer_Handler::Pointer_Handler(Messenger& m, int width, int height, int keyboard)
    : messenger(m), screen_width(width), screen_height(height), keyboard_height(keyboard)
{
}

int Pointer_Handler::handle(int type, int p1, int p2)
{
    switch (type) {
    case EVT_POINTERUP:
        return handle_pointer_up(p1, p2);
    case EVT_POINTERDOWN:
        return handle_pointer_down(p1, p2);
    case EVT_POINTERMOVE:
        return handle_pointer_move(p1, p2);
    case EVT_POINTERLONG:
        return handle_pointer_long(p1, p2);
    case EVT_MTSYNC:
        return handle_pinch(p1, p2);
    case EVT_POINTERCANCEL:
        return cancel_touch() ? 1 : 0;
    default:
        return 0;
    }
}

int Pointer_Handler::handle_pointer_down(int x, int y)
{
    if (touching)
        return 0;
    excursion = 0;
    touching = true;
    pinching = false;
    start_x = x;
    start_y = y;
    if (y >= screen_height - keyboard_height) {
        on_keyboard = true;
        messenger.send(message::Keyboard_Pressed{x, y});
    } else if (mouse_mode) {
        last_column = column_of(x);
        last_row = row_of(y);
        send_mouse_report(report_press, last_column, last_row);
    }
    return 1;
}

int Pointer_Handler::handle_pointer_move(int x, int y)
{
    if (!touching || pinching || on_keyboard)
        return 0;
    if (!mouse_mode) {
        excursion = max_excursion(x, y);
        return 1;
    }
    int const column = column_of(x);
    int const row = row_of(y);
    if (column == last_column && row == last_row)
        return 1;
    last_column = column;
    last_row = row;
    send_mouse_report(report_move, column, row);
    return 1;
}

int Pointer_Handler::handle_pointer_long(int x, int y)
{
    if (!touching || on_keyboard || mouse_mode || pinching)
        return 0;
    excursion = max_excursion(x, y);
    if (excursion > max_tap_travel)
        return 0;
    touching = false;  // the menu ends this touch; its release is ignored
    messenger.send(message::Show_Menu{x, y});
    return 1;
}

int Pointer_Handler::handle_pointer_up(int x, int y)
{
    if (!touching)
        return 0;
    touching = false;
    if (on_keyboard) {
        on_keyboard = false;
        messenger.send(message::Keyboard_Released{});
        return 1;
    }
    if (pinching)
        return two_fingers_done();
    if (mouse_mode) {
        send_mouse_report(report_release, column_of(x), row_of(y));
        return 1;
    }
    excursion = max_excursion(x, y);
    messenger.send(message::New_Text{gesture_sequence(x, y)});
    return 1;
}

std::string const& Pointer_Handler::gesture_sequence(int x, int y) const
{
    if (excursion <= max_tap_travel)
        return tap_sequence(x, y);
    int const half = (screen_height - keyboard_height) / 2;
    std::int64_t const down = std::int64_t{y} - start_y;  // only the vertical travel counts
    if (down > 0)
        return down > half ? long_swipe_down : short_swipe_down;
    return -down > half ? long_swipe_up : short_swipe_up;
}

// The text area's diagonals cut it into four triangles around its centre.
std::string const& Pointer_Handler::tap_sequence(int x, int y) const
{
    int const half_width = screen_width / 2;
    int const half_height = (screen_height - keyboard_height) / 2;
    double const dx = double(x) - half_width;
    double const dy = double(y) - half_height;
    if (std::atan2(std::abs(dy), std::abs(dx)) >= std::atan2(half_height, half_width))
        return dy < 0 ? cursor_up : cursor_down;
    return dx < 0 ? cursor_left : cursor_right;
}

// The first parameter names the container of the points' records, the
// second the number of fingers; the records are read only for two or more.
int Pointer_Handler::handle_pinch(int container, int touch_count)
{
    if (!touching || mouse_mode || on_keyboard)
        return 0;
    if (touch_count <= 1) {
        if (!pinching)
            return 0;
        if (touch_count != 1)
            return 1;
        touching = false;  // one finger lifted: the pinch and the touch end
        return two_fingers_done();
    }
    int const distance = finger_distance(container, touch_count);
    if (distance < 0)
        return 0;
    if (touch_count == 2) {
        if (!pinching)
            pinch_start_distance = distance;
        pinching = true;
        pinch_distance = distance;
    }
    return 1;
}

// Distance between the first two touch points, or -1 when the platform has none.
int Pointer_Handler::finger_distance(int container, int touch_count)
{
    Touch_Points points;
    if (!messenger.touch_points(container, touch_count, points))
        return -1;
    return dist(points[0].x, points[0].y, points[1].x, points[1].y);
}

int Pointer_Handler::two_fingers_done()
{
    pinching = false;
    int const steps = (pinch_distance - pinch_start_distance) / pinch_step;
    if (steps != 0)
        messenger.send(message::Change_Font_Size{steps});
    return 1;
}

bool Pointer_Handler::cancel_touch()
{
    if (!touching)
        return false;
    touching = false;
    pinching = false;
    if (on_keyboard) {
        on_keyboard = false;
        messenger.send(message::Keyboard_Cancelled{});
    }
    return true;
}

int Pointer_Handler::max_excursion(int x, int y) const
{
    return std::max(excursion, dist(start_x, start_y, x, y));
}

void Pointer_Handler::mouse_mode_change(bool on)
{
    mouse_mode = on;
    if (on)
        refresh_char_size();
}

bool Pointer_Handler::in_mouse_mode() const { return mouse_mode; }

void Pointer_Handler::screen_dimensions_changed()
{
    screen_width = ScreenWidth();
    screen_height = ScreenHeight();
    refresh_char_size();
}

void Pointer_Handler::font_size_changed() { refresh_char_size(); }

void Pointer_Handler::refresh_char_size() { messenger.send(char_size); }

// A cell size of 0 would divide by zero; such a grid is treated as 1-pixel cells.
int Pointer_Handler::column_of(int x) const
{
    return saturate((std::int64_t{x} - margin) / std::max(1, int(char_size.width)));
}

int Pointer_Handler::row_of(int y) const
{
    return saturate((std::int64_t{y} - margin) / std::max(1, int(char_size.height)));
}

void Pointer_Handler::send_mouse_report(char kind, int column, int row)
{
    std::string const report{'\x1b', 'M', 'S', kind, report_byte(column), report_byte(row)};
    messenger.send(message::New_Text{report});
}
