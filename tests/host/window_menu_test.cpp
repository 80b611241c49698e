// Menus and the orientation chooser as the window shows them: the layout
// shared with GetMenuRect, hit-testing, drawing on the overlay without
// touching the program's screen, and the answers clicks give.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "host/dialogs.h"
#include "host/host.h"
#include "host/menu_layout.h"
#include "host/window_menu.h"
#include "platform/platform_library.h"

namespace {

using namespace host::detail;

char touchscreen[] = "Touchscreen", keyboard[] = "Keyboard", rotate[] = "Rotate", exit_text[] = "Exit";
char arrows[] = "Arrow keys", mouse[] = "Mouse", english[] = "English", russian[] = "\u0420\u0443\u0441\u0441\u043a\u0438\u0439";

std::vector<int> menu_answers, rotate_answers;
std::function<void(int)> on_menu_extra;
void on_menu(int index)
{
    menu_answers.push_back(index);
    if (auto extra = on_menu_extra)  // a copy: the call may replace it
        extra(index);
}
void on_rotate(int orientation) { rotate_answers.push_back(orientation); }

Point centre_of(Rect const& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

long dark_pixels(Overlay const& o, Rect const& r)
{
    long count = 0;
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x)
            count += o.covers(x, y) && o.pixel(x, y) < 128;
    return count;
}

class WindowMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::reset(600, 800);
        menu_answers.clear();
        rotate_answers.clear();
        on_menu_extra = nullptr;
    }
    void TearDown() override { on_menu_extra = nullptr; }

    void click(Point p)
    {
        view.press(p);
        view.release(p);
        view.sync();
    }
    Rect main_area() const { return place_menu(main, host::open_menu().x, host::open_menu().y, 600, 800); }

    imenu touch_list[3] = {{ITEM_BULLET, 4, arrows, nullptr}, {ITEM_ACTIVE, 5, mouse, nullptr}, {0, 0, nullptr, nullptr}};
    imenu keyboards[3] = {{ITEM_ACTIVE, 6, english, nullptr}, {ITEM_INACTIVE, 7, russian, nullptr}, {0, 0, nullptr, nullptr}};
    imenu main[5] = {{ITEM_SUBMENU, 0, touchscreen, touch_list},
                     {ITEM_SUBMENU, 0, keyboard, keyboards},
                     {ITEM_ACTIVE, 2, rotate, nullptr},
                     {ITEM_INACTIVE, 3, exit_text, nullptr},
                     {0, 0, nullptr, nullptr}};
    Window_Menu view;
};

TEST(MenuLayout, DrawnSizeIsWhatGetMenuRectReports)
{
    char wide[] = "\u00e9\u00e9\u00e9\u00e9\u00e9";  // five characters, ten bytes
    imenu items[] = {{ITEM_ACTIVE, 2, rotate, nullptr}, {ITEM_ACTIVE, 3, wide, nullptr}, {0, 0, nullptr, nullptr}};
    Platform_Library platform;
    platform.load();
    Rect reported;
    ASSERT_TRUE(platform.menu_rect(items, reported));
    Rect const drawn = place_menu(items, 10, 10, 600, 800);
    EXPECT_EQ(reported.width, drawn.width);
    EXPECT_EQ(reported.height, drawn.height);
    EXPECT_EQ(drawn.width, 2 * menu_padding + 6 * menu_char_width);
    EXPECT_EQ(drawn.height, 2 * menu_row_height);
}

TEST(MenuLayout, MenuIsMovedOntoTheScreen)
{
    imenu items[] = {{ITEM_ACTIVE, 2, rotate, nullptr}, {0, 0, nullptr, nullptr}};
    Rect const size = menu_size(items);
    Rect const inside = place_menu(items, 50, 60, 600, 800);
    EXPECT_EQ(inside.x, 50);
    EXPECT_EQ(inside.y, 60);
    // The program centres its menu on a point and may hand a negative top.
    Rect const above = place_menu(items, 20, -30, 600, 800);
    EXPECT_EQ(above.y, 0);
    Rect const right = place_menu(items, 590, 790, 600, 800);
    EXPECT_EQ(right.x, 600 - size.width);
    EXPECT_EQ(right.y, 800 - size.height);
}

