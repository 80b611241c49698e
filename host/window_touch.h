// The mouse as fingers on the touch screen, in screen coordinates. One button
// is one finger: press 30, move 31, release 29, and the long press 34 when it
// holds still. The second-finger button pinches: a second point mirrored
// around the press, reported with 39; a click of it without a drag is a long
// press at once. A wheel notch is a whole two-finger gesture of 100 pixels.
// Time is passed in, so the timing is testable without waiting.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <vector>

#include "host/timers.h"
#include "host/window_geometry.h"

namespace host::detail {

struct Touch_Event {
    int type, par1, par2;
    // For 39: the two points GetTouchInfo reports while the event is handled.
    std::array<Point, 2> points{};
    bool operator==(Touch_Event const& o) const
    {
        return type == o.type && par1 == o.par1 && par2 == o.par2 && points == o.points;
    }
};

class Mouse_Touch {
public:
    explicit Mouse_Touch(Clock::duration long_press = std::chrono::milliseconds(500), int still = 6);

    // Screen bounds, for second points and wheel gestures; follows rotation.
    void set_screen(int width, int height);

    // A press while a finger is down is ignored.
    std::vector<Touch_Event> press(Point p, bool second_finger, Clock::time_point now);
    std::vector<Touch_Event> move(Point p, Clock::time_point now);
    std::vector<Touch_Event> release(Point p);
    // The long press, once per touch, when the finger has been still long enough.
    std::vector<Touch_Event> due(Clock::time_point now);
    // notches > 0 spread the fingers (larger text), < 0 pinch; ignored while
    // a finger is down.
    std::vector<Touch_Event> wheel(Point p, int notches);

    std::optional<Clock::time_point> next_due() const;
    bool down() const { return state != State::up; }

private:
    enum class State { up, one_finger, two_fingers };

    Point clamped(Point p) const;
    Point mirrored(Point p) const;
    std::vector<Touch_Event> gesture(Point centre, int from, int to) const;

    Clock::duration long_press;
    int still;
    int width = 600, height = 800;
    State state = State::up;
    Point start{0, 0};       // where the touch began: the centre of a pinch
    Point position{0, 0};    // the mouse's latest point
    Point still_since{0, 0}; // where the finger last came to rest
    Clock::time_point long_due{};
    bool long_sent = false;
    bool pinching = false;
};

}
