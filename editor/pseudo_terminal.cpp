// The two ends of the child's pseudo-terminal: opening the master in the
// program, and in the forked child making the slave its controlling terminal,
// standard input and output before the editor is executed.
#include "editor/editor.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "app/tarn_exception.h"

namespace {

// Closes the half-opened master before reporting, so that nothing leaks.
[[noreturn]] void fail(int master, char const* prefix)
{
    Tarn_Exception const failure = errno_exception(prefix);
    close(master);
    throw failure;
}

void put(char const* text)
{
    // Nothing is left to tell if standard error itself is gone.
    if (::write(STDERR_FILENO, text, std::strlen(text)) < 0)
        return;
}

// In the forked child only: plain write(2), as stdio buffers are shared with
// the parent's copy.
void report(char const* prefix)
{
    char const* const reason = std::strerror(errno);
    put(prefix);
    put(reason);
    put("\n");
}

}

int Editor::open_master_pty(std::string& slave_name)
{
    int const master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0)
        throw errno_exception("posix_openpt() failed: ");
    // Other programs the process starts must not keep the child's terminal open.
    if (fcntl(master, F_SETFD, FD_CLOEXEC) < 0)
        fail(master, "fcntl() failed: ");
    if (grantpt(master) != 0)
        fail(master, "grantpt() failed: ");
    if (unlockpt(master) != 0)
        fail(master, "unlockpt() failed: ");
    char const* const name = ptsname(master);
    if (name == nullptr)
        fail(master, "ptsname() failed: ");
    slave_name = name;

    termios modes{};
    if (tcgetattr(master, &modes) == -1)
        fail(master, "tcgetattr() failed: ");
    // The display shows only what the editor draws, with its own line ends.
    modes.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    modes.c_oflag &= ~static_cast<tcflag_t>(ONLCR);
    if (tcsetattr(master, TCSANOW, &modes) == -1)
        fail(master, "tcsetattr() failed: ");
    return master;
}

void Editor::setup(std::string const& slave_name, std::vector<char*> const& arguments)
{
    if (setsid() < 0)
        return report("setsid failed: ");
    int const slave = open(slave_name.c_str(), O_RDWR);
    if (slave == -1)
        return report("open() for slave failed: ");
    if (ioctl(slave, TIOCSCTTY, 0) == -1) {
        report("ioctl() with TIOCSCTTY failed: ");
        close(slave);
        return;
    }
    if (setenv("TERM", "vt102", 1) < 0)
        return report("setenv('TERM') failed: ");
    if (dup2(slave, STDIN_FILENO) != STDIN_FILENO || dup2(slave, STDOUT_FILENO) != STDOUT_FILENO) {
        report("dup2() failed: ");
        close(slave);
        return;
    }
    // Standard error stays the program's, so that the editor's complaints
    // reach the same place as the program's own.
    for (int fd = STDERR_FILENO + 1, end = getdtablesize(); fd < end; ++fd)
        close(fd);
    execvp(arguments[0], arguments.data());
    report("execvp() failed :");
}
