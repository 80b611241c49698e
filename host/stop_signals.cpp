// The stop-signal handlers only set a flag that the loop reads.
#include "host/stop_signals.h"

#include <cstring>

namespace host::detail {

namespace {

volatile std::sig_atomic_t stop_signalled = 0;

void on_stop_signal(int) { stop_signalled = 1; }

}

Stop_Signal_Watch::Stop_Signal_Watch()
{
    stop_signalled = 0;
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_interrupt);
    sigaction(SIGTERM, &action, &previous_terminate);
}

Stop_Signal_Watch::~Stop_Signal_Watch()
{
    sigaction(SIGINT, &previous_interrupt, nullptr);
    sigaction(SIGTERM, &previous_terminate, nullptr);
}

bool Stop_Signal_Watch::stop_requested() const { return stop_signalled != 0; }

}
