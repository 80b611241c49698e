// The Editor with real children on a real pseudo-terminal: small shell
// scripts written into a temporary folder stand in for the editor.
//
// SIGCHLD sets a process-wide flag that is never cleared, so each test needs
// a process of its own. CTest runs every discovered test separately; a second
// test in one process fails at once and says why.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "config/config.h"
#include "editor/editor.h"
#include "host/host.h"
#include "tests/support/fake_messenger.h"
#include "tests/support/read_file.h"

namespace {

bool editor_started_in_this_process = false;

std::set<int> open_descriptors()
{
    std::set<int> open;
    for (auto const& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        open.insert(std::stoi(entry.path().filename().string()));
    return open;
}

// 1 MiB of numbered lines: short lines pass the terminal's line editing
// untouched, and the numbers show any loss or reordering.
std::string mebibyte_of_lines()
{
    std::string data;
    char line[80];
    for (int number = 0; data.size() < (1u << 20); ++number) {
        std::snprintf(line, sizeof line, "%08d %054d\n", number, number);
        data += line;
    }
    return data;
}

// Standard error of this process (and so of the child) goes to a file.
class Standard_Error_To {
public:
    explicit Standard_Error_To(std::string const& path) : saved(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3))
    {
        int const file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~Standard_Error_To()
    {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }

private:
    int saved;
};

// Without SIGCHLD only the pseudo-terminal itself can tell that the child is
// gone, and all its output can be read first.
class Child_Signal_Blocked {
public:
    Child_Signal_Blocked()
    {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGCHLD);
        sigprocmask(SIG_BLOCK, &set, &previous);
    }
    ~Child_Signal_Blocked() { sigprocmask(SIG_SETMASK, &previous, nullptr); }

private:
    sigset_t previous;
};

extern "C" void ignore_signal(int) {}

// SIGALRM every millisecond, installed without SA_RESTART so that it cuts
// into blocking calls.
class Interrupting_Timer {
public:
    Interrupting_Timer()
    {
        struct sigaction action {};
        action.sa_handler = ignore_signal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGALRM, &action, &previous);
        itimerval every_ms{{0, 1000}, {0, 1000}};
        setitimer(ITIMER_REAL, &every_ms, nullptr);
    }
    ~Interrupting_Timer()
    {
        itimerval off{};
        setitimer(ITIMER_REAL, &off, nullptr);
        sigaction(SIGALRM, &previous, nullptr);
    }

private:
    struct sigaction previous {};
};

// A write that never returns ends the test process with SIGALRM instead of
// waiting for the test runner's much longer timeout.
class Hang_Guard {
public:
    Hang_Guard() { alarm(10); }
    ~Hang_Guard() { alarm(0); }
};

class Editor_Child : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(editor_started_in_this_process)
            << "the child-ended flag outlives a test: run one test per process (ctest does)";
        fake::reset();
        host::reset();
        char pattern[] = "/tmp/tarn_editor_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string script(std::string const& body, mode_t mode = 0755)
    {
        std::string const path = dir + "/child.sh";
        std::ofstream(path) << "#!/bin/sh\n" << body;
        chmod(path.c_str(), mode);
        return path;
    }

    void start(std::string const& program, std::vector<std::string> arguments = {}, int columns = 80,
               int rows = 24)
    {
        editor_started_in_this_process = true;
        Config config(dir + "/absent.cfg");
        config.editor = program;
        argument_texts = std::move(arguments);
        std::vector<char*> argv;
        for (auto& argument : argument_texts)
            argv.push_back(argument.data());
        editor = std::make_unique<Editor>(messenger, config, columns, rows, static_cast<int>(argv.size()),
                                          argv.data());
    }

    static int closes() { return fake::log().closes; }

    // Reads the child's output until done() holds, the Editor asks to close,
    // or a few seconds pass; answers done().
    bool read_until(std::function<bool()> const& done)
    {
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && closes() == 0 && std::chrono::steady_clock::now() < deadline) {
            editor->read(text);
            if (!done())
                usleep(5000);
        }
        return done();
    }
    bool read_until(std::string const& expected)
    {
        return read_until([&] { return text.find(expected) != std::string::npos; });
    }
    bool read_until_closed()
    {
        return read_until([] { return closes() > 0; });
    }

    // 1 MiB to a child that starts reading late; then the end of input, at
    // which the child ends.
    void expect_slow_reader_gets_everything(bool interrupted)
    {
        std::string const received = dir + "/received";
        start(script("sleep 0.3\nexec cat > \"$1\"\n"), {received});
        std::string const data = mebibyte_of_lines();
        {
            std::unique_ptr<Interrupting_Timer> interrupts;
            if (interrupted)
                interrupts = std::make_unique<Interrupting_Timer>();
            EXPECT_NO_THROW(editor->write(data));
        }
        editor->write("\x04");
        ASSERT_TRUE(read_until_closed());
        std::string const got = read_file(received);
        EXPECT_TRUE(got == data) << got.size() << " bytes of " << data.size();
    }

    std::string dir;
    Messenger messenger{0, nullptr};
    std::unique_ptr<Editor> editor;
    std::vector<std::string> argument_texts;
    std::string text;
};

}