TEST(MenuLayout, RowsAndHitTesting)
{
    Rect const menu{100, 200, 160, 3 * menu_row_height};
    EXPECT_EQ(menu_item_at(menu, 3, 100, 200), 0);
    EXPECT_EQ(menu_item_at(menu, 3, 259, 200 + menu_row_height), 1);
    EXPECT_EQ(menu_item_at(menu, 3, 150, 200 + 3 * menu_row_height - 1), 2);
    EXPECT_EQ(menu_item_at(menu, 3, 99, 210), -1);
    EXPECT_EQ(menu_item_at(menu, 3, 260, 210), -1);
    EXPECT_EQ(menu_item_at(menu, 3, 150, 199), -1);
    EXPECT_EQ(menu_item_at(menu, 3, 150, 200 + 3 * menu_row_height), -1);
    EXPECT_EQ(menu_row(menu, 2).y, 200 + 2 * menu_row_height);
}

TEST(MenuLayout, SubmenuOpensBesideItsItem)
{
    imenu sub[] = {{ITEM_ACTIVE, 4, mouse, nullptr}, {0, 0, nullptr, nullptr}};
    Rect const menu{100, 200, 160, 160};
    Rect const right = place_submenu(menu, 1, sub, 600, 800);
    EXPECT_EQ(right.x, 258);
    EXPECT_EQ(right.y, 240);
    // No room on the right: it goes left.
    Rect const left = place_submenu({500, 200, 100, 160}, 0, sub, 600, 800);
    EXPECT_EQ(left.x + left.width, 502);
}

TEST_F(WindowMenu, OpenMenuIsDrawnOverTheScreenNotIntoIt)
{
    FillArea(0, 0, 600, 800, BLACK);
    PartialUpdate(0, 0, 600, 800);
    auto const buffer = host::buffer();
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    ASSERT_TRUE(view.showing());
    Rect const area = main_area();
    EXPECT_EQ(host::buffer(), buffer);
    EXPECT_TRUE(view.overlay().covers(area.x, area.y));
    EXPECT_TRUE(view.overlay().covers(area.x + area.width - 1, area.y + area.height - 1));
    EXPECT_FALSE(view.overlay().covers(area.x - 1, area.y));
    EXPECT_FALSE(view.overlay().covers(area.x, area.y + area.height));
    // Inside the frame the menu is white with dark text on its active rows.
    EXPECT_EQ(view.overlay().pixel(area.x + area.width - 5, area.y + 5), 255);
    for (int row = 0; row < 3; ++row)
        EXPECT_GT(dark_pixels(view.overlay(), {area.x + menu_padding, area.y + row * menu_row_height + 8, 60, 24}), 20)
            << "row " << row;

    std::vector<std::uint32_t> frame;
    view.overlay().compose(host::panel(), false, frame);
    EXPECT_EQ(frame[std::size_t(area.y + 5) * 600 + area.x + area.width - 5], 0xFFFFFFFFu);
    EXPECT_EQ(frame[10], 0xFF000000u);  // the panel beside the menu
}

