// Pointer_Handler driven through handle() as the platform's events arrive:
// keyboard band, tap sectors, swipes, long press, pinch and mouse reports.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "host/host.h"
#include "input/pointer_handler.h"
#include "tests/support/fake_messenger.h"

namespace {

// A 600x800 screen with a 300-pixel keyboard band: the text area is 600x500,
// its centre (300, 250).
int const width = 600;
int const height = 800;
int const band = 300;

std::string const esc = "\x1b";

std::string report(char kind, int column_byte, int row_byte)
{
    return esc + "MS" + kind + char(column_byte) + char(row_byte);
}

class PointerHandler : public ::testing::Test {
protected:
    PointerHandler()
    {
        host::reset(width, height);
        fake::reset();
    }

    int down(int x, int y) { return pointer.handle(EVT_POINTERDOWN, x, y); }
    int move(int x, int y) { return pointer.handle(EVT_POINTERMOVE, x, y); }
    int up(int x, int y) { return pointer.handle(EVT_POINTERUP, x, y); }
    int long_press(int x, int y) { return pointer.handle(EVT_POINTERLONG, x, y); }
    int fingers(int count) { return pointer.handle(EVT_MTSYNC, 0, count); }

    // What a tap at (x, y) sends.
    std::string tap(int x, int y)
    {
        fake::reset();
        down(x, y);
        up(x, y);
        return fake::log().all_text();
    }

    // What a press at from, moves through via and a release at to send.
    std::string stroke(int x0, int y0, std::vector<std::pair<int, int>> const& via, int x1, int y1)
    {
        fake::reset();
        down(x0, y0);
        for (auto const& p : via)
            move(p.first, p.second);
        up(x1, y1);
        return fake::log().all_text();
    }

    static void place_fingers(int x1, int y1, int x2, int y2)
    {
        fake::log().has_touch_info = true;
        fake::log().touch_points = Touch_Points{Touch_Point{x1, y1}, Touch_Point{x2, y2}};
    }

    // A touch whose two fingers go from `from` to `to` pixels apart.
    void spread(int from, int to)
    {
        down(100, 100);
        place_fingers(100, 100, 100 + from, 100);
        EXPECT_EQ(1, fingers(2));
        place_fingers(100, 100, 100 + to, 100);
        EXPECT_EQ(1, fingers(2));
    }

    // The font steps a two-finger gesture sends when the fingers go from
    // `from` to `to` pixels apart and then lift together.
    std::vector<int> pinch(int from, int to)
    {
        fake::reset();
        spread(from, to);
        EXPECT_EQ(1, up(100, 100));
        EXPECT_TRUE(fake::log().texts.empty());
        return fake::log().font_size_steps;
    }

