// The three hardware keys as the device reports them, from desktop key
// presses: 25 when a key goes down, 28 repeats numbered 1, 2, 3... while it
// is held, and 26 on release with 0 for a short press or the last repeat's
// number. Time is passed in, so the timing is testable without waiting.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "host/timers.h"

namespace host::detail {

struct Key_Event {
    int type, code, value;
    bool operator==(Key_Event const& o) const { return type == o.type && code == o.code && value == o.value; }
};

class Key_Repeat {
public:
    explicit Key_Repeat(Clock::duration first = std::chrono::milliseconds(500),
                        Clock::duration then = std::chrono::milliseconds(150));

    // desktop_key tells apart the desktop keys that stand for the same
    // hardware key: the hardware key is released when the last of them is.
    std::vector<Key_Event> press(int desktop_key, int code, Clock::time_point now);
    std::vector<Key_Event> release(int desktop_key, Clock::time_point now);
    // The repeats due by now, each one that fell due counted.
    std::vector<Key_Event> due(Clock::time_point now);
    // Every held key released, as when the window loses the keyboard.
    std::vector<Key_Event> release_all(Clock::time_point now);
    std::optional<Clock::time_point> next_due() const;
    bool held(int code) const;

private:
    struct Held {
        int code;
        std::vector<int> desktop_keys;
        int repeats;
        Clock::time_point next_repeat;
    };
    void repeat_until(Held& key, Clock::time_point now, std::vector<Key_Event>& out) const;

    Clock::duration first, then;
    std::vector<Held> keys;
};

}