TEST_F(Editor_Child, ChildGetsTermArgumentsEnvironmentAndTheTerminalAsStandardError)
{
    // Regression: standard error stayed the program's, so a shell started
    // from the editor showed neither its prompt nor what was typed.
    setenv("TARN_TEST_MARK", "inherited", 1);
    Standard_Error_To errors(dir + "/errors");
    start(script("echo \"TERM=$TERM\"\n"
                 "echo \"MARK=$TARN_TEST_MARK\"\n"
                 "for argument in \"$@\"; do echo \"[$argument]\"; done\n"
                 "echo 'to standard error' >&2\n"
                 "echo end\n"
                 "read reply\n"),
          {"-R", "two words", "", "last"});
    ASSERT_TRUE(read_until("end\r\n")) << text;
    EXPECT_EQ(text, "TERM=vt102\r\nMARK=inherited\r\n[-R]\r\n[two words]\r\n[]\r\n[last]\r\n"
                    "to standard error\r\nend\r\n");
    EXPECT_EQ(read_file(dir + "/errors"), "");
    EXPECT_EQ(closes(), 0);
}

TEST_F(Editor_Child, TerminalEchoesAndEndsLinesAsAFreshOneDoes)
{
    // Regression: echo and CR before LF were switched off for the editor's
    // sake, and every command the editor started lost its line starts.
    start(script("read line\necho \"got $line\"\nread reply\n"));
    editor->write("hello\n");
    ASSERT_TRUE(read_until("got hello\r\n")) << text;
    EXPECT_EQ(text, "hello\r\ngot hello\r\n");
}

TEST_F(Editor_Child, ChildSeesTheWindowSizeFromItsFirstMoment)
{
    start(script("stty size\nread reply\n"), {}, 83, 27);
    ASSERT_TRUE(read_until("\n"));
    EXPECT_EQ(text, "27 83\r\n");
}

TEST_F(Editor_Child, SizeChangedTellsTheTerminalAndSignalsTheChild)
{
    start(script("trap 'stty size' WINCH\n"
                 "echo ready\n"
                 "while :; do sleep 0.05; done\n"));
    ASSERT_TRUE(read_until("ready\r\n"));
    // The same size again: the terminal alone would not signal the child.
    editor->size_changed(80, 24);
    ASSERT_TRUE(read_until("24 80\r\n")) << text;
    editor->size_changed(100, 30);
    ASSERT_TRUE(read_until("30 100\r\n")) << text;
    EXPECT_EQ(text, "ready\r\n24 80\r\n30 100\r\n");
}

TEST_F(Editor_Child, ChildHasOnlyTheStandardDescriptors)
{
    Child_Signal_Blocked blocked;
    // ls itself opens the listed folder as descriptor 3.
    start("/bin/ls", {"-1", "/proc/self/fd"});
    ASSERT_TRUE(read_until_closed());
    EXPECT_EQ(text, "0\r\n1\r\n2\r\n3\r\n");
}

TEST_F(Editor_Child, MasterIsClosedInProgramsStartedLater)
{
    // Regression: the master was inherited by every program the process started.
    std::set<int> const before = open_descriptors();
    start(script("read reply\n"));
    int opened = 0;
    for (int fd : open_descriptors()) {
        if (before.count(fd) != 0)
            continue;
        ++opened;
        EXPECT_TRUE(fcntl(fd, F_GETFD) & FD_CLOEXEC) << "descriptor " << fd;
    }
    EXPECT_EQ(opened, 1);
}

TEST_F(Editor_Child, ZeroBytesAndWhatFollowsThemAreRead)
{
    // Regression: each chunk was appended as a C string, and everything after
    // a zero byte, as programs pad their output with, was lost.
    start(script("stty -echo\nprintf 'abc\\000def\\000'\nread reply\nprintf 'ghi\\n'\nread reply\n"));
    ASSERT_TRUE(read_until(std::string("abc\0def\0", 8)));
    editor->write("\n");
    ASSERT_TRUE(read_until("ghi\r\n"));
    EXPECT_EQ(text, std::string("abc\0def\0ghi\r\n", 13));
}

TEST_F(Editor_Child, NormalExitClosesWithoutAMessage)
{
    // Regression: the kernel's EIO after the child's normal end was thrown as
    // "Failed to read(): Input/output error" when it came before SIGCHLD.
    Child_Signal_Blocked blocked;
    Standard_Error_To errors(dir + "/errors");
    start(script("echo bye\n"));
    EXPECT_NO_THROW(read_until_closed());
    EXPECT_EQ(text, "bye\r\n");
    EXPECT_EQ(closes(), 1);
    EXPECT_EQ(read_file(dir + "/errors"), "");
}

