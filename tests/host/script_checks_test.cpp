// The checking commands of event scripts: the panel against the buffer, the
// pseudo-terminal's window size beside the text drawn, and the descriptors
// of the process and its children, on a real pseudo-terminal and real files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>

#include "host/host.h"
#include "host/script.h"
#include "host_test_support.h"

namespace {

std::function<void()> on_show;

int handler(int type, int, int)
{
    if (type == EVT_SHOW && on_show)
        on_show();
    return 1;
}

class HostScriptChecks : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (char const* name : {"TARN_HOST_SCREEN", "DISPLAY", "WAYLAND_DISPLAY"})
            unsetenv(name);
        setenv("TARN_HOST_OUT", dir.path.c_str(), 1);
        host::reset();
        on_show = nullptr;
    }
    void TearDown() override
    {
        unsetenv("TARN_HOST_EVENTS");
        unsetenv("TARN_HOST_OUT");
        on_show = nullptr;
    }
    void use_script(std::string const& text) { setenv("TARN_HOST_EVENTS", dir.write("events.txt", text).c_str(), 1); }
    void run_script(std::string const& text)
    {
        use_script(text);
        InkViewMain(handler);
    }

    host_test::Temp_Dir dir;
};

TEST(HostScriptParser, ReadsTheCheckingCommands)
{
    auto const c = host::script::parse("check_panel\nwindow_size grid\ndescriptors start\nupdates typed\n", "events.txt");
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].kind, host::script::Kind::check_panel);
    EXPECT_EQ(c[1].kind, host::script::Kind::window_size);
    EXPECT_EQ(c[1].text, "grid");
    EXPECT_EQ(c[2].kind, host::script::Kind::descriptors);
    EXPECT_EQ(c[2].text, "start");
    EXPECT_EQ(c[3].kind, host::script::Kind::updates);
    EXPECT_EQ(c[3].text, "typed");
    EXPECT_THROW(host::script::parse("updates\n", "events.txt"), host::script::Error);
    EXPECT_THROW(host::script::parse("window_size\n", "events.txt"), host::script::Error);
    EXPECT_THROW(host::script::parse("check_panel 1\n", "events.txt"), host::script::Error);
}

using HostScriptChecksDeathTest = HostScriptChecks;

TEST_F(HostScriptChecksDeathTest, CheckPanelPassesOnARefreshedScreenAndFailsWithStatusThree)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    on_show = [] {
        FillArea(10, 10, 20, 5, BLACK);
        PartialUpdate(10, 10, 20, 5);
    };
    run_script("check_panel\n");
    EXPECT_EQ(host::stale_pixels(), 0);

    // Drawn into the buffer but never refreshed: 100 pixels the user does not see.
    on_show = [] { FillArea(50, 50, 20, 5, BLACK); };
    use_script("wait 1\ncheck_panel\n");
    EXPECT_EXIT(InkViewMain(handler), ::testing::ExitedWithCode(3),
                "events.txt:2: the panel differs from the buffer in 100 pixels");
}

TEST_F(HostScriptChecksDeathTest, WindowSizeReportsThePseudoTerminalAndTheTextSizes)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    use_script("window_size none\n");
    EXPECT_EXIT(InkViewMain(handler), ::testing::ExitedWithCode(2),
                "events.txt:1: expected one pseudo-terminal master, found 0");

    int const master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    winsize size{};
    size.ws_row = 33;
    size.ws_col = 77;
    ASSERT_EQ(ioctl(master, TIOCSWINSZ, &size), 0);
    on_show = [] {
        ifont* font = OpenFont("DejaVuSansMono", 21, 1);
        ASSERT_NE(font, nullptr);
        SetFont(font, BLACK);
        DrawString(10, 10, "row");
        // A key label is not terminal text.
        ifont* label = OpenFont("DejaVuSansMono", 30, 1);
        SetFont(label, BLACK);
        DrawTextRect(0, 700, 100, 100, "q", ALIGN_CENTER);
        CloseFont(label);
        CloseFont(font);
    };
    run_script("window_size grid\n");
    EXPECT_EQ(read_file(dir.file("grid.size")), "pty 33 77\nfont 21\n");

    size.ws_row = 12;
    ASSERT_EQ(ioctl(master, TIOCSWINSZ, &size), 0);
    run_script("window_size smaller\n");
    EXPECT_EQ(read_file(dir.file("smaller.size")), "pty 12 77\nfont 21\n");
    close(master);
}

TEST_F(HostScriptChecks, UpdatesListsEachUpdateWithItsKindAreaAndModelledTimes)
{
    on_show = [] {
        FillArea(10, 20, 30, 40, BLACK);
        DynamicUpdateBW(10, 20, 30, 40);
        PartialUpdate(-5, 20, 20, 10);
    };
    run_script("updates log\n");
    std::istringstream lines(read_file(dir.file("log.updates")));
    std::string kind, second_kind;
    int x, y, width, height;
    long long start, end, second_start, second_end;
    lines >> kind >> x >> y >> width >> height >> start >> end;
    EXPECT_EQ(kind, "du");
    EXPECT_EQ((Rect{x, y, width, height}), (Rect{10, 20, 30, 40}));
    EXPECT_EQ(end - start, 260);
    lines >> second_kind >> x >> y >> width >> height >> second_start >> second_end;
    EXPECT_EQ(second_kind, "partial");
    EXPECT_EQ((Rect{x, y, width, height}), (Rect{0, 20, 15, 10}));
    EXPECT_EQ(second_start, end);
    EXPECT_EQ(second_end - second_start, 450);
    EXPECT_FALSE(lines >> kind);
}

TEST_F(HostScriptChecks, DescriptorsListsTheProcessAndItsChildren)
{
    std::string const file = dir.write("held.txt", "x");
    int const held = open(file.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    pid_t const child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        pause();
        _exit(0);
    }
    run_script("descriptors open\n");
    close(held);
    run_script("descriptors closed\n");
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    std::string const open_list = read_file(dir.file("open.fds"));
    std::string const closed_list = read_file(dir.file("closed.fds"));
    std::string const self_line = "self " + std::to_string(held) + " " + file + "\n";
    std::string const child_line = "child " + std::to_string(child) + " " + std::to_string(held) + " " + file + "\n";
    EXPECT_NE(open_list.find(self_line), std::string::npos) << open_list;
    EXPECT_NE(open_list.find(child_line), std::string::npos) << open_list;
    EXPECT_EQ(closed_list.find(self_line), std::string::npos) << closed_list;
    // The listing's own descriptor on /proc is never reported.
    EXPECT_EQ(open_list.find("/proc/"), std::string::npos) << open_list;
}

}
