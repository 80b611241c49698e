// Combining marks on the stand-in, whose text renderer places no mark, in
// fonts whose marks advance the pen and in fonts whose marks do not: a letter
// with its marks looks as its composed form, and every cell, with marks or
// after them, lies inside itself and looks as it does drawn alone.
#include <cstdlib>
#include <map>

#include "host/host.h"
#include "tests/terminal/terminal_fixture.h"

namespace terminal_test {
namespace {

struct Marks_Case {
    char const* what;
    std::string written;
    // What the row draws: Unicode's composed form (NFC) of what was written.
    std::string composed;
};

std::vector<Marks_Case> const cases = {
    {"decomposed Latin", "cafe\u0301 nai\u0308ve u\u0308ber", "caf\u00e9 na\u00efve \u00fcber"},
    {"Vietnamese, marks in canonical order", "vie\u0323\u0302t a\u0306\u0301", "vi\u1ec7t \u1eaf"},
    {"Vietnamese, marks out of canonical order", "vie\u0302\u0323t", "vi\u1ec7t"},
    {"Greek and Cyrillic", "\u03bf\u0301 \u0435\u0308", "\u03cc \u0451"},
    {"Hangul jamo", "\u1100\u1161\u11a8.", "\uac01."},
    {"a mark left over after a composition", "a\u0323\u0304x", "\u1ea1\u0304x"},
    {"a mark blocked by one of its class", "a\u0331\u0323x", "a\u0331\u0323x"},
    {"a mark with no composition", "a\u0331x", "a\u0331x"},
    {"two stacked marks with no composition, last on the row", "xq\u0308\u0301", "xq\u0308\u0301"},
    {"a mark on a wide character", "\u65e5\u0301x", "\u65e5\u0301x"},
};

char const* const sans_fonts[4] = {"DejaVuSans", "DejaVuSans-Bold", "DejaVuSans-Oblique", "DejaVuSans-BoldOblique"};

struct Font_Setup {
    char const* const* fonts;
    int size;
};
// The monospaced fonts give marks an advance; the proportional ones none.
Font_Setup const setups[] = {{font_names, 12}, {font_names, 24}, {font_names, 40}, {sans_fonts, 24}};

class Combining_Marks : public Terminal {
protected:
    // Clears the screen, writes text from cell (column, 0) and parks the
    // cursor on row 5, away from the cells compared.
    void show_alone(std::string const& text, int column)
    {
        feed("\e[H\e[2J\e[1;" + std::to_string(column + 1) + "H" + text + "\e[6;1H");
    }
    static std::vector<unsigned char> panel(Rect const& area) { return pixels(area, Surface::panel); }
    // Pixels of the panel's area that differ from those given.
    long differing(Rect const& area, std::vector<unsigned char> const& expected) const
    {
        std::vector<unsigned char> const now = panel(area);
        long count = 0;
        for (std::size_t i = 0; i < now.size(); ++i)
            count += now[i] != expected.at(i);
        return count;
    }
    // Inked pixels of the first three rows outside area.
    long ink_outside(Rect const& area) const
    {
        Rect const rows = cells(0, 0, display->column_count(), 3);
        long ink = 0;
        for (int y = rows.y; y < rows.y + rows.height; ++y)
            for (int x = rows.x; x < rows.x + rows.width; ++x)
                ink += host::panel_pixel(x, y) != 255 && !(x >= area.x && x < area.x + area.width && y >= area.y &&
                                                            y < area.y + area.height);
        return ink;
    }
    // The strings the text layer holds on grid row r, by column.
    std::map<int, std::string> drawn_text(int r) const
    {
        std::map<int, std::string> row;
        for (auto const& entry : host::text_layer())
            if (entry.kind == host::Text_Entry::string && entry.area.y == cells(0, r).y)
                row[(entry.area.x - cells(0, r).x) / cells(0, r).width] = entry.text;
        return row;
    }
};

TEST_F(Combining_Marks, CellsLookAsTheirComposedFormAndAsEachDrawnAlone)
{
    // Regression: a letter and its marks went to the platform as one string,
    // so each mark was drawn after the letter's advance, over the next cell,
    // and its ink there lay outside what the cycle refreshed.
    for (Font_Setup const& setup : setups) {
        Layout layout;
        layout.font_size = setup.size;
        layout.fonts = setup.fonts;
        open(layout);
        for (Marks_Case const& c : cases) {
            SCOPED_TRACE(std::string(setup.fonts[0]) + " " + std::to_string(setup.size) + ", " + c.what);
            feed("\e[H\e[2J" + c.written + "\e[3;1H" + c.composed + "\e[6;1H");
            EXPECT_EQ(host::stale_pixels(), 0) << "the panel does not show the buffer";
            std::map<int, std::string> const drawn = drawn_text(0);
            std::string all_drawn;
            for (auto const& [column, text] : drawn)
                all_drawn += text;
            EXPECT_EQ(all_drawn, c.composed);
            Line const written = display->line(0);
            std::vector<std::vector<unsigned char>> shown;
            for (unsigned int i = 0; i < written.length(); ++i)
                shown.push_back(panel(cells(static_cast<int>(i), 0)));
            if (c.composed != c.written) {
                for (unsigned int i = 0; i < written.length(); ++i)
                    EXPECT_EQ(differing(cells(static_cast<int>(i), 2), shown[i]), 0) << "cell " << i;
            }
            for (auto const& [column, text] : drawn) {
                auto const i = static_cast<unsigned int>(column);
                int const width = i + 1 < written.length() && written.is_continuation(i + 1) ? 2 : 1;
                show_alone(utf8(written.cell_text(i)), column);
                EXPECT_EQ(ink_outside(cells(column, 0, width)), 0) << "cell " << i;
                for (int part = 0; part < width; ++part)
                    EXPECT_EQ(differing(cells(column + part, 0), shown[i + part]), 0) << "cell " << i + part;
                if (std::mbstowcs(nullptr, text.c_str(), 0) > 1) {
                    std::vector<unsigned char> const with_marks = panel(cells(column, 0, width));
                    show_alone(utf8(std::wstring(1, written.character(i))), column);
                    EXPECT_NE(differing(cells(column, 0, width), with_marks), 0) << "cell " << i << " shows no mark";
                }
            }
        }
    }
}

}
}