TEST_F(WindowMenu, MarksShowTheItemTypes)
{
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    Rect const area = main_area();
    Rect const exit_row = menu_row(area, 3), rotate_row = menu_row(area, 2), touch_row = menu_row(area, 0);
    // Inactive text is grey: no pixel as dark as active text.
    EXPECT_EQ(dark_pixels(view.overlay(), {exit_row.x + menu_padding, exit_row.y + 4, 60, 32}), 0);
    EXPECT_GT(dark_pixels(view.overlay(), {rotate_row.x + menu_padding, rotate_row.y + 4, 60, 32}), 0);
    // A submenu item has its arrow in the right margin, a plain one nothing there.
    Rect const margin{touch_row.x + touch_row.width - menu_padding, touch_row.y + 4, menu_padding - 2, 32};
    EXPECT_GT(dark_pixels(view.overlay(), margin), 10);
    EXPECT_EQ(dark_pixels(view.overlay(), {margin.x, rotate_row.y + 4, margin.width, 32}), 0);

    click(centre_of(touch_row));
    Rect const sub = place_submenu(area, 0, touch_list, 600, 800);
    // The marked item has its bullet in the left margin, the other none.
    EXPECT_GT(dark_pixels(view.overlay(), {sub.x + 3, sub.y + 4, menu_padding - 4, 32}), 10);
    EXPECT_EQ(dark_pixels(view.overlay(), {sub.x + 3, sub.y + menu_row_height + 4, menu_padding - 4, 32}), 0);
}

TEST_F(WindowMenu, ClickedItemAnswersItsIndexAndTheScreenShowsAgain)
{
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    click(centre_of(menu_row(main_area(), 2)));
    EXPECT_EQ(menu_answers, std::vector<int>{2});
    EXPECT_FALSE(host::menu_open());
    EXPECT_FALSE(view.showing());
    EXPECT_TRUE(view.overlay().empty());
}

TEST_F(WindowMenu, SubmenuItemAnswersItsOwnIndex)
{
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    Rect const area = main_area();
    click(centre_of(menu_row(area, 1)));
    EXPECT_TRUE(menu_answers.empty());
    Rect const sub = place_submenu(area, 1, keyboards, 600, 800);
    EXPECT_TRUE(view.overlay().covers(sub.x + sub.width - 1, sub.y));
    // The inactive item does nothing; the active one answers.
    click(centre_of(menu_row(sub, 1)));
    EXPECT_TRUE(menu_answers.empty());
    EXPECT_TRUE(host::menu_open());
    click(centre_of(menu_row(sub, 0)));
    EXPECT_EQ(menu_answers, std::vector<int>{6});
}

TEST_F(WindowMenu, OpeningAnotherSubmenuReplacesTheFirst)
{
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    Rect const area = main_area();
    click(centre_of(menu_row(area, 1)));
    Rect const keyboard_sub = place_submenu(area, 1, keyboards, 600, 800);
    click(centre_of(menu_row(area, 0)));
    Rect const touch_sub = place_submenu(area, 0, touch_list, 600, 800);
    // The keyboard submenu's last row lies below the touch submenu: gone.
    Rect const below = menu_row(keyboard_sub, 1);
    EXPECT_FALSE(view.overlay().covers(below.x + below.width - 3, below.y + below.height - 3));
    click(centre_of(menu_row(touch_sub, 1)));
    EXPECT_EQ(menu_answers, std::vector<int>{5});
}

TEST_F(WindowMenu, ClickBesideDismissesWithMinusOne)
{
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    click({5, 5});
    EXPECT_EQ(menu_answers, std::vector<int>{-1});
    EXPECT_FALSE(host::menu_open());
    EXPECT_TRUE(view.overlay().empty());
}

TEST_F(WindowMenu, ReleaseOffThePressedItemChoosesNothing)
{
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    Rect const area = main_area();
    view.press(centre_of(menu_row(area, 2)));
    view.move({5, 5});
    view.release({5, 5});
    EXPECT_TRUE(menu_answers.empty());
    EXPECT_TRUE(host::menu_open());
    view.press(centre_of(menu_row(area, 2)));
    view.release(centre_of(menu_row(area, 0)));
    EXPECT_TRUE(menu_answers.empty());
}

TEST_F(WindowMenu, HandlerMayOpenTheNextMenu)
{
    on_menu_extra = [this](int) {
        on_menu_extra = nullptr;
        OpenMenu(main, 0, 0, 0, on_menu);
    };
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    click(centre_of(menu_row(main_area(), 2)));
    ASSERT_TRUE(host::menu_open());
    EXPECT_TRUE(view.showing());
    EXPECT_TRUE(view.overlay().covers(0, 0));
}

