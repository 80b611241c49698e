// SetWeakTimer and ClearTimer: one arming per function, replaced by the next.
// A timer is disarmed before its function runs, so the function may re-arm it
// and an exception out of it leaves no half-fired timer behind.
#include "host/timers.h"

#include <algorithm>
#include <string>
#include <vector>

#include "host/host.h"

namespace host::detail {

namespace {

struct Timer {
    iv_timerproc proc;
    std::string name;
    int delay;
    Clock::time_point due;
    unsigned long arming;  // tells a re-armed timer from the arming that was selected
};

struct Timers {
    std::vector<Timer> armed;
    unsigned long next_arming = 0;
    unsigned long firings = 0;
};

Timers& timers()
{
    static auto* t = new Timers;
    return *t;
}

Timer const* find(iv_timerproc proc)
{
    for (auto const& t : timers().armed)
        if (t.proc == proc)
            return &t;
    return nullptr;
}

void disarm(iv_timerproc proc)
{
    auto& armed = timers().armed;
    armed.erase(std::remove_if(armed.begin(), armed.end(), [proc](Timer const& t) { return t.proc == proc; }),
                armed.end());
}

template <typename Selected>
void fire(Selected selected)
{
    std::vector<Timer> chosen;
    for (auto const& t : timers().armed)
        if (selected(t))
            chosen.push_back(t);
    std::sort(chosen.begin(), chosen.end(), [](Timer const& a, Timer const& b) {
        return a.due != b.due ? a.due < b.due : a.arming < b.arming;
    });
    for (auto const& t : chosen) {
        Timer const* still = find(t.proc);
        // Cancelled or re-armed by an earlier function of this round: not this time.
        if (!still || still->arming != t.arming)
            continue;
        disarm(t.proc);
        ++timers().firings;
        t.proc();
    }
}

}

std::optional<Clock::time_point> next_timer_due()
{
    std::optional<Clock::time_point> earliest;
    for (auto const& t : timers().armed)
        if (!earliest || t.due < *earliest)
            earliest = t.due;
    return earliest;
}

void run_due_timers(Clock::time_point now)
{
    fire([now](Timer const& t) { return t.due <= now; });
}

void clear_timers()
{
    timers().armed.clear();
    timers().firings = 0;
}

}

using namespace host::detail;

extern "C" {

void SetWeakTimer(char const* name, iv_timerproc proc, int ms)
{
    if (!proc)
        return;
    disarm(proc);
    int const delay = std::max(ms, 0);
    Timers& all = timers();
    all.armed.push_back({proc, name ? name : "", delay, Clock::now() + std::chrono::milliseconds(delay),
                         all.next_arming++});
}

void ClearTimer(iv_timerproc proc) { disarm(proc); }

}

namespace host {

bool timer_armed(iv_timerproc proc) { return find(proc) != nullptr; }

std::string timer_name(iv_timerproc proc)
{
    Timer const* t = find(proc);
    return t ? t->name : "";
}

int timer_delay(iv_timerproc proc)
{
    Timer const* t = find(proc);
    return t ? t->delay : -1;
}

void fire_timers()
{
    fire([](Timer const&) { return true; });
}

unsigned long timer_firings() { return timers().firings; }

}
