// The period's steps: doubling from the quickest up to the normal period after
// input, doubling from the normal period up to the idle one after a quiet
// second, and straight back to normal on output or any act of the user.
#include "terminal/output_pace.h"

#include <algorithm>

void Output_Pace::armed()
{
    if (period_ms < normal_ms)
        period_ms = std::min(period_ms * 2, normal_ms);
}

void Output_Pace::input_sent()
{
    period_ms = quickest_ms;
    quiet_cycles = 0;
}

void Output_Pace::user_acted()
{
    period_ms = std::min(period_ms, normal_ms);
    quiet_cycles = 0;
}

void Output_Pace::cycle_done(bool output_found)
{
    if (output_found) {
        user_acted();
        return;
    }
    if (period_ms >= normal_ms && ++quiet_cycles >= quiet_cycles_before_idle)
        period_ms = std::min(period_ms * 2, idle_ms);
}
