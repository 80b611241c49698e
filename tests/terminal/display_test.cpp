// The Display's own duties: the layout from the fonts and the screen, the
// fonts per attribute, the output cycle with its timer and single refresh,
// the bell, the cursor, font size changes and rotation.
#include <algorithm>
#include <climits>
#include <vector>

#include "app/tarn_exception.h"
#include "host/host.h"
#include "platform/inkview.h"
#include "tests/support/fake_messenger.h"
#include "tests/terminal/terminal_fixture.h"

namespace terminal_test {
namespace {

class Display_Test : public Terminal {};

TEST_F(Display_Test, GridIsLaidOutFromTheFontMetricsAndTheScreen)
{
    struct Case {
        int width, height, keyboard, size, spacing;
    };
    Case const cases[] = {{600, 800, 300, 23, 0}, {600, 800, 300, 23, 4}, {800, 600, 250, 16, -3},
                          {1072, 1448, 402, 31, 10}, {600, 800, 0, 12, 0}};
    for (Case const& c : cases) {
        open(Layout{c.width, c.height, c.keyboard, c.size, c.spacing});
        int const cell_width = char_width(c.size);
        int const line_height = font_height(c.size) + c.spacing;
        int const columns = (c.width - 20) / cell_width;
        int const rows = (c.height + c.spacing - c.keyboard - 10) / line_height;
        EXPECT_EQ(display->column_count(), columns) << c.width << "x" << c.height << " size " << c.size;
        EXPECT_EQ(display->row_count(), rows) << c.width << "x" << c.height << " size " << c.size;
        int w = 0;
        int h = 0;
        display->char_size(w, h);
        EXPECT_EQ(w, cell_width);
        EXPECT_EQ(h, line_height);
        for (int r = 0; r < rows; ++r)
            ASSERT_EQ(display->line(r).top(), 10 + r * line_height);
        int top = 0;
        int bottom = 0;
        display->scroll_region(top, bottom);
        EXPECT_EQ(top, 0);
        EXPECT_EQ(bottom, rows - 1);
    }
}

TEST_F(Display_Test, ReaderLayoutWithCellsOf14By28)
{
    // At size 23 the cells are 14 x 28 pixels.
    ASSERT_EQ(char_width(23), 14);
    ASSERT_EQ(font_height(23), 28);
    open(Layout{600, 800, 300, 23, 0});
    EXPECT_EQ(display->column_count(), 41);
    EXPECT_EQ(display->row_count(), 17);
    open(Layout{600, 800, 300, 23, 4});
    EXPECT_EQ(display->row_count(), 15);
}

TEST_F(Display_Test, NoRowFitsAboveAKeyboardTallerThanTheScreen)
{
    open(Layout{600, 800, 900, 24, 0});
    EXPECT_EQ(display->row_count(), 0);
    feed("text\r\n\e[5;5H\e[2J\e[L\e[M\e[P\e[K\e[1K\e[2;3r\a");
    EXPECT_EQ(cursor(), std::make_pair(4, 0));
    EXPECT_EQ(host::stale_pixels(), 0);
    EXPECT_TRUE(display->toggle_cursor().empty());
}

TEST_F(Display_Test, FontFollowsBoldAndItalicBitsOnly)
{
    open(Layout{});
    auto name = [this](unsigned char attr) { return std::string(display->font(attr)->name); };
    EXPECT_EQ(name(0x00), font_names[0]);
    EXPECT_EQ(name(0x01), font_names[0]);
    EXPECT_EQ(name(0x02), font_names[1]);
    EXPECT_EQ(name(0x03), font_names[1]);
    EXPECT_EQ(name(0x04), font_names[2]);
    EXPECT_EQ(name(0x05), font_names[2]);
    EXPECT_EQ(name(0x06), font_names[3]);
    EXPECT_EQ(name(0x07), font_names[3]);
    EXPECT_EQ(display->font(0x07)->size, 24);
}

TEST_F(Display_Test, AFontThatCannotBeOpenedIsNamedInTheError)
{
    host::reset();
    std::string Config::*const fields[] = {&Config::normal_font, &Config::bold_font, &Config::italic_font,
                                           &Config::italic_bold_font};
    char const* const messages[] = {"Can't open normal font 'Nope", "Can't open bold font 'Nope",
                                    "Can't open italic font 'Nope", "Can't open italic bold font 'Nope"};
    for (int i = 0; i < 4; ++i) {
        Config broken("/nonexistent/tarn.cfg");
        for (int j = 0; j < 4; ++j)
            broken.*fields[j] = font_names[j];
        broken.*fields[i] = "Nope";
        try {
            Display display(messenger, broken, 300);
            ADD_FAILURE() << "no exception for " << messages[i];
        } catch (Tarn_Exception const& e) {
            EXPECT_STREQ(e.what(), messages[i]);
        }
        EXPECT_EQ(Display::s_handling_display, nullptr);
    }
}

TEST_F(Display_Test, CycleRefreshesOnceAndRearmsItsTimer)
{
    open(Layout{});
    fake::log().on_get_text = [](std::string&) {
        EXPECT_FALSE(host::timer_armed(Display::static_timer_handler)) << "the timer runs during a cycle";
    };
    feed("hello");
    ASSERT_EQ(host::updates().size(), 1u);
    EXPECT_EQ(host::updates()[0].kind, host::Update::partial);
    EXPECT_EQ(host::updates()[0].area, cells(0, 0, 6));
    EXPECT_TRUE(host::timer_armed(Display::static_timer_handler));
    EXPECT_EQ(host::timer_name(Display::static_timer_handler), "tarn_timer");
    EXPECT_EQ(host::timer_delay(Display::static_timer_handler), 50);
    EXPECT_EQ(fake::log().text, "");
}

TEST_F(Display_Test, EmptyFetchPaintsNothingAndRearmsTheTimer)
{
    open(Layout{});
    std::vector<unsigned char> const before = host::buffer();
    feed("");
    EXPECT_TRUE(host::updates().empty());
    EXPECT_EQ(host::buffer(), before);
    EXPECT_TRUE(host::timer_armed(Display::static_timer_handler));
}

TEST_F(Display_Test, TimerRunsTheCycleUntilTheDisplayIsGone)
{
    open(Layout{});
    display->start_timer();
    fake::log().text = "tick";
    host::fire_timers();
    EXPECT_EQ(row(0), "tick");
    EXPECT_EQ(fake::log().text, "");
    EXPECT_TRUE(host::timer_armed(Display::static_timer_handler));

    display->stop_timer();
    EXPECT_FALSE(host::timer_armed(Display::static_timer_handler));
    display->start_timer();
    display.reset();
    EXPECT_FALSE(host::timer_armed(Display::static_timer_handler));
    EXPECT_EQ(Display::s_handling_display, nullptr);
}

TEST_F(Display_Test, BellFlashesTheBandAboveTheKeyboard)
{
    open(Layout{600, 800, 300, 24, 0});
    std::vector<unsigned char> const before = host::buffer();
    display->blink();
    ASSERT_EQ(host::updates().size(), 2u);
    EXPECT_EQ(host::updates()[0].area, (Rect{0, 470, 600, 30}));
    EXPECT_EQ(host::updates()[1].area, (Rect{0, 470, 600, 30}));
    EXPECT_EQ(host::buffer(), before);
    EXPECT_EQ(host::stale_pixels(Rect{0, 470, 600, 30}), 0);
}

// Regression: a bell on the cursor's row refreshed the band while the cursor
// was hidden, and the cycle then skipped its refresh since nothing else changed.
TEST_F(Display_Test, BellUnderTheCursorLeavesTheCursorOnThePanel)
{
    open(Layout{320, 240, 40, 24, 0});
    feed("\e[6;1H");
    feed("\a");
    EXPECT_EQ(host::stale_pixels(), 0) << dump();
}

// The panel as the bell's first refresh left it.
std::vector<unsigned char> panel_at_bell;

void keep_first_panel(host::Update const&)
{
    if (panel_at_bell.empty())
        panel_at_bell = host::panel();
}

// A cycle paints its rows only at its end: a bell within it must still flash
// over the text written before it, not over the cells as they were.
TEST_F(Display_Test, BellFlashesOverTextWrittenEarlierInTheCycle)
{
    open(Layout{320, 240, 40, 24, 0});
    Rect const band{0, 170, 320, 30};
    Rect const text = cells(0, 5, 3, 1);
    ASSERT_GT(text.y + text.height, band.y);
    host::clear_updates();
    panel_at_bell.clear();
    host::set_update_hook(keep_first_panel);
    feed("\e[6;1Habc\a");
    host::set_update_hook(nullptr);

    ASSERT_FALSE(panel_at_bell.empty());
    ASSERT_EQ(host::updates().front().area, band);
    int inked = 0;
    for (int y = band.y; y < text.y + text.height; ++y)
        for (int x = text.x; x < text.x + text.width; ++x) {
            unsigned char const shown = panel_at_bell[std::size_t(y) * host::width() + x];
            ASSERT_EQ(shown, 255 - host::buffer_pixel(x, y)) << x << "," << y;
            inked += host::buffer_pixel(x, y) < 128;
        }
    EXPECT_GT(inked, 0);
}

TEST_F(Display_Test, CursorIsAnInvertedCellToggledInPairs)
{
    open_grid(20, 6);
    // Shown at the top-left cell from the start: a blank cell turned black.
    EXPECT_EQ(host::buffer_pixel(10 + 2, 10 + 2), 0);
    std::vector<unsigned char> const shown = host::buffer();
    Rect const hidden = display->toggle_cursor();
    EXPECT_EQ(hidden, cells(0, 0));
    EXPECT_EQ(host::buffer_pixel(12, 12), 255);
    EXPECT_EQ(display->toggle_cursor(), hidden);
    EXPECT_EQ(host::buffer(), shown);

    feed("\e[3;5H");
    EXPECT_EQ(host::buffer_pixel(12, 12), 255);
    Rect const now = cells(4, 2);
    EXPECT_EQ(host::buffer_pixel(now.x + 2, now.y + 2), 0);
    EXPECT_EQ(host::updates().back().area, (Rect{cells(0, 0).x, cells(0, 0).y, 5 * now.width, 3 * now.height}));
}

TEST_F(Display_Test, WritingTheLastColumnLeavesTheWrapPending)
{
    open_grid(10, 3);
    display->toggle_cursor();
    display->cursor_to(9, 1);
    EXPECT_EQ(display->insert(L'x'), cells(9, 1));
    EXPECT_EQ(cursor(), std::make_pair(10, 1));
    // Shown on the last cell, the nearest there is.
    EXPECT_EQ(display->toggle_cursor(), cells(9, 1));
    display->toggle_cursor();
    EXPECT_EQ(display->insert(L'y'), cells(0, 2));
    EXPECT_EQ(cursor(), std::make_pair(1, 2));
    EXPECT_EQ(row(1), "         x");
    EXPECT_EQ(row(2), "y");
}

TEST_F(Display_Test, IndexAtTheBottomScrollsAndReportsTheRepaintedRows)
{
    open_grid(10, 24);
    for (int r = 0; r < 24; ++r)
        display->cursor_to(0, r), display->insert(static_cast<wchar_t>(L'A' + r));
    display->cursor_to(5, 23);
    Rect const changed = display->index();
    EXPECT_EQ(cursor(), std::make_pair(5, 23));
    EXPECT_EQ(row(0), "B");
    EXPECT_EQ(row(22), "X");
    EXPECT_EQ(row(23), "");
    EXPECT_EQ(changed, cells(0, 0, 1, 24));
    EXPECT_EQ(display->line(20).top(), cells(0, 20).y);
}

TEST_F(Display_Test, PositionsAndCountsFromTheChildStayOnTheGrid)
{
    open_grid(10, 6);
    feed("abc");
    display->cursor_to(1000, -1000);
    EXPECT_EQ(cursor(), std::make_pair(9, 0));
    display->cursor_to(-5, 99);
    EXPECT_EQ(cursor(), std::make_pair(0, 5));
    display->cursor_up(INT_MAX);
    display->cursor_backward(INT_MAX);
    EXPECT_EQ(cursor(), std::make_pair(0, 0));
    EXPECT_EQ(display->delete_chars(INT_MAX), cells(0, 0, 3));
    EXPECT_EQ(row(0), "");
    EXPECT_TRUE(display->insert_lines(INT_MAX).empty());
    EXPECT_EQ(rows(), std::vector<std::string>(6, ""));
}

// Regression: a pinch or held key past the sizes fonts open at threw, and the
// program ended with the editor and its unsaved text.
TEST_F(Display_Test, FontSizeChangesStayWithinTheSettingsRange)
{
    open(Layout{600, 800, 300, 24, 0});
    EXPECT_NO_THROW(display->change_font_size(-100));
    EXPECT_EQ(display->font(0)->size, Config::smallest_font_size);
    EXPECT_NO_THROW(display->change_font_size(1000));
    EXPECT_EQ(display->font(0)->size, Config::largest_font_size);
}

// Regression: with a positive line spacing the last row reached into the
// keyboard band, and clearing or reversing it painted over the keys.
TEST_F(Display_Test, PositiveLineSpacingKeepsTheRowsAboveTheKeyboard)
{
    for (int spacing : {0, 4, 40, 100}) {
        open(Layout{600, 800, 242, 24, spacing});
        int cell_width = 0, line_height = 0;
        display->char_size(cell_width, line_height);
        EXPECT_LE(10 + display->row_count() * line_height, 800 - 242) << "spacing " << spacing;
        EXPECT_EQ(display->row_count(), (800 - 242 - 10) / line_height) << "spacing " << spacing;
    }
}

TEST_F(Display_Test, FontSizeChangeRebuildsABlankGridAndKeepsTheCursor)
{
    open(Layout{600, 800, 300, 16, 0});
    feed("some text\r\nmore\e[3;7H");
    host::clear_updates();
    display->change_font_size(7);

    EXPECT_EQ(display->font(0)->size, 23);
    EXPECT_EQ(display->column_count(), 41);
    EXPECT_EQ(display->row_count(), 17);
    EXPECT_EQ(row(0), "");
    EXPECT_EQ(row(1), "");
    EXPECT_EQ(cursor(), std::make_pair(6, 2));
    ASSERT_FALSE(host::updates().empty());
    EXPECT_EQ(host::updates()[0].area, (Rect{0, 0, 600, 500}));
    // The text area is white but for the cursor, now a 14 x 28 cell.
    Rect const cursor_cell{10 + 6 * 14, 10 + 2 * 28, 14, 28};
    long black = 0;
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 600; ++x)
            black += host::buffer_pixel(x, y) == 0 ? 1 : 0;
    EXPECT_EQ(black, 14 * 28);
    EXPECT_EQ(host::buffer_pixel(cursor_cell.x, cursor_cell.y), 0);
    EXPECT_EQ(host::buffer_pixel(cursor_cell.x + 13, cursor_cell.y + 27), 0);
}

// Hiding the cursor after the screen had been cleared for a rotation left a
// black cell behind.
TEST_F(Display_Test, RotationLeavesOnlyTheCursorInked)
{
    open(Layout{600, 800, 300, 23, 0});
    feed("\e[5;9H");
    ClearScreen();
    SetOrientation(1);
    display->screen_dimensions_changed();
    Rect const cursor_cell = cells(8, 4);
    long black = 0;
    for (int y = 0; y < host::height(); ++y)
        for (int x = 0; x < host::width(); ++x)
            black += host::buffer_pixel(x, y) == 0 ? 1 : 0;
    EXPECT_EQ(black, cursor_cell.width * cursor_cell.height);
    EXPECT_EQ(host::buffer_pixel(cursor_cell.x, cursor_cell.y), 0);
}

TEST_F(Display_Test, RotationKeepsTheCursorRowOnTheNewGrid)
{
    open(Layout{600, 800, 300, 23, 0});
    feed("\e[2;16r\e[17;30H");
    SetOrientation(1);
    display->screen_dimensions_changed();
    EXPECT_EQ(display->column_count(), (800 - 20) / 14);
    EXPECT_EQ(display->row_count(), (600 - 300 - 10) / 28);
    EXPECT_EQ(cursor(), std::make_pair(29, display->row_count() - 1));
    int top = 0;
    int bottom = 0;
    display->scroll_region(top, bottom);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, display->row_count() - 1);
    feed("x\n");
    EXPECT_EQ(row(display->row_count() - 2), std::string(29, ' ') + "x");
}

// Regression: after a font size change or a rotation the new cursor was drawn
// into the buffer only, so a child that redrew without moving it left the
// panel without a cursor.
TEST_F(Display_Test, NewGridShowsItsCursorOnThePanel)
{
    open(Layout{600, 800, 300, 16, 0});
    SoftUpdate();
    feed("\e[3;7H");
    display->change_font_size(2);
    feed("\e[2J");
    EXPECT_EQ(host::stale_pixels(), 0);

    ClearScreen();
    SetOrientation(1);
    display->screen_dimensions_changed();
    feed("\e[2J");
    EXPECT_EQ(host::stale_pixels(), 0);
}

}
}
