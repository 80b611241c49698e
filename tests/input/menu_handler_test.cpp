// Menu_Handler against the stand-in's OpenMenu: the items it shows in each
// touch and keyboard state, where it opens, and what each answer sends.
#include <gtest/gtest.h>

#include <limits>

#include <string>
#include <vector>

#include "host/host.h"
#include "input/menu_handler.h"
#include "tests/support/fake_messenger.h"

namespace {

using Sent = std::vector<std::string>;

struct Item {
    int type;
    int index;
    std::string text;
    bool operator==(Item const& o) const { return type == o.type && index == o.index && text == o.text; }
};

std::ostream& operator<<(std::ostream& out, Item const& item)
{
    return out << "{" << item.type << ", " << item.index << ", \"" << item.text << "\"}";
}

// The records up to the end-of-list record.
std::vector<Item> read_list(imenu const* items)
{
    std::vector<Item> list;
    for (; items && items->type != 0; ++items)
        list.push_back(Item{items->type, items->index, items->text ? items->text : "(null)"});
    return list;
}

class MenuHandler : public ::testing::Test {
protected:
    MenuHandler()
    {
        host::reset(600, 800);
        fake::reset();
    }

    imenu const* main_menu() { return host::open_menu().items; }
    std::vector<Item> touch_list() { return read_list(main_menu()[0].submenu); }
    std::vector<Item> keyboard_list() { return read_list(main_menu()[1].submenu); }

    // Shows the menu, answers it with index and returns what the answer sent.
    Sent choose(int index)
    {
        menu.show(300, 400);
        fake::log().sent.clear();
        host::answer_menu(index);
        return fake::log().sent;
    }