TEST_F(WindowMenu, MenuClosedByTheProgramLeavesTheOverlay)
{
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    host::answer_menu(3);
    view.sync();
    EXPECT_FALSE(view.showing());
    EXPECT_TRUE(view.overlay().empty());
}

TEST_F(WindowMenu, ChooserAnswersTheOrientationAndMarksTheCurrentOne)
{
    SetOrientation(1);
    OpenRotateBox(on_rotate);
    view.sync();
    ASSERT_TRUE(view.showing());
    EXPECT_EQ(view.overlay().width(), 800);
    // Four rows centred on the screen, the current orientation's bulleted.
    int const top = (600 - 4 * menu_row_height) / 2;
    Point const first{400, top + menu_row_height / 2};
    int left = 400;
    while (view.overlay().covers(left - 1, first.y))
        --left;
    EXPECT_GT(dark_pixels(view.overlay(), {left + 3, top + menu_row_height + 4, menu_padding - 4, 32}), 10);
    EXPECT_EQ(dark_pixels(view.overlay(), {left + 3, top + 4, menu_padding - 4, 32}), 0);

    click({400, top + 2 * menu_row_height + menu_row_height / 2});
    EXPECT_EQ(rotate_answers, std::vector<int>{2});
    EXPECT_FALSE(host::rotate_box_open());
    EXPECT_TRUE(view.overlay().empty());
}

TEST_F(WindowMenu, ChooserDismissedGivesNoAnswer)
{
    OpenRotateBox(on_rotate);
    view.sync();
    click({2, 2});
    EXPECT_TRUE(rotate_answers.empty());
    EXPECT_FALSE(host::rotate_box_open());
    OpenRotateBox(on_rotate);
    view.sync();
    view.dismiss();
    EXPECT_TRUE(rotate_answers.empty());
    EXPECT_FALSE(view.showing());
}

TEST_F(WindowMenu, ExceptionFromTheHandlerPassesOutWithTheMenuGone)
{
    on_menu_extra = [](int) { throw std::runtime_error("from the menu"); };
    OpenMenu(main, 0, 200, 300, on_menu);
    view.sync();
    EXPECT_THROW(click(centre_of(menu_row(main_area(), 2))), std::runtime_error);
    EXPECT_FALSE(view.showing());
    EXPECT_TRUE(view.overlay().empty());
}

TEST_F(WindowMenu, EmptyOrUnendedListsAreSafe)
{
    imenu empty[] = {{0, 0, nullptr, nullptr}};
    OpenMenu(empty, 0, 10, 10, on_menu);
    view.sync();
    click({15, 15});
    EXPECT_EQ(menu_answers, std::vector<int>{-1});
    OpenMenu(nullptr, 0, 10, 10, on_menu);
    view.sync();
    view.dismiss();
    EXPECT_EQ(menu_answers, (std::vector<int>{-1, -1}));
    // An item without text is drawn blank and still answers.
    imenu blank[] = {{ITEM_ACTIVE, 9, nullptr, nullptr}, {0, 0, nullptr, nullptr}};
    OpenMenu(blank, 0, 10, 10, on_menu);
    view.sync();
    click({20, 20});
    EXPECT_EQ(menu_answers.back(), 9);
}

TEST(WindowOverlay, FlashShowsBlackUnderTheOverlay)
{
    Overlay o;
    o.resize(4, 2);
    o.fill({1, 0, 1, 1}, 200);
    std::vector<unsigned char> const panel(8, 255);
    std::vector<std::uint32_t> frame;
    o.compose(panel, true, frame);
    EXPECT_EQ(frame[0], 0xFF000000u);
    EXPECT_EQ(frame[1], 0xFFC8C8C8u);
    o.compose(panel, false, frame);
    EXPECT_EQ(frame[0], 0xFFFFFFFFu);
    o.clear();
    EXPECT_TRUE(o.empty());
    o.compose(panel, false, frame);
    EXPECT_EQ(frame[1], 0xFFFFFFFFu);
}

}
