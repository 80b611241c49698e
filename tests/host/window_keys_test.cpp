// The hardware keys from desktop keys: the device's event numbers, repeat
// timing and the values its releases carry.
#include <gtest/gtest.h>

#include "host/window_keys.h"
#include "platform/inkview.h"

namespace {

using host::detail::Clock;
using host::detail::Key_Event;
using host::detail::Key_Repeat;
using Events = std::vector<Key_Event>;
using std::chrono::milliseconds;

Clock::time_point const t0{};

int constexpr page_down = 1, right_arrow = 2, f1 = 3;

TEST(WindowKeys, ShortPressIsDownThenReleaseWithZero)
{
    Key_Repeat keys;
    EXPECT_EQ(keys.press(f1, KEY_MENU, t0), (Events{{EVT_KEYPRESS, KEY_MENU, 0}}));
    EXPECT_TRUE(keys.due(t0 + milliseconds(499)).empty());
    EXPECT_EQ(keys.release(f1, t0 + milliseconds(300)), (Events{{EVT_KEYRELEASE, KEY_MENU, 0}}));
    EXPECT_FALSE(keys.next_due());
    EXPECT_FALSE(keys.held(KEY_MENU));
}

TEST(WindowKeys, HeldKeyRepeatsAfterHalfASecondThenEveryHundredFifty)
{
    Key_Repeat keys;
    keys.press(page_down, KEY_NEXT, t0);
    ASSERT_TRUE(keys.next_due());
    EXPECT_EQ(*keys.next_due(), t0 + milliseconds(500));
    EXPECT_EQ(keys.due(t0 + milliseconds(500)), (Events{{EVT_KEYREPEAT, KEY_NEXT, 1}}));
    EXPECT_TRUE(keys.due(t0 + milliseconds(649)).empty());
    EXPECT_EQ(keys.due(t0 + milliseconds(650)), (Events{{EVT_KEYREPEAT, KEY_NEXT, 2}}));
    // A late look delivers every repeat that fell due, in order.
    EXPECT_EQ(keys.due(t0 + milliseconds(960)),
              (Events{{EVT_KEYREPEAT, KEY_NEXT, 3}, {EVT_KEYREPEAT, KEY_NEXT, 4}}));
    EXPECT_EQ(keys.release(page_down, t0 + milliseconds(1000)), (Events{{EVT_KEYRELEASE, KEY_NEXT, 4}}));
}

TEST(WindowKeys, ReleaseFirstDeliversRepeatsThatFellDueBeforeIt)
{
    Key_Repeat keys;
    keys.press(page_down, KEY_NEXT, t0);
    EXPECT_EQ(keys.release(page_down, t0 + milliseconds(600)),
              (Events{{EVT_KEYREPEAT, KEY_NEXT, 1}, {EVT_KEYRELEASE, KEY_NEXT, 1}}));
}

TEST(WindowKeys, TwoDesktopKeysForOneHardwareKeyMakeOnePress)
{
    Key_Repeat keys;
    keys.press(page_down, KEY_NEXT, t0);
    EXPECT_TRUE(keys.press(right_arrow, KEY_NEXT, t0 + milliseconds(100)).empty());
    EXPECT_TRUE(keys.release(page_down, t0 + milliseconds(200)).empty());
    EXPECT_TRUE(keys.held(KEY_NEXT));
    EXPECT_EQ(keys.release(right_arrow, t0 + milliseconds(300)), (Events{{EVT_KEYRELEASE, KEY_NEXT, 0}}));
    // A release nobody pressed is nothing.
    EXPECT_TRUE(keys.release(right_arrow, t0 + milliseconds(400)).empty());
}

TEST(WindowKeys, KeysRepeatIndependently)
{
    Key_Repeat keys;
    keys.press(page_down, KEY_NEXT, t0);
    keys.press(f1, KEY_MENU, t0 + milliseconds(100));
    EXPECT_EQ(keys.due(t0 + milliseconds(600)),
              (Events{{EVT_KEYREPEAT, KEY_NEXT, 1}, {EVT_KEYREPEAT, KEY_MENU, 1}}));
    EXPECT_EQ(keys.release_all(t0 + milliseconds(610)),
              (Events{{EVT_KEYRELEASE, KEY_NEXT, 1}, {EVT_KEYRELEASE, KEY_MENU, 1}}));
    EXPECT_FALSE(keys.next_due());
}

TEST(WindowKeys, StalledLoopCatchesUpOnlyAFewRepeats)
{
    Key_Repeat keys;
    keys.press(page_down, KEY_NEXT, t0);
    auto const late = keys.due(t0 + std::chrono::hours(1));
    ASSERT_EQ(late.size(), 20u);
    EXPECT_EQ(late.back().value, 20);
    // The numbering goes on from there, one interval later.
    EXPECT_EQ(keys.due(t0 + std::chrono::hours(1) + milliseconds(150)), (Events{{EVT_KEYREPEAT, KEY_NEXT, 21}}));
}

}
