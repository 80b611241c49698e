// Fingers from the mouse. A finger counts as still while it stays within a
// few pixels of where it came to rest; moving further starts the long-press
// wait again, so a finger that slides and then rests still gives one.
#include "host/window_touch.h"

#include <algorithm>
#include <cstdlib>

#include "platform/inkview.h"

namespace host::detail {

namespace {

int constexpr wheel_step = 100;    // the distance one notch changes by
int constexpr wheel_start = 200;   // the smaller of the two distances
int constexpr most_notches = 5;    // per wheel event: a fast wheel makes no storm

bool near(Point a, Point b, int still) { return std::abs(a.x - b.x) <= still && std::abs(a.y - b.y) <= still; }

}

Mouse_Touch::Mouse_Touch(Clock::duration l, int s) : long_press(l), still(s) {}

void Mouse_Touch::set_screen(int w, int h)
{
    width = std::max(w, 1);
    height = std::max(h, 1);
}

std::vector<Touch_Event> Mouse_Touch::press(Point p, bool second_finger, Clock::time_point now)
{
    if (down())
        return {};
    p = clamped(p);
    state = second_finger ? State::two_fingers : State::one_finger;
    start = position = still_since = p;
    long_due = now + long_press;
    long_sent = false;
    pinching = false;
    return {{EVT_POINTERDOWN, p.x, p.y}};
}

std::vector<Touch_Event> Mouse_Touch::move(Point p, Clock::time_point now)
{
    p = clamped(p);
    if (!down() || p == position)
        return {};
    position = p;
    if (state == State::two_fingers) {
        if (!pinching && near(p, start, still))
            return {};
        pinching = true;
        return {{EVT_MTSYNC, 0, 2, {p, mirrored(p)}}};
    }
    if (!near(p, still_since, still)) {
        still_since = p;
        long_due = now + long_press;
    }
    return {{EVT_POINTERMOVE, p.x, p.y}};
}

std::vector<Touch_Event> Mouse_Touch::release(Point p)
{
    if (!down())
        return {};
    p = clamped(p);
    State const was = state;
    state = State::up;
    if (was == State::one_finger)
        return {{EVT_POINTERUP, p.x, p.y}};
    if (pinching)
        return {{EVT_MTSYNC, 0, 1, {position, mirrored(position)}}, {EVT_POINTERUP, position.x, position.y}};
    // A click without a drag: the menu's long press, without the wait.
    return {{EVT_POINTERLONG, start.x, start.y}, {EVT_POINTERUP, start.x, start.y}};
}

std::vector<Touch_Event> Mouse_Touch::due(Clock::time_point now)
{
    if (state != State::one_finger || long_sent || now < long_due)
        return {};
    long_sent = true;
    return {{EVT_POINTERLONG, position.x, position.y}};
}

std::vector<Touch_Event> Mouse_Touch::wheel(Point p, int notches)
{
    if (down() || notches == 0)
        return {};
    p = clamped(p);
    // Room for both fingers at the larger distance, when the screen has it.
    int const half = (wheel_start + wheel_step) / 2;
    if (width > 2 * half)
        p.x = std::clamp(p.x, half, width - 1 - half);
    std::vector<Touch_Event> out;
    int const count = std::min(std::abs(notches), most_notches);
    for (int i = 0; i < count; ++i) {
        auto const one = notches > 0 ? gesture(p, wheel_start, wheel_start + wheel_step)
                                     : gesture(p, wheel_start + wheel_step, wheel_start);
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

std::optional<Clock::time_point> Mouse_Touch::next_due() const
{
    if (state != State::one_finger || long_sent)
        return std::nullopt;
    return long_due;
}

Point Mouse_Touch::clamped(Point p) const { return {std::clamp(p.x, 0, width - 1), std::clamp(p.y, 0, height - 1)}; }

Point Mouse_Touch::mirrored(Point p) const
{
    return clamped({int(2LL * start.x - p.x), int(2LL * start.y - p.y)});
}

std::vector<Touch_Event> Mouse_Touch::gesture(Point centre, int from, int to) const
{
    auto const apart = [&](int distance) {
        return std::array<Point, 2>{clamped({centre.x - distance / 2, centre.y}),
                                    clamped({centre.x + distance / 2, centre.y})};
    };
    return {{EVT_POINTERDOWN, centre.x, centre.y},
            {EVT_MTSYNC, 0, 2, apart(from)},
            {EVT_MTSYNC, 0, 2, apart(to)},
            {EVT_MTSYNC, 0, 1, apart(to)},
            {EVT_POINTERUP, centre.x, centre.y}};
}

}
