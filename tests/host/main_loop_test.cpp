// InkViewMain driven by event scripts and by timers alone: the order of
// events, closing, exceptions passing out, and script errors.
#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "host/dialogs.h"
#include "host/host.h"
#include "host_test_support.h"
#include "platform/platform_library.h"

namespace {

using Event = std::array<int, 3>;
using Events = std::vector<Event>;

int constexpr timer_fired = -1;  // marks a timer's run among the events

Events events;
std::function<void(int, int, int)> reaction;
int timer_runs;
int timer_limit;

// Every event but the touch reports generation 1 sends after each pointer
// event (40 to 42), which the program ignores; they are counted apart.
int touch_reports;

int record(int type, int par1, int par2)
{
    if (type >= 40 && type <= 42)
        ++touch_reports;
    else
        events.push_back({type, par1, par2});
    if (reaction)
        reaction(type, par1, par2);
    return 1;
}

void counting_timer()
{
    events.push_back({timer_fired, ++timer_runs, 0});
    if (timer_runs < timer_limit)
        SetWeakTimer("count", counting_timer, 10);
}

void closing_timer()
{
    if (++timer_runs == 3)
        CloseApp();
    else
        SetWeakTimer("close", closing_timer, 5);
}

void updating_timer()
{
    PartialUpdate(0, 0, 1, 1);
    if (++timer_runs < timer_limit)
        SetWeakTimer("update", updating_timer, 20);
}

void terminating_timer() { std::raise(SIGTERM); }
void throwing_timer() { throw std::runtime_error("from a timer"); }
void throwing_menu(int) { throw std::runtime_error("from the menu"); }
void throwing_rotation(int) { throw std::runtime_error("from the chooser"); }
int menu_choice, rotation_choice;
void remember_menu(int index) { menu_choice = index; }
void remember_rotation(int orientation) { rotation_choice = orientation; }
volatile std::sig_atomic_t usr2_seen;
void on_usr2(int) { usr2_seen = 1; }

class HostMainLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        // DISPLAY too: without a script the loop would open a window.
        for (char const* name : {"TARN_HOST_EVENTS", "TARN_HOST_OUT", "TARN_HOST_SCREEN", "DISPLAY", "WAYLAND_DISPLAY"})
            unsetenv(name);
        host::reset();
        events.clear();
        touch_reports = 0;
        reaction = nullptr;
        timer_runs = 0;
        timer_limit = 1;
        menu_choice = rotation_choice = -100;
    }
    void TearDown() override
    {
        for (char const* name : {"TARN_HOST_EVENTS", "TARN_HOST_OUT", "TARN_HOST_SCREEN"})
            unsetenv(name);
        reaction = nullptr;
    }

    void use_script(std::string const& text) { setenv("TARN_HOST_EVENTS", dir.write("events.txt", text).c_str(), 1); }
    void run_script(std::string const& text)
    {
        use_script(text);
        InkViewMain(record);
    }

    host_test::Temp_Dir dir;
};

TEST_F(HostMainLoop, StartEventsThenScriptEventsThenExitLast)
{
    run_script(
        "press 10 20\nmove 11 21\nrelease 12 22\nlong 7 8\ntap 5 6\nkey 23\nkey 24 2\n"
        "swipe 0 0 10 20 2\ntouch 1 2 3 4 2\nshow\n");
    Events const expected{{EVT_INIT, 0, 0},       {EVT_SHOW, 0, 0},         {EVT_POINTERDOWN, 10, 20},
                          {EVT_POINTERMOVE, 11, 21}, {EVT_POINTERUP, 12, 22}, {EVT_POINTERLONG, 7, 8},
                          {EVT_POINTERDOWN, 5, 6}, {EVT_POINTERUP, 5, 6},   {EVT_KEYPRESS, 23, 0},
                          {EVT_KEYRELEASE, 23, 0}, {EVT_KEYPRESS, 24, 0},   {EVT_KEYREPEAT, 24, 1},
                          {EVT_KEYREPEAT, 24, 2},  {EVT_KEYRELEASE, 24, 2}, {EVT_POINTERDOWN, 0, 0},
                          {EVT_POINTERMOVE, 5, 10}, {EVT_POINTERMOVE, 10, 20}, {EVT_POINTERUP, 10, 20},
                          {EVT_MTSYNC, 0, 2},      {EVT_SHOW, 0, 0},         {EVT_EXIT, 0, 0}};
    EXPECT_EQ(events, expected);
}