    Messenger messenger{0, nullptr};
    Pointer_Handler pointer{messenger, width, height, band};
};

TEST_F(PointerHandler, KeyboardBandBeginsAtScreenHeightLessKeyboardHeight)
{
    EXPECT_EQ(1, down(40, height - band));
    EXPECT_EQ(0, move(300, 100));        // a keyboard touch never forms a gesture
    EXPECT_EQ(0, long_press(40, height - band));
    EXPECT_EQ(1, up(300, 100));          // released anywhere: still the keyboard's
    EXPECT_EQ((std::vector<std::string>{"Keyboard_Pressed", "Keyboard_Released"}), fake::log().sent);
    EXPECT_EQ((std::pair<int, int>(40, height - band)), fake::log().keyboard_presses.at(0));

    EXPECT_EQ(esc + "[OB", tap(40, height - band - 1));
    EXPECT_EQ(0, fake::log().keyboard_releases);
}

TEST_F(PointerHandler, KeyboardTouchStaysOnKeyboardInMouseMode)
{
    pointer.mouse_mode_change(true);
    fake::reset();
    down(100, 700);
    move(200, 700);
    up(200, 700);
    EXPECT_EQ((std::vector<std::string>{"Keyboard_Pressed", "Keyboard_Released"}), fake::log().sent);
}

TEST_F(PointerHandler, TapsSendCursorKeysBySector)
{
    EXPECT_EQ(esc + "[OC", tap(300, 250));  // the centre counts as right
    EXPECT_EQ(esc + "[OA", tap(300, 20));
    EXPECT_EQ(esc + "[OB", tap(300, 480));
    EXPECT_EQ(esc + "[OD", tap(20, 250));
    EXPECT_EQ(esc + "[OC", tap(580, 250));
    EXPECT_EQ(esc + "[OA", tap(20, 5));    // corners lie beyond the diagonals
    EXPECT_EQ(esc + "[OB", tap(590, 495));
}

TEST_F(PointerHandler, TapOnDiagonalCountsAsUpperOrLower)
{
    // The diagonals have slope 250/300; (±120, ±100) from the centre lies on them.
    EXPECT_EQ(esc + "[OB", tap(420, 350));
    EXPECT_EQ(esc + "[OA", tap(180, 150));
    EXPECT_EQ(esc + "[OA", tap(420, 150));
    EXPECT_EQ(esc + "[OB", tap(180, 350));
    // One pixel farther out sideways is in the side sectors.
    EXPECT_EQ(esc + "[OC", tap(421, 350));
    EXPECT_EQ(esc + "[OD", tap(179, 150));
}

TEST_F(PointerHandler, SwipeLengthThresholdIsHalfTheTextArea)
{
    EXPECT_EQ(esc + "[19~", stroke(300, 100, {{300, 200}}, 300, 350));  // down exactly 250
    EXPECT_EQ(esc + "[5~", stroke(300, 100, {{300, 200}}, 300, 351));
    EXPECT_EQ(esc + "[20~", stroke(300, 400, {{300, 300}}, 300, 150));  // up exactly 250
    EXPECT_EQ(esc + "[6~", stroke(300, 400, {{300, 300}}, 300, 149));
}

TEST_F(PointerHandler, SwipeCountsOnlyVerticalTravel)
{
    EXPECT_EQ(esc + "[20~", stroke(100, 200, {{200, 200}}, 300, 200));
    // Down and back: the farthest point makes it a swipe, the end point its direction.
    EXPECT_EQ(esc + "[20~", stroke(300, 250, {{300, 450}}, 300, 250));
    // 101 pixels straight at release, without any move event, is a swipe too.
    EXPECT_EQ(esc + "[19~", stroke(300, 100, {}, 300, 201));
    EXPECT_EQ(esc + "[OA", stroke(300, 100, {}, 300, 200));  // 100 pixels: a tap
}

TEST_F(PointerHandler, LongPressOpensMenuAndSwallowsItsRelease)
{
    down(300, 250);
    move(360, 330);  // exactly 100 pixels away still counts
    EXPECT_EQ(1, long_press(300, 250));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{300, 250}}), fake::log().menus_shown);
    fake::reset();
    EXPECT_EQ(0, up(300, 250));
    EXPECT_EQ(0, move(310, 250));
    EXPECT_TRUE(fake::log().sent.empty());
}

TEST_F(PointerHandler, LongPressAfterWanderingIsNoLongPress)
{
    down(300, 250);
    move(401, 250);
    EXPECT_EQ(0, long_press(300, 250));
    EXPECT_TRUE(fake::log().menus_shown.empty());
    EXPECT_EQ(1, up(300, 250));
    EXPECT_EQ(esc + "[20~", fake::log().all_text());
}

TEST_F(PointerHandler, TouchEventsOutsideATouchAreIgnored)
{
    EXPECT_EQ(0, up(100, 100));
    EXPECT_EQ(0, move(100, 100));
    EXPECT_EQ(0, long_press(100, 100));
    down(300, 100);
    EXPECT_EQ(0, down(200, 400));  // a second press during a touch
    EXPECT_EQ(0, pointer.handle(EVT_POINTERHOLD, 300, 100));
    EXPECT_EQ(0, pointer.handle(EVT_POINTERDRAG, 300, 100));
    up(300, 100);
    EXPECT_EQ(esc + "[OA", fake::log().all_text());  // the first press's tap
}

TEST_F(PointerHandler, PinchSendsWholeHundredPixelSteps)
{
    EXPECT_EQ(std::vector<int>{2}, pinch(200, 450));
    EXPECT_EQ(std::vector<int>{}, pinch(300, 240));
    EXPECT_EQ(std::vector<int>{-1}, pinch(300, 150));
    EXPECT_EQ(std::vector<int>{-2}, pinch(300, 50));
}

TEST_F(PointerHandler, PinchEndsWhenOneFingerLifts)
{
    spread(100, 300);
    EXPECT_EQ(1, fingers(1));
    EXPECT_EQ(std::vector<int>{2}, fake::log().font_size_steps);
    // The touch is over: the other finger's release sends nothing more.
    EXPECT_EQ(0, up(100, 400));
    EXPECT_EQ(1u, fake::log().sent.size());
}

