// One screen row on the stand-in's buffer: what each edit does to the cells,
// which pixels it paints and which area it reports.
#include <climits>

#include "host/host.h"
#include "platform/inkview.h"
#include "tests/terminal/terminal_fixture.h"

namespace terminal_test {
namespace {

class Line_Test : public Terminal {
protected:
    void SetUp() override
    {
        Terminal::SetUp();
        open_grid(20, 6);
        display->char_size(cw, lh);
        display->toggle_cursor();  // out of the way of the pixels compared
    }

    // A row of its own on grid row r, holding text from cell 0.
    Line make(int r, std::string const& text = "", unsigned char attr = 0)
    {
        Line line(display.get(), 10, 10 + r * lh, cw, lh);
        for (std::size_t i = 0; i < text.size(); ++i)
            line.insert(static_cast<unsigned int>(i), static_cast<wchar_t>(text[i]), attr);
        return line;
    }
    Rect row_cells(int r, int first, int count) const { return Rect{10 + first * cw, 10 + r * lh, count * cw, lh}; }
    bool white(Rect const& area) const
    {
        for (unsigned char p : pixels(area))
            if (p != 255)
                return false;
        return true;
    }

    int cw = 0;
    int lh = 0;
};

TEST_F(Line_Test, InsertPastTheEndChangesNothing)
{
    Line line = make(0, "ab");
    std::vector<unsigned char> const before = host::buffer();
    EXPECT_TRUE(line.insert(20, L'x', 0).empty());
    EXPECT_TRUE(line.insert(UINT_MAX, L'x', 1).empty());
    EXPECT_EQ(host::buffer(), before);
    EXPECT_EQ(line.length(), 20u);
}

TEST_F(Line_Test, InsertPaintsTheCellInTheFontOfItsAttributeAndInvertsReverse)
{
    Line bold = make(0);
    Line reverse_bold = make(1);
    EXPECT_EQ(bold.insert(3, L'W', 0x02), row_cells(0, 3, 1));
    EXPECT_EQ(reverse_bold.insert(3, L'W', 0x03), row_cells(1, 3, 1));
    EXPECT_EQ(reverse_bold.attribute(3), 0x03);

    std::vector<unsigned char> const normal = pixels(row_cells(0, 3, 1));
    std::vector<unsigned char> const inverted = pixels(row_cells(1, 3, 1));
    ASSERT_EQ(normal.size(), inverted.size());
    for (std::size_t i = 0; i < normal.size(); ++i)
        ASSERT_EQ(inverted[i], 255 - normal[i]) << "pixel " << i;

    bool found = false;
    for (auto const& entry : host::text_layer())
        if (entry.text == "W" && entry.area.y == 10)
            found = entry.font == "DejaVuSansMono-Bold";
    EXPECT_TRUE(found);
}

TEST_F(Line_Test, ClearLineRepaintsOnlyUpToTheLastVisibleCell)
{
    Line blank = make(0);
    std::vector<unsigned char> const before = host::buffer();
    EXPECT_TRUE(blank.clear_line().empty());
    EXPECT_EQ(host::buffer(), before);

    // A reversed blank is visible; bold blanks after it are not.
    Line line = make(1);
    line.insert(4, L' ', 0x01);
    line.insert(5, L' ', 0x02);
    line.insert(6, L' ', 0x02);
    EXPECT_EQ(line.clear_line(), row_cells(1, 0, 5));
    EXPECT_TRUE(white(row_cells(1, 0, 20)));
    EXPECT_EQ(line.attribute(4), 0);
    EXPECT_EQ(line.attribute(6), 0);

    Line bold_blanks = make(2, "     ", 0x02);
    EXPECT_TRUE(bold_blanks.clear_line().empty());
}

TEST_F(Line_Test, ClearToEndPastTheVisibleCellsStillResetsAttributes)
{
    Line line = make(0, "ab");
    line.insert(5, L' ', 0x06);
    EXPECT_TRUE(line.clear_to_end_of_line(2).empty());
    EXPECT_EQ(line.attribute(5), 0);
    EXPECT_EQ(printable(line), "ab");

    line.insert(7, L'z', 0);
    EXPECT_EQ(line.clear_to_end_of_line(1), row_cells(0, 1, 7));
    EXPECT_EQ(printable(line), "a");
    EXPECT_TRUE(line.clear_to_end_of_line(20).empty());
}

TEST_F(Line_Test, ClearFromBeginClearsThroughTheLastCellGiven)
{
    Line line = make(0, "abc");
    EXPECT_EQ(line.clear_from_begin_of_line(0), row_cells(0, 0, 1));
    EXPECT_EQ(printable(line), " bc");
    EXPECT_TRUE(white(row_cells(0, 0, 1)));
    EXPECT_FALSE(white(row_cells(0, 1, 1)));
}

TEST_F(Line_Test, DeleteCharsMovesTheRestLeftAndRepaintsWhatWasShown)
{
    // Regression: the deleted cells were blanked in place, and a shell's
    // line editing left gaps in the command line.
    Line line = make(0, "abcdefg");
    EXPECT_EQ(line.delete_chars(3, 2), row_cells(0, 3, 4));
    EXPECT_EQ(printable(line), "abcfg");
    EXPECT_TRUE(white(row_cells(0, 5, 2)));
    EXPECT_FALSE(white(row_cells(0, 4, 1)));
    // Nothing shown from there on: nothing to repaint.
    EXPECT_TRUE(line.delete_chars(10, 3).empty());
    EXPECT_TRUE(line.delete_chars(0, 0).empty());
}

TEST_F(Line_Test, RangesPastTheRowAreCutAtItsEnd)
{
    Line line = make(0, "abcdefghijklmnopqrst");
    // Ink right of the row, where the margin is, must survive.
    Rect const beyond{10 + 20 * cw, 10, 5, lh};
    FillArea(beyond.x, beyond.y, beyond.width, beyond.height, BLACK);

    EXPECT_EQ(line.delete_chars(18, UINT_MAX), row_cells(0, 18, 2));
    EXPECT_TRUE(line.delete_chars(20, 5).empty());
    // Painted as far as something was visible.
    EXPECT_EQ(line.clear_from_begin_of_line(UINT_MAX), row_cells(0, 0, 18));
    EXPECT_EQ(printable(line), "");
    for (unsigned char p : pixels(beyond))
        ASSERT_EQ(p, 0);
}

TEST_F(Line_Test, DrawRepaintsCellsAndInvertsReversedRuns)
{
    // Cells inserted one by one, each reversed cell inverted by itself ...
    Line inserted = make(0);
    std::wstring const text = L"abCDEfg";
    for (unsigned int i = 0; i < text.size(); ++i)
        inserted.insert(i, text[i], i >= 2 && i <= 4 ? 0x01 : 0x00);
    // ... look the same as the row drawn at once with one inversion per run.
    Line drawn = make(2);
    EXPECT_EQ(drawn.copy_cells(inserted), row_cells(2, 0, 7));
    EXPECT_EQ(pixels(row_cells(0, 0, 8)), pixels(row_cells(2, 0, 8)));
}

TEST_F(Line_Test, SwappedRowsRepaintWholeAtTheirOwnPlaces)
{
    Line upper = make(0, "upper row");
    Line lower = make(1, "low");
    std::vector<unsigned char> const upper_pixels = pixels(row_cells(0, 0, 20));
    std::vector<unsigned char> const lower_pixels = pixels(row_cells(1, 0, 20));
    upper.swap_cells(lower);
    upper.repaint_whole();
    lower.repaint_whole();
    EXPECT_EQ(upper.shown(), row_cells(0, 0, 3));
    EXPECT_EQ(lower.shown(), row_cells(1, 0, 9));
    EXPECT_EQ(pixels(row_cells(0, 0, 20)), lower_pixels);
    EXPECT_EQ(pixels(row_cells(1, 0, 20)), upper_pixels);
    lower.erase_cells();
    EXPECT_TRUE(lower.shown().empty());
    EXPECT_EQ(printable(lower), "");
}

TEST_F(Line_Test, UnconvertibleCharacterIsKeptButNotPainted)
{
    Line line = make(0);
    std::vector<unsigned char> const before = host::buffer();
    wchar_t const surrogate = static_cast<wchar_t>(0xD800);
    EXPECT_TRUE(line.insert(2, surrogate, 0).empty());
    EXPECT_EQ(line.character(2), surrogate);
    EXPECT_EQ(host::buffer(), before);
    // A redraw does not paint it either, but the cells after it keep their place.
    line.insert(3, L'x', 0);
    Line drawn = line;
    FillArea(10, 10, 20 * cw, lh, WHITE);
    EXPECT_EQ(drawn.draw(), row_cells(0, 0, 4));
    EXPECT_TRUE(white(row_cells(0, 0, 3)));
    EXPECT_FALSE(white(row_cells(0, 3, 1)));
}

}
}