TEST_F(HostMainLoop, DueTimersRunBetweenCommandsAndDuringWaits)
{
    timer_limit = 3;
    reaction = [](int type, int, int) {
        if (type == EVT_SHOW)
            SetWeakTimer("count", counting_timer, 0);
    };
    run_script("press 1 1\nwait 200\nrelease 1 1\n");
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[2], (Event{timer_fired, 1, 0}));
    EXPECT_EQ(events[3], (Event{EVT_POINTERDOWN, 1, 1}));
    EXPECT_EQ(timer_runs, 3);
    EXPECT_EQ(events[events.size() - 2], (Event{EVT_POINTERUP, 1, 1}));
}

TEST_F(HostMainLoop, CloseAppEndsTheLoopWithTheExitEvent)
{
    reaction = [](int type, int, int) {
        if (type == EVT_POINTERDOWN)
            CloseApp();
    };
    run_script("tap 1 2\ntap 3 4\n");
    Events const expected{{EVT_INIT, 0, 0}, {EVT_SHOW, 0, 0}, {EVT_POINTERDOWN, 1, 2}, {EVT_EXIT, 0, 0}};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(host::close_requested());
}

TEST_F(HostMainLoop, CloseAppDuringStartSkipsTheShowEvent)
{
    reaction = [](int type, int, int) {
        if (type == EVT_INIT)
            CloseApp();
    };
    run_script("tap 1 2\n");
    EXPECT_EQ(events, (Events{{EVT_INIT, 0, 0}, {EVT_EXIT, 0, 0}}));
}

TEST_F(HostMainLoop, QuitEndsTheScriptEarly)
{
    run_script("tap 1 1\nquit\ntap 2 2\n");
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[4], (Event{EVT_EXIT, 0, 0}));
    EXPECT_FALSE(host::close_requested());
}

TEST_F(HostMainLoop, ExceptionFromTheHandlerPassesOutAndTheNextRunWorks)
{
    reaction = [](int type, int, int) {
        if (type == EVT_SHOW)
            throw std::runtime_error("from the handler");
    };
    use_script("tap 1 1\n");
    EXPECT_THROW(InkViewMain(record), std::runtime_error);
    EXPECT_EQ(events.back(), (Event{EVT_SHOW, 0, 0}));

    reaction = nullptr;
    events.clear();
    InkViewMain(record);
    EXPECT_EQ(events.size(), 5u);
    EXPECT_EQ(events.back(), (Event{EVT_EXIT, 0, 0}));
}

TEST_F(HostMainLoop, ExceptionsFromCallbacksPassOut)
{
    reaction = [](int type, int, int) {
        if (type == EVT_SHOW)
            SetWeakTimer("bad", throwing_timer, 0);
    };
    use_script("wait 50\n");
    EXPECT_THROW(InkViewMain(record), std::runtime_error);

    reaction = [](int type, int, int) {
        if (type == EVT_SHOW)
            OpenMenu(nullptr, 0, 0, 0, throwing_menu);
    };
    use_script("menu 0\n");
    EXPECT_THROW(InkViewMain(record), std::runtime_error);
    EXPECT_FALSE(host::menu_open());

    reaction = [](int type, int, int) {
        if (type == EVT_SHOW)
            OpenRotateBox(throwing_rotation);
    };
    use_script("rotate 1\n");
    EXPECT_THROW(InkViewMain(record), std::runtime_error);
}

TEST_F(HostMainLoop, ScriptAnswersTheMenuAndTheChooser)
{
    reaction = [](int type, int, int) {
        if (type == EVT_SHOW) {
            OpenMenu(nullptr, 0, 0, 0, remember_menu);
            OpenRotateBox(remember_rotation);
        }
    };
    run_script("menu -1\nrotate 2\n");
    EXPECT_EQ(menu_choice, -1);
    EXPECT_EQ(rotation_choice, 2);
}