TEST_F(PointerHandler, PinchingFingersMakeNoGesture)
{
    down(100, 100);
    place_fingers(100, 100, 150, 100);
    fingers(2);
    EXPECT_EQ(0, move(100, 450));
    EXPECT_EQ(0, long_press(100, 100));
    up(100, 100);
    EXPECT_TRUE(fake::log().texts.empty());
    EXPECT_TRUE(fake::log().menus_shown.empty());
}

TEST_F(PointerHandler, NoPinchWithoutTouchInformation)
{
    down(300, 250);
    EXPECT_EQ(0, fingers(2));
    EXPECT_EQ(0, fingers(2));
    EXPECT_EQ(1, up(300, 250));
    EXPECT_TRUE(fake::log().font_size_steps.empty());
    EXPECT_EQ(esc + "[OC", fake::log().all_text());  // an ordinary tap
}

TEST_F(PointerHandler, SingleFingerReportStartsNoPinch)
{
    place_fingers(100, 100, 300, 100);
    down(300, 100);
    EXPECT_EQ(0, fingers(1));
    up(300, 100);
    EXPECT_EQ(esc + "[OA", fake::log().all_text());
}

TEST_F(PointerHandler, MouseModeRecognisesNoLongPressOrPinch)
{
    pointer.mouse_mode_change(true);
    place_fingers(100, 100, 300, 100);
    down(100, 100);
    EXPECT_EQ(0, long_press(100, 100));
    EXPECT_EQ(0, fingers(2));
    EXPECT_TRUE(fake::log().menus_shown.empty());
}

TEST_F(PointerHandler, MouseReportsNameTheTouchedCell)
{
    pointer.mouse_mode_change(true);  // cells of 14 x 32
    EXPECT_EQ(1, down(150, 75));
    EXPECT_EQ(report(' ', 43, 35), fake::log().all_text());
    up(150, 75);
    fake::reset();
    down(10, 10);
    EXPECT_EQ(report(' ', 33, 33), fake::log().all_text());
}

TEST_F(PointerHandler, MouseMovesReportOnlyCellChanges)
{
    pointer.mouse_mode_change(true);
    down(150, 75);
    fake::reset();
    EXPECT_EQ(1, move(163, 105));  // the same cell (10, 2)
    EXPECT_TRUE(fake::log().sent.empty());
    EXPECT_EQ(1, move(164, 105));
    EXPECT_EQ(1, move(165, 100));
    EXPECT_EQ(1, move(165, 106));
    EXPECT_EQ((std::vector<std::string>{report('C', 44, 35), report('C', 44, 36)}), fake::log().texts);
    // The release is reported wherever it is, even in the last reported cell.
    fake::reset();
    EXPECT_EQ(1, up(165, 106));
    EXPECT_EQ(report('#', 44, 36), fake::log().all_text());
}

TEST_F(PointerHandler, MouseModeOffRestoresGestures)
{
    pointer.mouse_mode_change(true);
    EXPECT_TRUE(pointer.in_mouse_mode());
    pointer.mouse_mode_change(false);
    EXPECT_FALSE(pointer.in_mouse_mode());
    EXPECT_EQ(esc + "[OC", tap(300, 250));
}

TEST_F(PointerHandler, CharSizeIsAskedWhenMouseModeTurnsOn)
{
    pointer.mouse_mode_change(false);
    EXPECT_TRUE(fake::log().sent.empty());
    fake::log().char_width = 20;
    fake::log().line_height = 40;
    pointer.mouse_mode_change(true);
    EXPECT_EQ(std::vector<std::string>{"Get_Char_Size"}, fake::log().sent);
    EXPECT_EQ(report(' ', 33 + 7, 33 + 1), tap(150, 75).substr(0, 6));
}

TEST_F(PointerHandler, MouseReportsFollowFontSizeChange)
{
    pointer.mouse_mode_change(true);
    fake::log().char_width = 20;
    fake::log().line_height = 40;
    pointer.font_size_changed();
    down(150, 75);
    EXPECT_EQ(report(' ', 33 + 7, 33 + 1), fake::log().all_text());
}

TEST_F(PointerHandler, RotationRereadsScreenSize)
{
    host::reset(height, width);  // landscape: text area 800x300, centre (400, 150)
    pointer.screen_dimensions_changed();
    EXPECT_EQ(esc + "[OB", tap(300, 250));
    EXPECT_EQ(esc + "[OC", tap(400, 150));
    // The keyboard band keeps its height: it now starts at 600 - 300.
    fake::reset();
    down(50, 300);
    EXPECT_EQ(1u, fake::log().keyboard_presses.size());
}

