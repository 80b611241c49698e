// Layout of the keyboards in both orientations, and the key search checked
// pixel column by pixel column against a walk along each row.
#include <climits>
#include <sstream>
#include <string>

#include "tests/keyboard/keyboard_fixture.h"

namespace {

using Keyboard_Geometry = Keyboard_Test;

// Rows stacked from the top, keys edge to edge from the left, unit x units wide.
void expect_edge_to_edge(Keyboard const& layout, int unit, int top)
{
    int y = top;
    for (Kbd_Row const& row : layout.rows) {
        EXPECT_EQ(layout.left, row.x);
        EXPECT_EQ(y, row.y);
        int x = layout.left;
        for (Kbd_Button const& key : row.buttons) {
            EXPECT_EQ(x, key.x);
            EXPECT_EQ(y, key.y);
            EXPECT_EQ(unit * key.units, key.width);
            EXPECT_EQ(layout.row_height, key.height);
            x += key.width;
        }
        EXPECT_EQ(layout.left + unit * row.units, x);
        y += layout.row_height;
    }
}

TEST_F(Keyboard_Geometry, PortraitBuiltInKeyboard)
{
    Keyboard_Handler& kbd = load_builtin();
    EXPECT_EQ(240, kbd.keyboard_height());
    EXPECT_EQ(560, kbd.keyboard_top());
    for (Keyboard const& layout : kbd.keyboard_layouts()) {
        EXPECT_EQ(3, layout.left);
        EXPECT_EQ(48, layout.row_height);
        expect_edge_to_edge(layout, 54, 560);
    }
    EXPECT_EQ(54, key("q").width);
    EXPECT_EQ(108, key(" ").width);
    EXPECT_EQ(108, key("\r").width);
    // The widest row ends where the right margin begins.
    Kbd_Button const& last = key("\x08");
    EXPECT_EQ(3 + 54 * 11, last.x + last.width);
}

TEST_F(Keyboard_Geometry, LandscapeKeepsTheHeightAndWidensTheKeys)
{
    Keyboard_Handler& kbd = load_builtin();
    SetOrientation(1);
    ASSERT_EQ(800, ScreenWidth());
    kbd.screen_dimensions_changed();
    EXPECT_EQ(240, kbd.keyboard_height());
    EXPECT_EQ(360, kbd.keyboard_top());
    for (Keyboard const& layout : kbd.keyboard_layouts()) {
        EXPECT_EQ(4, layout.left);
        EXPECT_EQ(48, layout.row_height);
        expect_edge_to_edge(layout, 72, 360);
    }
}

TEST_F(Keyboard_Geometry, MinimumHeightRaisesTheRows)
{
    config.minimum_keyboard_height = 300;
    Keyboard_Handler& kbd = load_builtin();
    EXPECT_EQ(61, kbd.keyboard_layouts()[0].row_height);
    EXPECT_EQ(305, kbd.keyboard_height());
    EXPECT_EQ(495, kbd.keyboard_top());
    expect_edge_to_edge(kbd.keyboard_layouts()[1], 54, 495);
}

TEST_F(Keyboard_Geometry, TallFontRaisesTheRows)
{
    config.kbd_font_size = 48;
    ifont* const font = OpenFont(config.kbd_font.c_str(), 48, 0);
    ASSERT_NE(nullptr, font);
    int const font_rows = font->height + 4;
    CloseFont(font);
    ASSERT_GT(font_rows, 600 / 11) << "the font must be taller than the rows it would get";

    Keyboard_Handler& kbd = load_builtin();
    EXPECT_EQ(font_rows, kbd.keyboard_layouts()[0].row_height);
    EXPECT_EQ(5 * font_rows, kbd.keyboard_height());
}

TEST_F(Keyboard_Geometry, NarrowLayoutIsCentredAndShortRowsLeaveRoomAtTheRight)
{
    // Eleven units in the first keyboard, seven in the second: the unit comes from the widest.
    Keyboard_Handler& kbd = load_text("==\nWide\na b c d e f g h i j k\n--\nA\n==\nNarrow\nx:7\n--\ny:3\n");
    Keyboard const& narrow = kbd.keyboard_layouts()[2];
    EXPECT_EQ((600 - 54 * 7) / 2, narrow.left);
    expect_edge_to_edge(narrow, 54, kbd.keyboard_top());
    expect_edge_to_edge(kbd.keyboard_layouts()[3], 54, kbd.keyboard_top());
}

// The key holding px, walking the row from the left; gaps hold none.
Kbd_Button const* walk(Kbd_Row const& row, int px)
{
    for (Kbd_Button const& key : row.buttons)
        if (key.x <= px && px < key.x + key.width)
            return key.hidden ? nullptr : &key;
    return nullptr;
}

// Every pixel column from beyond the left edge to beyond the right, on the
// first, middle and last pixel row of every row of every layout.
std::string search_mismatches(Keyboard_Handler const& kbd, int& found)
{
    std::ostringstream out;
    for (Keyboard const& layout : kbd.keyboard_layouts())
        for (Kbd_Row const& row : layout.rows)
            for (int py : {row.y, row.y + layout.row_height / 2, row.y + layout.row_height - 1})
                for (int px = -3; px < ScreenWidth() + 3; ++px) {
                    Kbd_Button const* const expected = walk(row, px);
                    Kbd_Button const* const actual = layout.find_button(px, py);
                    found += actual != nullptr;
                    if (actual != expected)
                        out << "(" << px << ", " << py << ") ";
                }
    return out.str();
}

TEST_F(Keyboard_Geometry, EveryColumnOfTheShippedKeyboardsFindsTheKeyHoldingIt)
{
    Keyboard_Handler& kbd = load_shipped();
    for (int orientation : {0, 1}) {
        SetOrientation(orientation);
        kbd.screen_dimensions_changed();
        int found = 0;
        EXPECT_EQ("", search_mismatches(kbd, found)) << "orientation " << orientation;
        // The file has no gaps: every row is found over its whole width.
        int const unit = ScreenWidth() / 11;
        int key_pixels = 0;
        for (Keyboard const& layout : kbd.keyboard_layouts())
            for (Kbd_Row const& row : layout.rows)
                key_pixels += 3 * unit * row.units;
        EXPECT_EQ(key_pixels, found);
    }
}

TEST_F(Keyboard_Geometry, GapsShortRowsAndZeroWidthKeysFindNothing)
{
    Keyboard_Handler& kbd = load_text("==\nG\nna a cn:2 b:0 c d e\nf\n--\nF\nG\n");
    int found = 0;
    EXPECT_EQ("", search_mismatches(kbd, found));
    Keyboard const& layout = kbd.keyboard_layouts()[0];
    int const y = layout.rows[0].y + 5;
    EXPECT_EQ(nullptr, layout.find_button(layout.rows[0].buttons[0].x + 1, y));
    EXPECT_EQ(nullptr, layout.find_button(layout.rows[0].buttons[2].x + 60, y));
    EXPECT_EQ(nullptr, layout.find_button(layout.left - 1, y));
    // The zero-width "b" sits where "c" begins; that point is "c".
    Kbd_Button const& zero = layout.rows[0].buttons[3];
    ASSERT_EQ(0, zero.width);
    EXPECT_EQ("c", layout.find_button(zero.x, y)->text);
    // Right of the one-key second row.
    Kbd_Row const& short_row = layout.rows[1];
    EXPECT_EQ(nullptr, layout.find_button(short_row.buttons[0].x + short_row.buttons[0].width, short_row.y + 5));
}

TEST_F(Keyboard_Geometry, PointsAboveOrBelowTheRowsFindNothing)
{
    Keyboard_Handler& kbd = load_builtin();
    Keyboard const& layout = kbd.keyboard_layouts()[0];
    int const top = kbd.keyboard_top();
    int const x = key("q").x + 10;  // column of "1" in the first row, "q" in the second
    // The separator line above the first row belongs to it.
    EXPECT_EQ("1", layout.find_button(x, top - 2)->text);
    EXPECT_EQ("1", layout.find_button(x, top - 1)->text);
    EXPECT_EQ(nullptr, layout.find_button(x, top - 3));
    EXPECT_EQ(nullptr, layout.find_button(x, top - layout.row_height));
    Kbd_Button const* const bottom = layout.find_button(x, ScreenHeight() - 1);
    ASSERT_NE(nullptr, bottom);
    EXPECT_EQ(key_marker::ctrl, bottom->text);
    EXPECT_EQ(nullptr, layout.find_button(x, ScreenHeight()));
    EXPECT_EQ(nullptr, layout.find_button(x, ScreenHeight() + 1000));
    EXPECT_EQ(nullptr, layout.find_button(x, INT_MIN));
    EXPECT_EQ(nullptr, layout.find_button(x, INT_MAX));
    EXPECT_EQ(nullptr, layout.find_button(INT_MIN, top + 5));
    EXPECT_EQ(nullptr, layout.find_button(INT_MAX, top + 5));
}

TEST(Kbd_Row_Search, NegativeWidthsNeitherLoopNorLeaveTheRow)
{
    // Such rows are refused in files; the search must still end inside the row.
    Kbd_Row row("a b:-1 c d e");
    row.size_changed(100, 0, 10, 20);
    int found = 0;
    for (int px = 50; px < 200; ++px) {
        Kbd_Button const* const key = row.find_button(px);
        if (!key)
            continue;
        ++found;
        EXPECT_TRUE(key >= &row.buttons.front() && key <= &row.buttons.back()) << px;
        EXPECT_TRUE(key->is_on(px)) << px;
    }
    EXPECT_GT(found, 0);
}

}
