// Menus, the orientation chooser, the optional menu-size call and the touch
// points, as the program reaches them.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <cstring>
#include <new>
#include <stdexcept>

#include "host/host.h"
#include "platform/platform_library.h"

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
    Platform_Library platform;
    platform.load();
    Rect small, big, again, none;
    ASSERT_TRUE(platform.menu_rect(two, small));
    ASSERT_TRUE(platform.menu_rect(three, big));
    EXPECT_GT(small.width, 0);
    EXPECT_GT(small.height, 0);
    EXPECT_GT(big.width, small.width);
    EXPECT_EQ(big.height * 2, small.height * 3);
    ASSERT_TRUE(platform.menu_rect(two, again));
    EXPECT_EQ(again, small);
    ASSERT_TRUE(platform.menu_rect(nullptr, none));
    EXPECT_EQ(none.height, 0);
}

// Generation 1's record is 12 bytes, short x, y, w, h and int flags, written
// through the caller's memory as on the reader: the rest of a 20-byte record
// stays as it was.
TEST_F(HostDialogs, GenerationOneWritesItsTwelveBytesOfTheRecord)
{
    ASSERT_EQ(host::generation(), 1);
    auto const make_rect = reinterpret_cast<iRect_fn>(dlsym(handle, "iRect"));
    ASSERT_NE(make_rect, nullptr);
    alignas(irect) unsigned char bytes[sizeof(irect)];
    std::memset(bytes, 0x5A, sizeof bytes);
    ::new (static_cast<void*>(bytes)) irect(make_rect(1, 2, 3, 4, 5));
    short words[4];
    int flags;
    std::memcpy(words, bytes, sizeof words);
    std::memcpy(&flags, bytes + 8, sizeof flags);
    EXPECT_EQ(words[0], 1);
    EXPECT_EQ(words[1], 2);
    EXPECT_EQ(words[2], 3);
    EXPECT_EQ(words[3], 4);
    EXPECT_EQ(flags, 5);
    for (std::size_t i = 12; i < sizeof bytes; ++i)
        EXPECT_EQ(bytes[i], 0x5A) << i;
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
    EXPECT_EQ(host::set_touch_points(11, 22, 333, 444), 0);  // generation 1 names no container
    iv_mtinfo* points = touch_info();
    ASSERT_NE(points, nullptr);
    unsigned char bytes[48];
    std::memcpy(bytes, points, sizeof bytes);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[24], 1);
    int values[4];
    std::memcpy(&values[0], bytes + 4, 4);
    std::memcpy(&values[1], bytes + 8, 4);
    std::memcpy(&values[2], bytes + 24 + 4, 4);
    std::memcpy(&values[3], bytes + 24 + 8, 4);
    EXPECT_EQ(values[0], 11);
    EXPECT_EQ(values[1], 22);
    EXPECT_EQ(values[2], 333);
    EXPECT_EQ(values[3], 444);

    host::set_touch_points(11, 22, 333, 444, 1);  // one finger lifted: its record is not active
    std::memcpy(bytes, touch_info(), sizeof bytes);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[24], 0);

    host::clear_touch_points();
    EXPECT_EQ(touch_info(), nullptr);
    EXPECT_EQ(dlsym(handle, "GetTouchInfoI"), nullptr);
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