TEST_F(HostMainLoop, TypeAndTapkeyTapTheKeysDrawnOnScreen)
{
    ifont* font = OpenFont("DejaVuSansMono", 20, 1);
    ASSERT_NE(font, nullptr);
    reaction = [font](int type, int, int) {
        if (type != EVT_SHOW)
            return;
        SetFont(font, BLACK);
        DrawTextRect(0, 600, 50, 50, "a", ALIGN_CENTER | VALIGN_MIDDLE);
        DrawTextRect(50, 600, 50, 50, "b", ALIGN_CENTER | VALIGN_MIDDLE);
        DrawTextRect(100, 600, 80, 50, "Esc", ALIGN_CENTER | VALIGN_MIDDLE);
        DrawString(300, 10, "b");  // text, not a key
    };
    run_script("type ab\ntapkey Esc\n");
    CloseFont(font);
    Events const expected{{EVT_INIT, 0, 0},         {EVT_SHOW, 0, 0},        {EVT_POINTERDOWN, 25, 625},
                          {EVT_POINTERUP, 25, 625}, {EVT_POINTERDOWN, 75, 625}, {EVT_POINTERUP, 75, 625},
                          {EVT_POINTERDOWN, 140, 625}, {EVT_POINTERUP, 140, 625}, {EVT_EXIT, 0, 0}};
    EXPECT_EQ(events, expected);
}

TEST_F(HostMainLoop, TouchSetsThePointsBeforeItsEvent)
{
    static Platform_Library platform;
    platform.load();
    static int second_x;
    second_x = 0;
    reaction = [](int type, int par1, int par2) {
        Touch_Points points;
        if (type == EVT_MTSYNC)
            second_x = platform.touch_points(par1, par2, points) ? points[1].x : -1;
    };
    run_script("touch 1 2 300 4 2\n");
    EXPECT_EQ(second_x, 300);
    platform.close();
}

// Generation 1's reports of the touch itself, which the program ignores:
// 40 after a release, 41 after a press, 42 after a move; none after keys.
TEST_F(HostMainLoop, EachPointerEventIsFollowedByTheGenerationsTouchReport)
{
    ASSERT_EQ(host::generation(), 1);
    static Events reports;
    reports.clear();
    reaction = [](int type, int par1, int par2) {
        if (type != EVT_INIT && type != EVT_SHOW && type != EVT_EXIT)
            reports.push_back({type, par1, par2});
    };
    run_script("press 10 20\nmove 11 21\nrelease 12 22\nkey 24\n");
    Events const expected{{EVT_POINTERDOWN, 10, 20}, {41, 10, 20}, {EVT_POINTERMOVE, 11, 21}, {42, 11, 21},
                          {EVT_POINTERUP, 12, 22},   {40, 12, 22}, {EVT_KEYPRESS, 24, 0},     {EVT_KEYRELEASE, 24, 0}};
    EXPECT_EQ(reports, expected);
}

// Generation 1 has no cancel event: the system's window closing over the
// program stands for it, with the screen-shown event; the points are gone.
TEST_F(HostMainLoop, CancelIsTheScreenShownEventOnGenerationOne)
{
    run_script("touch 1 2 3 4 2\ncancel\n");
    Events const expected{{EVT_INIT, 0, 0}, {EVT_SHOW, 0, 0}, {EVT_MTSYNC, 0, 2}, {EVT_SHOW, 0, 0}, {EVT_EXIT, 0, 0}};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(host::detail::latest_touch_frame(), nullptr);
}

