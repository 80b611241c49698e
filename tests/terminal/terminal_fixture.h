// A Display on a fresh stand-in screen, fed through the recording Messenger
// as if the child had written the bytes, with readers for its rows, cursor
// and pixels. Shared by every terminal test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/messenger.h"
#include "config/config.h"
#include "platform/rect.h"
#include "terminal/display.h"

namespace terminal_test {

// The four fonts every test display uses: normal, bold, italic, italic bold.
extern char const* const font_names[4];

// StringWidth("a") in the normal font at size, and the tallest of the four
// fonts' heights, both read back from the platform.
int char_width(int size);
int font_height(int size);

struct Layout {
    int width = 600;
    int height = 800;
    int keyboard_height = 300;
    int font_size = 24;
    int line_spacing = 0;
    char const* const* fonts = font_names;  // four, in font_names' order
};
// A screen whose grid is exactly columns x rows at font size, no keyboard band.
Layout grid_layout(int columns, int rows, int font_size = 16);

// The pixels of area, row by row, in the screen buffer or on the panel.
enum class Surface { buffer, panel };
std::vector<unsigned char> pixels(Rect const& area, Surface surface = Surface::buffer);

// Wide characters in UTF-8 ('?' for one with no form).
std::string utf8(std::wstring const& text);
// UTF-8 text with its control characters written out: ESC as \e, tab as \t,
// the others as \xNN.
std::string show_controls(std::string const& text);
// The row's cells as UTF-8 in that form, trailing blanks cut.
std::string printable(Line const& line);

class Terminal : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new Display on a new screen.
    void open(Layout const& layout);
    void open_grid(int columns, int rows) { open(grid_layout(columns, rows)); }
    // One output cycle that fetches these bytes (appended to what is pending).
    void feed(std::string const& bytes);

    std::string row(int r) const { return printable(display->line(r)); }
    std::vector<std::string> rows() const;
    std::string attributes(int r) const;  // one hex digit a cell, '.' for 0, trailing '.' cut
    std::pair<int, int> cursor() const;
    // Pixel rectangle of the cells from (column, row) spanning w x h cells.
    Rect cells(int column, int row, int w = 1, int h = 1) const;
    Rect grid_area() const { return cells(0, 0, display->column_count(), display->row_count()); }
    // The screen as text with the cursor marked, for failure messages.
    std::string dump() const;

    Config config{"/nonexistent/tarn.cfg"};
    Messenger messenger{0, nullptr};
    std::unique_ptr<Display> display;
};

}
