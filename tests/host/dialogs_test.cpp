// Menus, the orientation chooser, the optional menu-size call and the touch
// points, as the program reaches them.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

#include "host/host.h"

namespace {

int menu_answer, rotate_answer;
void on_menu(int index) { menu_answer = index; }
void on_rotate(int orientation) { rotate_answer = orientation; }

char rotate[] = "Rotate", exit_text[] = "Exit", keyboards[] = "A much longer item";

class HostDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::reset();
        menu_answer = rotate_answer = -100;
        handle = dlopen("libinkview.so", RTLD_LAZY);
        ASSERT_NE(handle, nullptr) << dlerror();
        menu_rect = reinterpret_cast<GetMenuRect_fn>(dlsym(handle, "GetMenuRect"));
        touch_info = reinterpret_cast<GetTouchInfo_fn>(dlsym(handle, "GetTouchInfo"));
        ASSERT_NE(menu_rect, nullptr);
        ASSERT_NE(touch_info, nullptr);
    }
    void TearDown() override { dlclose(handle); }

    void* handle = nullptr;
    GetMenuRect_fn menu_rect = nullptr;
    GetTouchInfo_fn touch_info = nullptr;
};

TEST_F(HostDialogs, MenuStaysOpenUntilAnswered)
{
    imenu items[] = {{ITEM_ACTIVE, 2, rotate, nullptr}, {ITEM_ACTIVE, 3, exit_text, nullptr}, {0, 0, nullptr, nullptr}};
    EXPECT_FALSE(host::menu_open());
    OpenMenu(items, 0, 20, 250, on_menu);
    ASSERT_TRUE(host::menu_open());
    EXPECT_EQ(host::open_menu().items, items);
    EXPECT_EQ(host::open_menu().x, 20);
    EXPECT_EQ(host::open_menu().y, 250);

    host::answer_menu(3);
    EXPECT_EQ(menu_answer, 3);
    EXPECT_FALSE(host::menu_open());
    EXPECT_THROW(host::answer_menu(2), std::logic_error);
}

TEST_F(HostDialogs, MenuRectGrowsWithTheLongestTextAndTheItemCount)
{
    imenu two[] = {{ITEM_ACTIVE, 2, rotate, nullptr}, {ITEM_ACTIVE, 3, exit_text, nullptr}, {0, 0, nullptr, nullptr}};
    imenu three[] = {{ITEM_SUBMENU, 0, keyboards, nullptr},
                     {ITEM_ACTIVE, 2, rotate, nullptr},
                     {ITEM_ACTIVE, 3, exit_text, nullptr},
                     {0, 0, nullptr, nullptr}};
    irect const small = menu_rect(two);
    irect const big = menu_rect(three);
    EXPECT_GT(small.w, 0);
    EXPECT_GT(small.h, 0);
    EXPECT_GT(big.w, small.w);
    EXPECT_EQ(big.h * 2, small.h * 3);
    irect const again = menu_rect(two);
    EXPECT_EQ(again.w, small.w);
    EXPECT_EQ(again.h, small.h);
    EXPECT_EQ(menu_rect(nullptr).h, 0);
}

TEST_F(HostDialogs, RotateBoxPassesTheChosenOrientation)
{
    EXPECT_FALSE(host::rotate_box_open());
    OpenRotateBox(on_rotate);
    EXPECT_TRUE(host::rotate_box_open());
    host::answer_rotate_box(2);
    EXPECT_EQ(rotate_answer, 2);
    EXPECT_FALSE(host::rotate_box_open());
    EXPECT_THROW(host::answer_rotate_box(1), std::logic_error);
}

TEST_F(HostDialogs, TouchPointsSitAtTheirByteOffsets)
{
    EXPECT_EQ(touch_info(), nullptr);
    host::set_touch_points(11, 22, 333, 444);
    iv_mtinfo* points = touch_info();
    ASSERT_NE(points, nullptr);
    unsigned char bytes[48];
    std::memcpy(bytes, points, sizeof bytes);
    int values[4];
    std::memcpy(&values[0], bytes + 4, 4);
    std::memcpy(&values[1], bytes + 8, 4);
    std::memcpy(&values[2], bytes + 24 + 4, 4);
    std::memcpy(&values[3], bytes + 24 + 8, 4);
    EXPECT_EQ(values[0], 11);
    EXPECT_EQ(values[1], 22);
    EXPECT_EQ(values[2], 333);
    EXPECT_EQ(values[3], 444);

    host::clear_touch_points();
    EXPECT_EQ(touch_info(), nullptr);
    host::set_touch_points(1, 2, 3, 4);
    host::reset();
    EXPECT_EQ(touch_info(), nullptr);
}

TEST_F(HostDialogs, ResetClosesOpenDialogs)
{
    imenu items[] = {{0, 0, nullptr, nullptr}};
    OpenMenu(items, 0, 0, 0, on_menu);
    OpenRotateBox(on_rotate);
    host::reset();
    EXPECT_FALSE(host::menu_open());
    EXPECT_FALSE(host::rotate_box_open());
}

}
