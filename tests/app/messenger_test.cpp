// The whole program on the stand-in: event routing and results, closing,
// the SIGUSR2 toggle, the orientation restored at exit, and main's report of
// fatal failures, with a real child on a real pseudo-terminal.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/application.h"
#include "host/host.h"
#include "platform/inkview.h"
#include "terminal/display.h"
#include "tests/support/sandbox.h"

namespace {

int event(int type, int par1 = 0, int par2 = 0) { return application::event_function(type, par1, par2); }

// A child that stays until the test process ends and reports its window size
// whenever it changes.
std::string const idle_editor = "trap 'stty size > \"$0.size\"' WINCH\nstty size > \"$0.size\"\n"
                                "while :; do sleep 0.05; done\n";

struct Program : ::testing::Test {
    Sandbox sandbox;
    std::string editor;

    void start(std::string const& settings = "")
    {
        host::reset();
        editor = sandbox.write_script("editor.sh", idle_editor);
        sandbox.write_config("editor: " + editor + "\nkeyboard_file:\n" + settings);
        ASSERT_EQ(event(EVT_INIT), 1);
    }
    void TearDown() override { event(EVT_EXIT); }

    void press_menu_key() { event(EVT_KEYRELEASE, KEY_MENU, 0); }

    short touchscreen_item_type()
    {
        press_menu_key();
        EXPECT_TRUE(host::menu_open());
        short const type = host::menu_open() ? host::open_menu().items[0].type : -1;
        if (host::menu_open())
            host::answer_menu(-1);
        return type;
    }