    Messenger messenger{0, nullptr};
    Menu_Handler menu{messenger};
};

// The indices of the old items stay; "Refresh screen" takes the free 1 and
// "Fast typing" 100, above the submenus.
TEST_F(MenuHandler, MainMenuItemsKeepTheirIndices)
{
    menu.show(300, 400);
    ASSERT_TRUE(host::menu_open());
    std::vector<Item> const main = read_list(main_menu());
    ASSERT_EQ(6u, main.size());
    EXPECT_EQ("Touchscreen", main[0].text);
    EXPECT_EQ("Keyboard", main[1].text);
    EXPECT_EQ((Item{ITEM_ACTIVE, 2, "Rotate"}), main[2]);
    EXPECT_EQ((Item{ITEM_ACTIVE, 1, "Refresh screen"}), main[3]);
    EXPECT_EQ((Item{ITEM_ACTIVE, 100, "Fast typing"}), main[4]);
    EXPECT_EQ((Item{ITEM_ACTIVE, 3, "Exit"}), main[5]);
    EXPECT_EQ(nullptr, main_menu()[6].text);
}

TEST_F(MenuHandler, FastTypingIsMarkedWhileOnAndInactiveWhereNotOffered)
{
    struct Case {
        bool offered, on;
        int type;
    } const cases[] = {{true, false, ITEM_ACTIVE}, {true, true, ITEM_BULLET}, {false, false, ITEM_INACTIVE}};
    for (Case const& c : cases) {
        fake::log().fast_typing_offered = c.offered;
        fake::log().fast_typing_on = c.on;
        menu.show(300, 400);
        EXPECT_EQ(c.type, main_menu()[4].type) << c.offered << c.on;
        host::answer_menu(-1);
    }
}

// A file of a hundred keyboards would give one the index of "Fast typing".
TEST_F(MenuHandler, KeyboardsAreListedBelowTheFastTypingIndex)
{
    fake::log().keyboard_names = std::vector<std::string>(120, "Latin");
    menu.show(300, 400);
    std::vector<Item> const keyboards = keyboard_list();
    ASSERT_EQ(96u, keyboards.size());
    EXPECT_EQ(99, keyboards.back().index);
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Toggle_Fast_Typing"}), choose(100));
}

TEST_F(MenuHandler, WithoutMouseSupportTouchscreenIsInactive)
{
    fake::log().keyboard_names = {"English", "Deutsch"};
    fake::log().current_keyboard = "Deutsch";
    menu.show(300, 400);
    EXPECT_EQ(ITEM_INACTIVE, main_menu()[0].type);
    EXPECT_TRUE(touch_list().empty());
    EXPECT_EQ(ITEM_SUBMENU, main_menu()[1].type);
    EXPECT_EQ((std::vector<Item>{{ITEM_ACTIVE, 4, "English"}, {ITEM_BULLET, 5, "Deutsch"}}), keyboard_list());
    EXPECT_EQ((Sent{"Can_Toggle_Touch_State", "Keyboard_Names", "Current_Keyboard_Name", "Fast_Typing_State",
                    "Suspend_Display(1)"}),
              fake::log().sent);
}

TEST_F(MenuHandler, TouchSubmenuMarksTheCurrentMode)
{
    fake::log().can_toggle_touch = true;
    fake::log().touch_state = 1;
    menu.show(300, 400);
    EXPECT_EQ(ITEM_SUBMENU, main_menu()[0].type);
    EXPECT_EQ((std::vector<Item>{{ITEM_ACTIVE, 4, "Arrow keys"}, {ITEM_BULLET, 5, "Mouse"}}), touch_list());
    EXPECT_EQ((std::vector<Item>{{ITEM_BULLET, 6, "English"}}), keyboard_list());
    host::answer_menu(-1);

    fake::log().touch_state = 0;
    menu.show(300, 400);
    EXPECT_EQ((std::vector<Item>{{ITEM_BULLET, 4, "Arrow keys"}, {ITEM_ACTIVE, 5, "Mouse"}}), touch_list());
}

TEST_F(MenuHandler, MenuIsRebuiltForEachShowing)
{
    menu.show(300, 400);
    host::answer_menu(-1);
    fake::log().can_toggle_touch = true;
    fake::log().keyboard_names = {};
    menu.show(300, 400);
    EXPECT_EQ(ITEM_SUBMENU, main_menu()[0].type);
    EXPECT_EQ(2u, touch_list().size());
    EXPECT_EQ(ITEM_INACTIVE, main_menu()[1].type);
    EXPECT_TRUE(keyboard_list().empty());
    host::answer_menu(-1);
    fake::log().can_toggle_touch = false;
    fake::log().keyboard_names = {"English"};
    menu.show(300, 400);
    EXPECT_EQ(ITEM_INACTIVE, main_menu()[0].type);
    EXPECT_EQ(ITEM_SUBMENU, main_menu()[1].type);
}

TEST_F(MenuHandler, EveryKeyboardNamedLikeTheCurrentOneIsMarked)
{
    fake::log().keyboard_names = {"Latin", "Greek", "Latin"};
    fake::log().current_keyboard = "Latin";
    menu.show(300, 400);
    EXPECT_EQ((std::vector<Item>{{ITEM_BULLET, 4, "Latin"}, {ITEM_ACTIVE, 5, "Greek"}, {ITEM_BULLET, 6, "Latin"}}),
              keyboard_list());
}

TEST_F(MenuHandler, KeyboardTextsStayValidWhileTheMenuIsOpen)
{
    fake::log().keyboard_names = {"A keyboard name too long for any short-string buffer", "Cyrillic"};
    menu.show(300, 400);
    fake::log().keyboard_names = {"changed"};
    fake::log().current_keyboard = "changed";
    EXPECT_EQ("A keyboard name too long for any short-string buffer", keyboard_list().at(0).text);
    EXPECT_EQ("Cyrillic", keyboard_list().at(1).text);
}

TEST_F(MenuHandler, MenuIsCentredOnThePointButKeptOffTheLeftEdge)
{
    fake::log().has_menu_rect = true;
    fake::log().menu_rect = Rect{0, 0, 200, 100};
    menu.show(10, 300);
    EXPECT_EQ(20, host::open_menu().x);
    EXPECT_EQ(250, host::open_menu().y);
    host::answer_menu(-1);
    menu.show(300, 400);
    EXPECT_EQ(200, host::open_menu().x);
    EXPECT_EQ(350, host::open_menu().y);
    host::answer_menu(-1);
    menu.show(121, 30);  // 21 stays; the top has no limit
    EXPECT_EQ(21, host::open_menu().x);
    EXPECT_EQ(-20, host::open_menu().y);
}

TEST_F(MenuHandler, PointsFarOffTheScreenDoNotOverflowThePlacement)
{
    fake::log().has_menu_rect = true;
    fake::log().menu_rect = Rect{0, 0, 200, 100};
    menu.show(std::numeric_limits<int>::min(), std::numeric_limits<int>::min());
    EXPECT_EQ(20, host::open_menu().x);
    EXPECT_EQ(std::numeric_limits<int>::min(), host::open_menu().y);
}

TEST_F(MenuHandler, WithoutMenuSizeTheMenuOpensAtThePoint)
{
    menu.show(10, 300);
    EXPECT_EQ(20, host::open_menu().x);
    EXPECT_EQ(300, host::open_menu().y);
    host::answer_menu(-1);
    menu.show(300, 400);
    EXPECT_EQ(300, host::open_menu().x);
    EXPECT_EQ(400, host::open_menu().y);
}

TEST_F(MenuHandler, ChoicesBecomeMessages)
{
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Show_Rotate_Box"}), choose(2));
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Refresh_Screen"}), choose(1));
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Close"}), choose(3));
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Toggle_Fast_Typing"}), choose(100));
}

TEST_F(MenuHandler, SubmenuChoicesSendTheirPositions)
{
    fake::log().can_toggle_touch = true;
    fake::log().keyboard_names = {"English", "Deutsch", "Greek"};
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Set_Touch_Mode(0)"}), choose(4));
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Set_Touch_Mode(1)"}), choose(5));
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Set_Keyboard(0)"}), choose(6));
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Set_Keyboard(2)"}), choose(8));
    EXPECT_EQ((Sent{"Suspend_Display(0)"}), choose(9));

    fake::log().can_toggle_touch = false;
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Set_Keyboard(0)"}), choose(4));
    EXPECT_EQ((Sent{"Suspend_Display(0)", "Set_Keyboard(2)"}), choose(6));
    EXPECT_EQ((Sent{"Suspend_Display(0)"}), choose(7));
}

TEST_F(MenuHandler, DismissedMenuOnlyResumesTheDisplay)
{
    fake::log().can_toggle_touch = true;
    EXPECT_EQ((Sent{"Suspend_Display(0)"}), choose(-1));
    EXPECT_EQ((Sent{"Suspend_Display(0)"}), choose(0));
    // The lists went with the menu: a late answer naming one of their items does nothing more.
    fake::log().sent.clear();
    Menu_Handler::static_menu_handler(4);
    EXPECT_EQ((Sent{"Suspend_Display(0)"}), fake::log().sent);
}

}
