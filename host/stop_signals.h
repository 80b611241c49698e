// SIGINT and SIGTERM while the loop runs: noted, so that the loop can end with
// the exit event like any other close instead of the process dying mid-draw.
#pragma once

#include <csignal>

namespace host::detail {

class Stop_Signal_Watch {
public:
    Stop_Signal_Watch();  // installs the handlers
    ~Stop_Signal_Watch(); // puts the previous ones back
    Stop_Signal_Watch(Stop_Signal_Watch const&) = delete;
    Stop_Signal_Watch& operator=(Stop_Signal_Watch const&) = delete;

    bool stop_requested() const;

private:
    struct sigaction previous_interrupt {};
    struct sigaction previous_terminate {};
};

}
