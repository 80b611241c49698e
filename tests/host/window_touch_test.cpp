// The mouse as fingers: the events the device sends for a touch, the long
// press after holding still, the pinch with a mirrored second finger, and
// wheel notches as whole pinch gestures.
#include <gtest/gtest.h>

#include <cmath>

#include "host/window_touch.h"
#include "platform/inkview.h"

namespace {

using host::detail::Clock;
using host::detail::Mouse_Touch;
using host::detail::Point;
using host::detail::Touch_Event;
using Events = std::vector<Touch_Event>;
using std::chrono::milliseconds;

Clock::time_point const t0{};

int distance(std::array<Point, 2> const& p)
{
    return int(std::hypot(double(p[1].x - p[0].x), double(p[1].y - p[0].y)));
}

class WindowTouch : public ::testing::Test {
protected:
    void SetUp() override { touch.set_screen(600, 800); }
    Mouse_Touch touch;
};

TEST_F(WindowTouch, OneFingerPressMoveRelease)
{
    EXPECT_EQ(touch.press({100, 200}, false, t0), (Events{{EVT_POINTERDOWN, 100, 200}}));
    EXPECT_TRUE(touch.down());
    EXPECT_EQ(touch.move({150, 260}, t0 + milliseconds(10)), (Events{{EVT_POINTERMOVE, 150, 260}}));
    // The same point again is no movement.
    EXPECT_TRUE(touch.move({150, 260}, t0 + milliseconds(20)).empty());
    EXPECT_EQ(touch.release({150, 270}), (Events{{EVT_POINTERUP, 150, 270}}));
    EXPECT_FALSE(touch.down());
    EXPECT_TRUE(touch.release({1, 1}).empty());
    EXPECT_TRUE(touch.move({2, 2}, t0).empty());
}

TEST_F(WindowTouch, SecondPressDuringATouchIsIgnored)
{
    touch.press({100, 200}, false, t0);
    EXPECT_TRUE(touch.press({300, 300}, true, t0).empty());
    EXPECT_EQ(touch.release({100, 200}), (Events{{EVT_POINTERUP, 100, 200}}));
}

TEST_F(WindowTouch, HoldingStillGivesOneLongPress)
{
    touch.press({100, 200}, false, t0);
    EXPECT_TRUE(touch.due(t0 + milliseconds(499)).empty());
    // A tremble of a few pixels is still holding still.
    touch.move({104, 197}, t0 + milliseconds(300));
    ASSERT_TRUE(touch.next_due());
    EXPECT_EQ(*touch.next_due(), t0 + milliseconds(500));
    EXPECT_EQ(touch.due(t0 + milliseconds(500)), (Events{{EVT_POINTERLONG, 104, 197}}));
    EXPECT_TRUE(touch.due(t0 + milliseconds(2000)).empty());
    EXPECT_FALSE(touch.next_due());
    // The release still comes, as on the device.
    EXPECT_EQ(touch.release({104, 197}), (Events{{EVT_POINTERUP, 104, 197}}));
}

TEST_F(WindowTouch, MovingStartsTheWaitAgain)
{
    touch.press({100, 200}, false, t0);
    touch.move({130, 200}, t0 + milliseconds(400));
    EXPECT_TRUE(touch.due(t0 + milliseconds(600)).empty());
    EXPECT_EQ(touch.due(t0 + milliseconds(900)), (Events{{EVT_POINTERLONG, 130, 200}}));
}

TEST_F(WindowTouch, QuickTapHasNoLongPress)
{
    touch.press({100, 200}, false, t0);
    touch.release({100, 200});
    EXPECT_TRUE(touch.due(t0 + milliseconds(900)).empty());
    EXPECT_FALSE(touch.next_due());
}

TEST_F(WindowTouch, SecondFingerClickIsALongPressAtOnce)
{
    EXPECT_EQ(touch.press({300, 300}, true, t0), (Events{{EVT_POINTERDOWN, 300, 300}}));
    // No waiting for it: the click itself is the long press.
    EXPECT_FALSE(touch.next_due());
    touch.move({302, 301}, t0 + milliseconds(10));  // a tremble is no drag
    EXPECT_EQ(touch.release({302, 301}), (Events{{EVT_POINTERLONG, 300, 300}, {EVT_POINTERUP, 300, 300}}));
}

TEST_F(WindowTouch, SecondFingerDragPinchesAroundThePress)
{
    touch.press({300, 400}, true, t0);
    Events const first = touch.move({350, 400}, t0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].type, EVT_MTSYNC);
    EXPECT_EQ(first[0].par2, 2);
    EXPECT_EQ(first[0].points, (std::array<Point, 2>{Point{350, 400}, Point{250, 400}}));
    Events const wider = touch.move({450, 500}, t0);
    ASSERT_EQ(wider.size(), 1u);
    EXPECT_EQ(wider[0].points, (std::array<Point, 2>{Point{450, 500}, Point{150, 300}}));
    // No pointer moves reach the program while two fingers are down.
    Events const last = touch.release({450, 500});
    EXPECT_EQ(last, (Events{{EVT_MTSYNC, 0, 1, {Point{450, 500}, Point{150, 300}}}, {EVT_POINTERUP, 450, 500}}));
}

TEST_F(WindowTouch, MirroredFingerStaysOnTheScreen)
{
    touch.press({50, 100}, true, t0);
    Events const e = touch.move({400, 700}, t0);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].points[1], (Point{0, 0}));
    touch.release({400, 700});
    // Presses off the screen land on its edge.
    EXPECT_EQ(touch.press({-5, 900}, false, t0), (Events{{EVT_POINTERDOWN, 0, 799}}));
}

TEST_F(WindowTouch, WheelNotchIsAPinchOfAHundredPixels)
{
    Events const spread = touch.wheel({300, 300}, 1);
    ASSERT_EQ(spread.size(), 5u);
    EXPECT_EQ(spread[0], (Touch_Event{EVT_POINTERDOWN, 300, 300}));
    EXPECT_EQ(spread[1].type, EVT_MTSYNC);
    EXPECT_EQ(spread[1].par2, 2);
    EXPECT_EQ(spread[2].par2, 2);
    EXPECT_EQ(distance(spread[2].points) - distance(spread[1].points), 100);
    EXPECT_EQ(spread[3].par2, 1);
    EXPECT_EQ(spread[4], (Touch_Event{EVT_POINTERUP, 300, 300}));

    Events const pinch = touch.wheel({300, 300}, -2);
    ASSERT_EQ(pinch.size(), 10u);
    EXPECT_EQ(distance(pinch[2].points) - distance(pinch[1].points), -100);
    EXPECT_EQ(distance(pinch[7].points) - distance(pinch[6].points), -100);
    EXPECT_FALSE(touch.down());
}

TEST_F(WindowTouch, WheelNearTheEdgeKeepsBothFingersOnTheScreen)
{
    Events const e = touch.wheel({5, 300}, 1);
    ASSERT_EQ(e.size(), 5u);
    EXPECT_GE(e[2].points[0].x, 0);
    EXPECT_EQ(distance(e[2].points) - distance(e[1].points), 100);
}

TEST_F(WindowTouch, WheelIsIgnoredDuringATouchAndBounded)
{
    touch.press({100, 100}, false, t0);
    EXPECT_TRUE(touch.wheel({300, 300}, 1).empty());
    touch.release({100, 100});
    EXPECT_EQ(touch.wheel({300, 300}, 1000).size(), 25u);
}

}
