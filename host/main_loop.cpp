// The main loop and CloseApp. Sleeping is cut into slices so that a stop
// signal ends the loop promptly even when no timer is armed.
#include "host/main_loop.h"

#include <algorithm>
#include <thread>

#include "host/generation.h"
#include "host/host.h"
#include "host/screen.h"

namespace host::detail {

namespace {

auto constexpr slice = std::chrono::milliseconds(50);

bool close_called = false;

// The event the generation sends after this one, its own report of the same
// touch or key, which the program ignores; 0 for none.
int companion_event(int type)
{
    Generation const& g = generation();
    switch (type) {
    case EVT_POINTERUP:
        return g.first_touch_report;
    case EVT_POINTERDOWN:
        return g.first_touch_report + 1;
    case EVT_POINTERMOVE:
        return g.first_touch_report + 2;
    case EVT_KEYPRESS:
        return g.key_reports ? 40 : 0;
    case EVT_KEYRELEASE:
        return g.key_reports ? 41 : 0;
    case EVT_KEYREPEAT:
        return g.key_reports ? 42 : 0;
    default:
        return 0;
    }
}

}

Loop::Loop(iv_handler h) : handler(h) {}

void Loop::dispatch(int type, int par1, int par2)
{
    if (!closing())
        handler(type, par1, par2);
    if (int const companion = companion_event(type))
        if (!closing())
            handler(companion, par1, par2);
}

bool Loop::closing()
{
    if (stop_signals.stop_requested())
        closed = true;
    return closed || close_called;
}

void Loop::close() { closed = true; }

void Loop::run_due_timers()
{
    if (!closing())
        detail::run_due_timers(Clock::now());
}

void Loop::sleep_until(Clock::time_point until) { std::this_thread::sleep_until(std::min(until, Clock::now() + slice)); }

Clock::time_point Loop::wake_time(Clock::time_point limit) const
{
    Clock::time_point wake = std::min(limit, Clock::now() + slice);
    if (auto const due = next_timer_due())
        wake = std::min(wake, *due);
    return wake;
}

void Loop::run_for(Clock::duration span)
{
    auto const end = Clock::now() + span;
    while (!closing()) {
        run_due_timers();
        if (closing() || Clock::now() >= end)
            return;
        sleep_until(wake_time(end));
    }
}

void Loop::settle(Clock::duration quiet, Clock::duration longest)
{
    auto const start = Clock::now();
    auto last_update = start;
    auto generation = screen().generation;
    while (!closing()) {
        run_due_timers();
        auto const now = Clock::now();
        if (screen().generation != generation) {
            generation = screen().generation;
            last_update = now;
        }
        auto const end = std::min(last_update + quiet, start + longest);
        if (closing() || now >= end)
            return;
        sleep_until(wake_time(end));
    }
}

void run_loop(iv_handler handler, Event_Source& source)
{
    close_called = false;
    Loop loop(handler);
    loop.dispatch(EVT_INIT, 0, 0);
    loop.dispatch(EVT_SHOW, 0, 0);
    while (!loop.closing()) {
        loop.run_due_timers();
        if (loop.closing() || !source.pump(loop, loop.wake_time(Clock::now() + slice)))
            break;
    }
    handler(EVT_EXIT, 0, 0);
}

void clear_close_request() { close_called = false; }

bool Idle_Source::pump(Loop& loop, Clock::time_point until)
{
    loop.sleep_until(until);
    return true;
}

}

extern "C" void CloseApp() { host::detail::close_called = true; }

namespace host {

bool close_requested() { return detail::close_called; }

}
