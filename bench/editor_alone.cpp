// forkpty, TERM=vt102 as the program sets it, no echo on the pseudo-terminal,
// and poll for the answers; the editor quits without saving at the end.
#include "bench/editor_alone.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

// Reads whatever the child writes until it has been quiet for quiet_ms.
void drain(int master, int quiet_ms)
{
    char buffer[4096];
    pollfd p{master, POLLIN, 0};
    while (poll(&p, 1, quiet_ms) > 0 && read(master, buffer, sizeof buffer) > 0) {
    }
}

}

std::vector<double> editor_response_ms(std::string const& editor, std::string const& file, int columns, int rows,
                                       int count)
{
    termios modes{};
    cfmakeraw(&modes);
    winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
    int master = -1;
    pid_t const child = forkpty(&master, nullptr, &modes, &size);
    if (child < 0)
        return {};
    if (child == 0) {
        setenv("TERM", "vt102", 1);
        execl(editor.c_str(), editor.c_str(), file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::vector<double> times;
    drain(master, 1000);
    if (write(master, "o", 1) == 1) {
        drain(master, 200);
        pollfd p{master, POLLIN, 0};
        for (int i = 0; i < count; ++i) {
            char const key = static_cast<char>('a' + i % 26);
            Clock::time_point const sent = Clock::now();
            if (write(master, &key, 1) != 1 || poll(&p, 1, 2000) <= 0)
                break;
            times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
            drain(master, 20);
        }
    }
    // Quit without writing, so that no swap file is left for the next run.
    if (write(master, "\x1b:q!\r", 5) == 5)
        drain(master, 500);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(master);
    return times;
}

}
