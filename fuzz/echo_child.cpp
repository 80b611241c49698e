// The editor stand-in for the event fuzz target: in raw mode it echoes every
// byte it reads and appends it to the file named by TARN_FUZZ_TYPED (its
// process id goes to that name with ".pid" added once it is ready), and on a
// window size change it clears its screen (ED 2) as an editor repaints.
// It never ends by itself: only its terminal's hang-up or a signal from the
// fuzz target ends it.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>

namespace {

volatile std::sig_atomic_t resized = 0;

void on_resize(int) { resized = 1; }

void put(int fd, char const* bytes, ssize_t count)
{
    while (count > 0) {
        ssize_t const done = write(fd, bytes, static_cast<std::size_t>(count));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return;
        bytes += done;
        count -= done;
    }
}

}

int main()
{
    char const* typed_path = std::getenv("TARN_FUZZ_TYPED");
    int const typed = typed_path ? open(typed_path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0600) : -1;
    termios modes{};
    if (tcgetattr(STDIN_FILENO, &modes) == 0) {
        cfmakeraw(&modes);
        tcsetattr(STDIN_FILENO, TCSANOW, &modes);
    }
    // Without SA_RESTART, so that a resize interrupts the read.
    struct sigaction action {};
    action.sa_handler = on_resize;
    sigemptyset(&action.sa_mask);
    sigaction(SIGWINCH, &action, nullptr);
    if (typed_path) {
        // Written once the terminal is raw: the fuzz target waits for it
        // before typing, and finds here the process to end.
        std::string const pid_path = std::string(typed_path) + ".pid";
        std::string const pid = std::to_string(getpid());
        int const pid_file = open(pid_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        put(pid_file, pid.data(), static_cast<ssize_t>(pid.size()));
        close(pid_file);
    }

    char buffer[4096];
    for (;;) {
        if (resized) {
            resized = 0;
            static char const repaint[] = "\x1b[H\x1b[2J";
            put(STDOUT_FILENO, repaint, sizeof repaint - 1);
        }
        ssize_t const count = read(STDIN_FILENO, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            // The terminal has gone: wait to be ended rather than end first.
            pause();
            continue;
        }
        put(typed, buffer, count);
        put(STDOUT_FILENO, buffer, count);
    }
}