    std::string window_size()
    {
        std::ifstream file(editor + ".size");
        std::string size;
        std::getline(file, size);
        return size;
    }
};

bool eventually(std::function<bool()> const& condition)
{
    for (int i = 0; i < 100; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

}

TEST_F(Program, ShowEventRepaintsAndAnswersOne)
{
    start();
    host::clear_updates();
    EXPECT_EQ(event(EVT_SHOW), 1);
    bool soft_update = false;
    for (auto const& update : host::updates())
        soft_update |= update.kind == host::Update::soft;
    EXPECT_TRUE(soft_update);
}

// Regression: the show event cleared the screen and left the editor's text
// gone and the cursor's inversion out of step until the child redrew.
TEST_F(Program, ShowEventKeepsTheEditorsTextAndCursor)
{
    host::reset();
    std::string const greeter = sandbox.write_script("greeter.sh", "printf 'hello'\nwhile :; do sleep 0.05; done\n");
    sandbox.write_config("editor: " + greeter + "\nkeyboard_file:\n");
    ASSERT_EQ(event(EVT_INIT), 1);
    ASSERT_TRUE(eventually([] {
        event(EVT_SHOW);
        return !host::text_layer().empty() && host::text_layer().front().text == "h";
    }));
    std::vector<unsigned char> const before = host::buffer();

    EXPECT_EQ(event(EVT_SHOW), 1);
    EXPECT_EQ(host::buffer(), before);
    EXPECT_EQ(host::stale_pixels(), 0);
}

TEST_F(Program, UnroutedEventsAnswerZeroAndTouchNothing)
{
    start();
    event(EVT_SHOW);
    host::clear_updates();
    EXPECT_EQ(event(24), 0);
    EXPECT_EQ(event(33), 0);
    EXPECT_EQ(event(EVT_KEYPRESS, KEY_NEXT, 0), 0);
    EXPECT_EQ(event(27, KEY_NEXT, 0), 0);
    EXPECT_EQ(event(EVT_POINTERHOLD, 100, 100), 0);
    EXPECT_EQ(event(EVT_POINTERDRAG, 100, 100), 0);
    // The touch reports and key events that later generations add.
    for (int type : {40, 41, 42, 46, 47, 48, 49})
        EXPECT_EQ(event(type, 100, 100), 0) << type;
    EXPECT_TRUE(host::updates().empty());
    EXPECT_FALSE(host::menu_open());
}

// 45: the system took the touch over. The key held is let go untyped.
TEST_F(Program, CancelledTouchLeavesTheKeyboardAsBefore)
{
    start();
    event(EVT_SHOW);
    std::vector<unsigned char> const before = host::buffer();
    event(EVT_POINTERDOWN, 81, 636);  // the built-in keyboard's "q"
    EXPECT_NE(host::buffer(), before);
    EXPECT_EQ(event(EVT_POINTERCANCEL, 0, 0), 1);
    EXPECT_EQ(host::buffer(), before);
    EXPECT_EQ(event(EVT_POINTERUP, 81, 636), 0);
    EXPECT_EQ(event(EVT_POINTERCANCEL, 0, 0), 0);
}

// The screen shown again after the platform had it: the touch begun before
// is over, as after 45.
TEST_F(Program, ShowEventEndsTheTouchInProgress)
{
    start();
    event(EVT_SHOW);
    event(EVT_POINTERDOWN, 300, 300);
    event(EVT_SHOW);
    EXPECT_EQ(event(EVT_POINTERLONG, 300, 300), 0);
    EXPECT_FALSE(host::menu_open());
    EXPECT_EQ(event(EVT_POINTERUP, 300, 300), 0);
}

TEST_F(Program, KeyTextIsAnsweredQuicklyAndATouchEndsAnIdleWhile)
{
    start();
    event(EVT_SHOW);
    // The built-in keyboard's "q", in its second row.
    event(EVT_POINTERDOWN, 81, 636);
    event(EVT_POINTERUP, 81, 636);
    EXPECT_EQ(host::timer_delay(Display::static_timer_handler), 1);

    // The terminal's echo of the "q" comes when it comes: cycles run until a
    // quiet while has passed since.
    EXPECT_TRUE(eventually([] {
        for (int i = 0; i < 40; ++i)
            host::fire_timers();
        return host::timer_delay(Display::static_timer_handler) == 1000;
    }));
    event(EVT_POINTERDOWN, 300, 300);
    EXPECT_EQ(host::timer_delay(Display::static_timer_handler), 50);
}

TEST_F(Program, MenuKeyReleaseOpensTheMenu)
{
    start();
    EXPECT_EQ(event(EVT_KEYRELEASE, KEY_MENU, 0), 1);
    EXPECT_TRUE(host::menu_open());
}

TEST_F(Program, AfterExitEveryEventAnswersZeroUntilTheExitEvent)
{
    start();
    press_menu_key();
    ASSERT_TRUE(host::menu_open());
    host::answer_menu(3);  // "Exit"
    EXPECT_TRUE(host::close_requested());

    ::raise(SIGUSR2);
    EXPECT_EQ(event(EVT_SHOW), 0);
    EXPECT_EQ(event(EVT_KEYRELEASE, KEY_MENU, 0), 0);
    EXPECT_FALSE(host::menu_open());
    EXPECT_EQ(event(EVT_EXIT), 1);
}

TEST_F(Program, EditorThatEndsClosesTheProgram)
{
    host::reset();
    sandbox.write_config("editor: " + sandbox.write_script("quick.sh", "exit 0\n") + "\nkeyboard_file:\n");
    ASSERT_EQ(event(EVT_INIT), 1);
    EXPECT_TRUE(eventually([] {
        event(EVT_SHOW);
        return host::close_requested();
    }));
    EXPECT_EQ(event(EVT_SHOW), 0);
}

TEST_F(Program, EachUsr2FlipsTheTouchChoicesAtTheNextEvent)
{
    start();
    EXPECT_EQ(touchscreen_item_type(), ITEM_INACTIVE);
    ::raise(SIGUSR2);
    EXPECT_EQ(touchscreen_item_type(), ITEM_SUBMENU);
    ::raise(SIGUSR2);
    EXPECT_EQ(touchscreen_item_type(), ITEM_INACTIVE);
}

TEST_F(Program, WithdrawnMouseSupportReturnsToArrowKeys)
{
    start();
    ::raise(SIGUSR2);
    press_menu_key();
    ASSERT_TRUE(host::menu_open());
    imenu const* touch = host::open_menu().items[0].submenu;
    ASSERT_NE(touch, nullptr);
    host::answer_menu(touch[1].index);  // "Mouse"

    ::raise(SIGUSR2);
    event(33);  // any routed event applies the flip
    ::raise(SIGUSR2);
    press_menu_key();
    ASSERT_TRUE(host::menu_open());
    touch = host::open_menu().items[0].submenu;
    EXPECT_STREQ(touch[0].text, "Arrow keys");
    EXPECT_EQ(touch[0].type, ITEM_BULLET);
    EXPECT_EQ(touch[1].type, ITEM_ACTIVE);
    host::answer_menu(-1);
}

TEST_F(Program, ConfiguredOrientationIsUndoneAtExit)
{
    start("orientation: 1\n");
    EXPECT_EQ(GetOrientation(), 1);
    EXPECT_EQ(event(EVT_EXIT), 1);
    EXPECT_EQ(GetOrientation(), 0);
}

TEST_F(Program, RotationTellsTheChildItsNewSize)
{
    start();
    ASSERT_TRUE(eventually([&] { return !window_size().empty(); }));
    std::istringstream portrait(window_size());
    int rows = 0, columns = 0;
    portrait >> rows >> columns;

    press_menu_key();
    host::answer_menu(2);  // "Rotate"
    ASSERT_TRUE(host::rotate_box_open());
    host::answer_rotate_box(1);
    EXPECT_EQ(ScreenWidth(), 800);

    int landscape_rows = rows, landscape_columns = columns;
    EXPECT_TRUE(eventually([&] {
        std::istringstream(window_size()) >> landscape_rows >> landscape_columns;
        return landscape_columns != columns;
    }));
    EXPECT_GT(landscape_columns, columns);
    EXPECT_LT(landscape_rows, rows);
}

namespace {

struct Outcome {
    int status;
    std::string errors;
};

// Runs the real program headless with an event script.
Outcome run_tarn(Sandbox const& sandbox, std::string const& script)
{
    sandbox.write_file("events", script);
    std::string const errors = sandbox.path("stderr");
    std::string const command = "TARN_HOST_EVENTS=" + sandbox.path("events") + " TARN_HOST_OUT=" + sandbox.root() +
                                " " TARN_BINARY_DIR "/tarn 2>" + errors;
    int const status = std::system(command.c_str());
    std::ifstream file(errors);
    std::stringstream text;
    text << file.rdbuf();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
}

}

TEST(Main, StartupFailureIsPrintedAndTheExitStatusIsZero)
{
    Sandbox sandbox;
    sandbox.write_config("keyboard_file: /nonexistent.kbd\n");
    Outcome const run = run_tarn(sandbox, "wait 100\nquit\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "Can't open keyboard definition file '/nonexistent.kbd'\n");
}

TEST(Main, MissingEditorIsReportedAndTheProgramClosesCleanly)
{
    Sandbox sandbox;
    sandbox.write_config("editor: /nonexistent/vim\nkeyboard_file:\n");
    // The program ends by itself: the script's last line is never reached.
    Outcome const run = run_tarn(sandbox, "wait 2000\nsnapshot late\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(access(sandbox.path("late.txt").c_str(), R_OK), 0);
    EXPECT_NE(run.errors.find("Can't use editor executable '/nonexistent/vim' requested in configuration file\n"),
              std::string::npos);
    EXPECT_NE(run.errors.find("execvp() failed :"), std::string::npos);
}

TEST(Main, HeadlessSnapshotWritesItsThreeFiles)
{
    Sandbox sandbox;
    sandbox.write_config("editor: " + sandbox.write_script("editor.sh", idle_editor) + "\nkeyboard_file:\n");
    Outcome const run = run_tarn(sandbox, "wait 300\nsnapshot start\nquit\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    for (char const* file : {"start.png", "start.buffer.png", "start.txt"})
        EXPECT_EQ(access(sandbox.path(file).c_str(), R_OK), 0) << file;
}
