// The program's side of the child's pseudo-terminal: starting the child,
// reading its output, writing to it without losing bytes, resizing it,
// closing the program once the child has gone, and ending the child when the
// program goes first.
#include "editor/editor.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>

#include "app/messenger.h"
#include "app/tarn_exception.h"
#include "config/config.h"

namespace {

// Set by SIGCHLD and never cleared: there is one child, and once it has ended
// the program closes.
volatile std::sig_atomic_t child_ended = 0;

constexpr std::size_t chunk_size = 1024;
char read_buffer[chunk_size];

// A child that asks for reports and reads none of them gets no more than this
// many bytes kept for it.
constexpr std::size_t most_replies_kept = 4096;

// How long a write waits for the child before looking again whether it ended.
constexpr int writable_check_ms = 100;

// How long a child told to hang up may take to save its work and end.
constexpr int hang_up_grace_ms = 2000;
constexpr int hang_up_check_ms = 10;

extern "C" void note_child_ended(int) { child_ended = 1; }

}

Editor::Editor(Messenger& m, Config const& config, int columns, int rows, int argc, char** argv)
    : messenger(m)
{
    // SA_NOCLDSTOP: a child that is only stopped or continued has not ended,
    // and closing then would take the editor and its unsaved text with it.
    struct sigaction action {};
    action.sa_handler = note_child_ended;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_NOCLDSTOP;
    if (sigaction(SIGCHLD, &action, &previous_child_action) != 0)
        throw Tarn_Exception("Can't install signal handler");
    start(config.editor, columns, rows, argc, argv);
}

void Editor::start(std::string const& editor, int columns, int rows, int argc, char** argv)
{
    std::string slave_name;
    master = open_master_pty(slave_name);
    // The child must see the display's size from its first moment.
    size_changed(columns, rows);

    // Built before the fork: the child does as little as it can before exec.
    std::string path = editor;
    std::vector<char*> arguments{path.data()};
    arguments.insert(arguments.end(), argv, argv + argc);
    arguments.push_back(nullptr);

    child = fork();
    if (child == -1) {
        Tarn_Exception const failure = errno_exception("fork() failed: ");
        close(master);
        master = -1;
        child = 0;
        throw failure;
    }
    if (child == 0) {
        close(master);
        setup(slave_name, arguments);
        // _exit: the parent's atexit handlers and stdio buffers are not ours.
        _exit(1);
    }
}

// The child's end that follows is the program's doing, not news for another
// Editor: the handler goes first.
Editor::~Editor()
{
    sigaction(SIGCHLD, &previous_child_action, nullptr);
    end_child();
}

// The child is told the terminal hung up, as when a real terminal is closed:
// vim then saves what it can to its swap file and ends. It is waited for, so
// that a restart finds no editor still running; one that will not end is
// killed after a while.
void Editor::end_child()
{
    if (master >= 0)
        close(master);
    master = -1;
    if (child <= 0)
        return;
    kill(child, SIGHUP);
    for (int waited = 0; waited < hang_up_grace_ms; waited += hang_up_check_ms) {
        pid_t const ended = waitpid(child, nullptr, WNOHANG);
        if (ended == child || (ended < 0 && errno != EINTR))
            return;
        usleep(hang_up_check_ms * 1000);
    }
    kill(child, SIGKILL);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

void Editor::close_program() { messenger.send(message::Close{}); }

void Editor::read(std::string& text)
{
    if (child_ended) {
        close_program();
        return;
    }
    send_replies();
    text += pending;
    pending.clear();
    if (!drain(text))
        close_program();
}

// Appends everything pending on the master, chunk by chunk, zero bytes and
// all. False once the child has gone: the kernel answers
// EIO when the slave is closed, often before SIGCHLD arrives, and that is the
// child's normal end, not a failure. A child that closed its terminal but
// runs on is waited for: only its end closes the program.
bool Editor::drain(std::string& text)
{
    for (;;) {
        ssize_t const count = ::read(master, read_buffer, chunk_size);
        if (count == 0)
            return true;
        if (count > 0) {
            text.append(read_buffer, static_cast<std::size_t>(count));
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN)
            return true;
        if (errno == EIO)
            return child_running();
        throw errno_exception("Failed to read(): ");
    }
}

// Replies not sent yet go first, so that the child reads everything in order.
void Editor::write(std::string const& text)
{
    if (child_ended) {
        close_program();
        return;
    }
    std::string const bytes = replies + text;
    replies.clear();
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t const count = ::write(master, bytes.data() + done, bytes.size() - done);
        if (count >= 0) {
            done += static_cast<std::size_t>(count);
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            throw errno_exception("Failed to write(): ");
        // A child slow to read its input: wait for room, never drop bytes.
        if (!wait_until_writable()) {
            close_program();
            return;
        }
    }
}

// A reply waits for no one: a child that asks and never reads would stop the
// program. What finds no room is kept, within a bound, for the next read.
void Editor::reply(std::string const& bytes)
{
    if (child_ended || replies.size() + bytes.size() > most_replies_kept)
        return;
    replies += bytes;
    send_replies();
}

void Editor::send_replies()
{
    while (!replies.empty()) {
        ssize_t const count = ::write(master, replies.data(), replies.size());
        if (count > 0)
            replies.erase(0, static_cast<std::size_t>(count));
        else if (count == 0 || errno != EINTR)
            return;
    }
}

// Waits until the master takes more input. Output arriving meanwhile is kept,
// or a child writing its echo would block and never read again. False when
// the child has ended.
bool Editor::wait_until_writable()
{
    for (;;) {
        if (child_ended)
            return false;
        pollfd watched{master, POLLIN | POLLOUT, 0};
        int const ready = poll(&watched, 1, writable_check_ms);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            throw errno_exception("Failed to poll(): ");
        }
        if (watched.revents & POLLIN) {
            if (!drain(pending))
                return false;
        }
        if (watched.revents & POLLOUT)
            return true;
        if (watched.revents & (POLLHUP | POLLERR))
            return false;
    }
}

// Asked without reaping, so that nothing else about the child changes.
bool Editor::child_running() const
{
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return false;
    return info.si_pid == 0;
}

void Editor::size_changed(int columns, int rows)
{
    winsize size{};
    size.ws_row = static_cast<unsigned short>(rows);
    size.ws_col = static_cast<unsigned short>(columns);
    if (ioctl(master, TIOCSWINSZ, &size) < 0)
        throw errno_exception("Calll of ioctl(TIOCSWINSZ) failed: ");
    if (child != 0)
        kill(child, SIGWINCH);
}
