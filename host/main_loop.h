// The platform's main loop: the start events, then input from an event source
// and due timers in order on one thread, and the exit event last.
#pragma once

#include "host/event_source.h"
#include "host/stop_signals.h"
#include "platform/inkview.h"

namespace host::detail {

class Loop {
public:
    explicit Loop(iv_handler handler);

    // Hands an event to the program, and after it the generation's companion
    // event (host/generation.h), if any; nothing once the loop is closing.
    void dispatch(int type, int par1, int par2);
    // The program called CloseApp, the user closed it, or a stop signal came.
    bool closing();
    // Ends the loop as the user's close does.
    void close();

    void run_due_timers();
    // Sleeps until the given time, or less: a stop signal is noticed within a slice.
    void sleep_until(Clock::time_point until);
    // The earlier of limit and the next timer, at most a slice from now.
    Clock::time_point wake_time(Clock::time_point limit) const;

    // Timers (and the child) go on for this long, or until the loop closes.
    void run_for(Clock::duration span);
    // Runs until the panel saw no update for quiet, or longest has passed.
    void settle(Clock::duration quiet, Clock::duration longest);

private:
    iv_handler handler;
    bool closed = false;
    Stop_Signal_Watch stop_signals;
};

// 21, 23, then the source's events and timers until closing, then 22.
// Exceptions from the program pass out.
void run_loop(iv_handler handler, Event_Source& source);

// CloseApp's request, kept for host::close_requested.
void clear_close_request();

}