TEST_F(Editor_Child, StoppedAndContinuedChildIsNotTakenForEnded)
{
    // Regression: SIGCHLD for a child that was only stopped set the ended flag,
    // and the program closed, taking the editor and its unsaved text with it.
    start(script("echo $$ > \"$1\"\necho ready\nread reply\necho done\nread reply\n"), {dir + "/pid"});
    ASSERT_TRUE(read_until("ready"));
    pid_t const child = std::stoi(read_file(dir + "/pid"));
    auto const stopped = [&] {
        std::string const stat = read_file("/proc/" + std::to_string(child) + "/stat");
        auto const state = stat.rfind(") ");
        return state != std::string::npos && stat.compare(state + 2, 1, "T") == 0;
    };
    ASSERT_EQ(kill(child, SIGSTOP), 0);
    for (int i = 0; i < 200 && !stopped(); ++i)
        usleep(5000);
    ASSERT_TRUE(stopped());
    ASSERT_EQ(kill(child, SIGCONT), 0);
    editor->write("\n");
    EXPECT_TRUE(read_until("done"));
    EXPECT_EQ(closes(), 0);
}

TEST_F(Editor_Child, UnexecutableEditorIsReportedAndCloses)
{
    Standard_Error_To errors(dir + "/errors");
    start(script("echo never\n", 0644));
    int status = 0;
    ASSERT_GT(waitpid(-1, &status, 0), 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(read_file(dir + "/errors"), "execvp() failed :Permission denied\n");

    editor->read(text);
    EXPECT_EQ(closes(), 1);
    editor->write("dropped");
    EXPECT_EQ(closes(), 2);
    EXPECT_EQ(text, "");
}

TEST_F(Editor_Child, MissingEditorIsReportedAndCloses)
{
    Standard_Error_To errors(dir + "/errors");
    start(dir + "/no_such_editor");
    int status = 0;
    ASSERT_GT(waitpid(-1, &status, 0), 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(read_file(dir + "/errors"), "execvp() failed :No such file or directory\n");
    editor->write("dropped");
    EXPECT_EQ(closes(), 1);
}

TEST_F(Editor_Child, SlowReaderGetsEveryByteInOrder)
{
    // Regression: a write that met a full terminal (EAGAIN) threw and lost
    // the rest of the user's bytes.
    Hang_Guard guard;
    expect_slow_reader_gets_everything(false);
}

TEST_F(Editor_Child, InterruptedWaitForTheChildGoesOn)
{
    // Regression: a call cut short by a signal (EINTR) was reported as a failure.
    expect_slow_reader_gets_everything(true);
}

TEST_F(Editor_Child, EchoingChildDoesNotStallALargeWrite)
{
    Hang_Guard guard;
    // Regression: waiting for room while the child's own output piled up
    // unread left both sides waiting for ever.
    // Raw, as an editor sets its terminal: only the child's own echo returns.
    start(script("stty raw -echo\necho ready\nexec cat\n"));
    ASSERT_TRUE(read_until("ready\n"));
    text.clear();
    std::string const data = mebibyte_of_lines();
    editor->write(data);
    ASSERT_TRUE(read_until([&] { return text.size() >= data.size(); })) << text.size();
    EXPECT_TRUE(text == data);
    EXPECT_EQ(closes(), 0);
}

TEST_F(Editor_Child, ChildEndingWhileAWriteWaitsCloses)
{
    Hang_Guard guard;
    start(script("sleep 0.3\n"));
    EXPECT_NO_THROW(editor->write(mebibyte_of_lines()));
    EXPECT_EQ(closes(), 1);
}

TEST_F(Editor_Child, EndingTheProgramHangsUpTheChildAndWaitsForIt)
{
    // Regression: the program ended without a word to the child, and vim,
    // still running, kept its swap file marked as in use.
    start(script("trap 'echo saved > \"$1\"; exit 0' HUP\necho $$ > \"$2\"\necho ready\n"
                 "while :; do sleep 0.05; done\n"),
          {dir + "/saved", dir + "/pid"});
    ASSERT_TRUE(read_until("ready"));
    pid_t const child = std::stoi(read_file(dir + "/pid"));
    editor.reset();
    EXPECT_EQ(read_file(dir + "/saved"), "saved\n");
    EXPECT_EQ(waitpid(child, nullptr, WNOHANG), -1) << "the child was not waited for";
}

TEST_F(Editor_Child, ChildIgnoringTheHangUpIsKilledAfterAWhile)
{
    start(script("trap '' HUP\necho $$ > \"$1\"\necho ready\nwhile :; do sleep 0.05; done\n"), {dir + "/pid"});
    ASSERT_TRUE(read_until("ready"));
    pid_t const child = std::stoi(read_file(dir + "/pid"));
    editor.reset();
    EXPECT_EQ(kill(child, 0), -1) << "the child outlived the program";
}
