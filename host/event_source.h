// Where the loop's input comes from: an event script, a window, or nothing
// but timers. Each source feeds events through the same loop, so timers and
// closing behave alike whatever drives the program.
#pragma once

#include "host/timers.h"

namespace host::detail {

class Loop;

class Event_Source {
public:
    virtual ~Event_Source() = default;
    // Delivers what input there is through loop.dispatch, waiting for it no
    // later than until (when the next timer is due). False when the source has
    // nothing more to give: the loop then ends as when the user closes it.
    virtual bool pump(Loop& loop, Clock::time_point until) = 0;
};

// A source without input: the loop runs timers until the program closes or
// the process is told to stop.
class Idle_Source : public Event_Source {
public:
    bool pump(Loop& loop, Clock::time_point until) override;
};

}
