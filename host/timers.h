// One-shot weak timers on the monotonic clock, as the main loop sees them.
#pragma once

#include <chrono>
#include <optional>

namespace host::detail {

using Clock = std::chrono::steady_clock;

// When the earliest armed timer is due; none when nothing is armed.
std::optional<Clock::time_point> next_timer_due();

// Runs, once, every timer due by now, earliest first. A timer armed while
// these run (a proc re-arming itself included) waits for the next call.
void run_due_timers(Clock::time_point now);

void clear_timers();

}
