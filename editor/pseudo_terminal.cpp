// The two ends of the child's pseudo-terminal: opening the master in the
// program, and in the forked child making the slave its controlling terminal
// and its standard input, output and error before the editor is executed.
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

constexpr cc_t backspace = 0x08;

// Closes the half-opened master before reporting, so that nothing leaks.
[[noreturn]] void fail(int master, char const* prefix)
{
    Tarn_Exception const failure = errno_exception(prefix);
    close(master);
    throw failure;
}

void put(int errors, char const* text)
{
    // Nothing is left to tell if standard error itself is gone.
    if (::write(errors, text, std::strlen(text)) < 0)
        return;
}

// In the forked child only: plain write(2) to the program's own standard
// error, as stdio buffers are shared with the parent's copy.
void report(int errors, char const* prefix)
{
    char const* const reason = std::strerror(errno);
    put(errors, prefix);
    put(errors, reason);
    put(errors, "\n");
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
    // The terminal keeps the modes it opens with (echo, CR before LF): the
    // editor sets its own while it runs, and the commands it starts expect
    // them. Only the erase character changes, to the backspace key's BS.
    termios modes{};
    if (tcgetattr(master, &modes) < 0)
        fail(master, "tcgetattr() failed: ");
    modes.c_cc[VERASE] = backspace;
    if (tcsetattr(master, TCSANOW, &modes) < 0)
        fail(master, "tcsetattr() failed: ");
    return master;
}

void Editor::setup(std::string const& slave_name, std::vector<char*> const& arguments)
{
    // The editor's standard error becomes its terminal; failures up to the
    // exec still reach the program's own, through a copy that the exec closes.
    int const errors = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (setsid() < 0)
        return report(errors, "setsid failed: ");
    int const slave = open(slave_name.c_str(), O_RDWR);
    if (slave == -1)
        return report(errors, "open() for slave failed: ");
    if (ioctl(slave, TIOCSCTTY, 0) == -1) {
        report(errors, "ioctl() with TIOCSCTTY failed: ");
        close(slave);
        return;
    }
    if (setenv("TERM", "vt102", 1) < 0)
        return report(errors, "setenv('TERM') failed: ");
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (dup2(slave, fd) != fd) {
            report(errors, "dup2() failed: ");
            close(slave);
            return;
        }
    }
    for (int fd = STDERR_FILENO + 1, end = getdtablesize(); fd < end; ++fd)
        if (fd != errors)
            close(fd);
    execvp(arguments[0], arguments.data());
    report(errors, "execvp() failed :");
}