TEST_F(HostMainLoop, SettleWaitsUntilThePanelIsQuiet)
{
    timer_limit = 5;
    reaction = [](int type, int, int) {
        if (type == EVT_SHOW)
            SetWeakTimer("update", updating_timer, 20);
    };
    run_script("settle 150 5000\n");
    EXPECT_EQ(timer_runs, 5);
    EXPECT_EQ(host::updates().size(), 5u);

    // An endless stream of updates: settle gives up at its limit.
    timer_limit = 1000000;
    timer_runs = 0;
    run_script("settle 300 100\n");
    EXPECT_GE(timer_runs, 1);
    EXPECT_LT(timer_runs, 1000000);
}

TEST_F(HostMainLoop, Usr2RaisesTheSignalInTheProgram)
{
    usr2_seen = 0;
    struct sigaction action {}, previous {};
    action.sa_handler = on_usr2;
    sigemptyset(&action.sa_mask);
    sigaction(SIGUSR2, &action, &previous);
    run_script("usr2\n");
    sigaction(SIGUSR2, &previous, nullptr);
    EXPECT_EQ(usr2_seen, 1);
}

TEST_F(HostMainLoop, SnapshotCommandWritesIntoTheOutputFolder)
{
    std::string const out = dir.file("shots/deeper");
    setenv("TARN_HOST_OUT", out.c_str(), 1);
    run_script("snapshot start\n");
    for (char const* file : {"start.png", "start.buffer.png", "start.txt"})
        EXPECT_TRUE(std::filesystem::exists(out + "/" + file)) << file;
}

TEST_F(HostMainLoop, ScreenSizeComesFromTheEnvironment)
{
    static int seen_width, seen_height;
    reaction = [](int type, int, int) {
        if (type == EVT_INIT)
            seen_width = ScreenWidth(), seen_height = ScreenHeight();
    };
    setenv("TARN_HOST_SCREEN", "320x240", 1);
    run_script("quit\n");
    EXPECT_EQ(seen_width, 320);
    EXPECT_EQ(seen_height, 240);
}

TEST_F(HostMainLoop, WithoutAScriptTimersRunUntilCloseApp)
{
    reaction = [](int type, int, int) {
        if (type == EVT_SHOW)
            SetWeakTimer("close", closing_timer, 5);
    };
    InkViewMain(record);
    EXPECT_EQ(timer_runs, 3);
    EXPECT_EQ(events, (Events{{EVT_INIT, 0, 0}, {EVT_SHOW, 0, 0}, {EVT_EXIT, 0, 0}}));
}

TEST_F(HostMainLoop, TerminationSignalEndsTheLoopWithTheExitEvent)
{
    reaction = [](int type, int, int) {
        if (type == EVT_SHOW)
            SetWeakTimer("term", terminating_timer, 5);
    };
    InkViewMain(record);
    EXPECT_EQ(events.back(), (Event{EVT_EXIT, 0, 0}));
    struct sigaction now {};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);  // the loop's handler is gone again
}

using HostMainLoopDeathTest = HostMainLoop;

TEST_F(HostMainLoopDeathTest, ScriptErrorsEndTheRunWithStatusTwo)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    use_script("wait 1\nmenu 1\n");
    EXPECT_EXIT(InkViewMain(record), ::testing::ExitedWithCode(2), "events.txt:2: no menu is open");
    use_script("type q\n");
    EXPECT_EXIT(InkViewMain(record), ::testing::ExitedWithCode(2), "events.txt:1: no key 'q' on any keyboard");
    use_script("rotate 1\n");
    EXPECT_EXIT(InkViewMain(record), ::testing::ExitedWithCode(2), "events.txt:1: no orientation chooser is open");
    use_script("show\njump\n");
    EXPECT_EXIT(InkViewMain(record), ::testing::ExitedWithCode(2), "events.txt:2: unknown command 'jump'");
    setenv("TARN_HOST_EVENTS", dir.file("absent.txt").c_str(), 1);
    EXPECT_EXIT(InkViewMain(record), ::testing::ExitedWithCode(2), "absent.txt: cannot read the event script");
    unsetenv("TARN_HOST_EVENTS");
    setenv("TARN_HOST_SCREEN", "wide", 1);
    EXPECT_EXIT(InkViewMain(record), ::testing::ExitedWithCode(2), "TARN_HOST_SCREEN");
}

}
