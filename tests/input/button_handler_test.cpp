// Button_Handler: commands per key on release and first repeat, and the key
// pair swapped in the orientations that turn the device around.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"
#include "input/button_handler.h"
#include "tests/support/fake_messenger.h"

namespace {

using Sent = std::vector<std::string>;

class ButtonHandler : public ::testing::Test {
protected:
    ButtonHandler()
    {
        host::reset(600, 800);
        fake::reset();
    }

    // A short press: down, then released before any repeat.
    Sent press(int key)
    {
        fake::reset();
        EXPECT_EQ(0, buttons.handle(EVT_KEYPRESS, key, 0));
        buttons.handle(EVT_KEYRELEASE, key, 0);
        return fake::log().sent;
    }

    // A hold through `repeats` repeats, then its release.
    Sent hold(int key, int repeats)
    {
        fake::reset();
        buttons.handle(EVT_KEYPRESS, key, 0);
        for (int r = 1; r <= repeats; ++r)
            buttons.handle(EVT_KEYREPEAT, key, r);
        EXPECT_EQ(0, buttons.handle(EVT_KEYRELEASE, key, repeats));
        return fake::log().sent;
    }

    Messenger messenger{0, nullptr};
    Button_Handler buttons{messenger, 0};
};

TEST_F(ButtonHandler, ShortPressesActOnRelease)
{
    EXPECT_EQ(Sent{"Change_Keyboard"}, press(KEY_NEXT));
    EXPECT_EQ(Sent{"Change_Touch_Mode"}, press(KEY_PREV));
    EXPECT_EQ(Sent{"Show_Menu"}, press(KEY_MENU));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{300, 400}}), fake::log().menus_shown);
    EXPECT_EQ(1, buttons.handle(EVT_KEYRELEASE, KEY_NEXT, 0));
    EXPECT_EQ(0, buttons.handle(EVT_KEYRELEASE, 22, 0));
}

TEST_F(ButtonHandler, MenuCentreFollowsScreenSize)
{
    host::reset(800, 600);
    press(KEY_MENU);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{400, 300}}), fake::log().menus_shown);
}

TEST_F(ButtonHandler, KeyPairSwapsInOrientationsOneAndTwo)
{
    for (int orientation : {1, 2}) {
        buttons.set_orientation(orientation);
        EXPECT_EQ(Sent{"Change_Touch_Mode"}, press(KEY_NEXT)) << orientation;
        EXPECT_EQ(Sent{"Change_Keyboard"}, press(KEY_PREV)) << orientation;
        EXPECT_EQ(Sent{"Show_Menu"}, press(KEY_MENU)) << orientation;
        EXPECT_EQ(Sent{"Change_Font_Size(-1)"}, hold(KEY_NEXT, 3)) << orientation;
    }
    for (int orientation : {0, 3}) {
        buttons.set_orientation(orientation);
        EXPECT_EQ(Sent{"Change_Keyboard"}, press(KEY_NEXT)) << orientation;
        EXPECT_EQ(Sent{"Change_Touch_Mode"}, press(KEY_PREV)) << orientation;
    }
}

TEST_F(ButtonHandler, HoldChangesFontSizeOnce)
{
    EXPECT_EQ(Sent{"Change_Font_Size(1)"}, hold(KEY_NEXT, 5));
    EXPECT_EQ(Sent{"Change_Font_Size(-1)"}, hold(KEY_PREV, 5));
    EXPECT_EQ(1, buttons.handle(EVT_KEYREPEAT, KEY_NEXT, 1));
    EXPECT_EQ(0, buttons.handle(EVT_KEYREPEAT, KEY_NEXT, 2));
}

TEST_F(ButtonHandler, HeldMenuKeyDoesNothing)
{
    EXPECT_EQ(Sent{}, hold(KEY_MENU, 4));
    EXPECT_EQ(0, buttons.handle(EVT_KEYREPEAT, KEY_MENU, 1));
}

TEST_F(ButtonHandler, KeyGoingDownIsNeverActedOn)
{
    for (int key : {int(KEY_MENU), int(KEY_PREV), int(KEY_NEXT), 22})
        EXPECT_EQ(0, buttons.handle(EVT_KEYPRESS, key, 0));
    EXPECT_EQ(0, buttons.handle(27, KEY_MENU, 0));
    EXPECT_TRUE(fake::log().sent.empty());
}

// The page keys of some readers act as previous and next, swapped alike.
TEST_F(ButtonHandler, SecondPairActsAsPreviousAndNext)
{
    EXPECT_EQ(Sent{"Change_Touch_Mode"}, press(KEY_PREV2));
    EXPECT_EQ(Sent{"Change_Keyboard"}, press(KEY_NEXT2));
    EXPECT_EQ(Sent{"Change_Font_Size(-1)"}, hold(KEY_PREV2, 3));
    EXPECT_EQ(Sent{"Change_Font_Size(1)"}, hold(KEY_NEXT2, 2));
    buttons.set_orientation(1);
    EXPECT_EQ(Sent{"Change_Keyboard"}, press(KEY_PREV2));
    EXPECT_EQ(Sent{"Change_Font_Size(-1)"}, hold(KEY_NEXT2, 1));
}

}