TEST_F(PointerHandler, RotationRereadsCharSize)
{
    pointer.mouse_mode_change(true);
    fake::log().char_width = 10;
    pointer.screen_dimensions_changed();
    down(150, 75);
    EXPECT_EQ(report(' ', 33 + 14, 35), fake::log().all_text());
}

// A cell size of 0 from the display divided by zero.
TEST_F(PointerHandler, ZeroCharSizeStillReports)
{
    fake::log().char_width = 0;
    fake::log().line_height = 0;
    pointer.mouse_mode_change(true);
    down(150, 75);
    ASSERT_EQ(1u, fake::log().texts.size());
    EXPECT_EQ(6u, fake::log().texts[0].size());
}

}

// Regression: points far off the screen overflowed the sector, swipe and
// cell arithmetic (undefined behaviour, caught by the sanitizer build).
TEST_F(PointerHandler, PointsFarOffTheScreenStillGiveSensibleInput)
{
    int const far = std::numeric_limits<int>::max();
    int const near = std::numeric_limits<int>::min();
    EXPECT_EQ(stroke(near, 100, {}, near, 100), "\x1b[OD");
    EXPECT_EQ(stroke(300, near, {}, 300, far), "\x1b[5~");
    EXPECT_EQ(stroke(300, 100, {}, 300, near), "\x1b[6~");

    pointer.mouse_mode_change(true);
    fake::reset();
    down(near, near);
    up(far, far);
    ASSERT_EQ(fake::log().texts.size(), 2u);
    EXPECT_EQ(fake::log().texts[0].size(), 6u);
    EXPECT_EQ(fake::log().texts[1].size(), 6u);
}

TEST_F(PointerHandler, MultiTouchEventNamesItsContainerForThePoints)
{
    down(100, 100);
    place_fingers(100, 100, 300, 100);
    EXPECT_EQ(1, pointer.handle(EVT_MTSYNC, 7, 2));
    EXPECT_EQ((std::pair<int, int>(7, 2)), fake::log().touch_request);
    // One finger lifted ends the pinch without reading the points.
    fake::log().touch_request = {-1, -1};
    EXPECT_EQ(1, pointer.handle(EVT_MTSYNC, 8, 1));
    EXPECT_EQ((std::pair<int, int>(-1, -1)), fake::log().touch_request);
}

TEST_F(PointerHandler, CancelledKeyboardTouchLetsTheKeyGoUntyped)
{
    down(40, height - 10);
    EXPECT_EQ(1, pointer.handle(EVT_POINTERCANCEL, 0, 0));
    EXPECT_EQ(0, up(40, height - 10));
    EXPECT_EQ((std::vector<std::string>{"Keyboard_Pressed", "Keyboard_Cancelled"}), fake::log().sent);
    // The next touch is a touch of its own.
    EXPECT_EQ(esc + "[OC", tap(300, 250));
}

TEST_F(PointerHandler, CancelledTouchMakesNoTapSwipeOrMenu)
{
    down(300, 100);
    move(300, 400);
    EXPECT_EQ(1, pointer.handle(EVT_POINTERCANCEL, 0, 0));
    EXPECT_EQ(0, up(300, 400));
    down(300, 100);
    EXPECT_EQ(1, pointer.handle(EVT_POINTERCANCEL, 0, 0));
    EXPECT_EQ(0, long_press(300, 100));  // the long press the platform had pending
    EXPECT_TRUE(fake::log().sent.empty());
    EXPECT_EQ(0, pointer.handle(EVT_POINTERCANCEL, 0, 0));  // no touch in progress
}

TEST_F(PointerHandler, CancelledPinchChangesNoFontSize)
{
    spread(50, 350);
    EXPECT_TRUE(pointer.cancel_touch());
    EXPECT_EQ(0, fingers(1));
    EXPECT_EQ(0, up(100, 100));
    EXPECT_TRUE(fake::log().sent.empty());
}

TEST_F(PointerHandler, CancelledMouseTouchSendsNoRelease)
{
    pointer.mouse_mode_change(true);
    down(150, 75);
    fake::reset();
    EXPECT_EQ(1, pointer.handle(EVT_POINTERCANCEL, 0, 0));
    EXPECT_EQ(0, up(150, 75));
    EXPECT_TRUE(fake::log().sent.empty());
}
