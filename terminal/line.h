// Line: one row of the character grid with a character and an attribute byte
// per cell. Every edit paints its change into the screen buffer at once (or,
// while the display defers painting, marks it for paint_pending) and returns
// the area it painted; refreshing the panel is left to the caller.
#pragma once

#include <string>
#include <vector>

#include "platform/rect.h"

class Display;

class Line {
public:
    // A row of the display's column count of blank cells; paints nothing.
    Line(Display* display, int x, int y, int char_width, int line_height);

    // Ranges reaching past the row's end are cut there: no call touches a
    // cell (or paints a pixel) outside the row.
    Rect insert(unsigned int pos, wchar_t c, unsigned char attr);
    Rect delete_chars(unsigned int start, unsigned int count);
    Rect clear_line();
    Rect clear_to_end_of_line(unsigned int start);
    Rect clear_from_begin_of_line(unsigned int last);
    Rect change_y_pos(int rows);
    Rect draw();
    // Paints the cells marked while painting was deferred, each once, from
    // what they hold now.
    void paint_pending();
    void draw_substring(unsigned int pos, unsigned int count, int& pen_x);

    unsigned int length() const { return static_cast<unsigned int>(characters.size()); }
    wchar_t character(unsigned int pos) const { return characters.at(pos); }
    unsigned char attribute(unsigned int pos) const { return attributes.at(pos); }
    int top() const { return y; }

private:
    bool visible(unsigned int pos) const;
    unsigned int visible_extent(unsigned int from, unsigned int to) const;
    Rect cells(unsigned int start, unsigned int count) const;
    void blank(unsigned int start, unsigned int end);
    void defer(unsigned int start, unsigned int end);
    // Cells [start, end) painted white, now or when pending cells are painted.
    void fill_white(unsigned int start, unsigned int end);
    // The glyphs of the visible cells in [start, end), reversed runs inverted.
    void draw_cells(unsigned int start, unsigned int end);

    Display* display;
    std::wstring characters;
    std::vector<unsigned char> attributes;
    int x;
    int y;
    int char_width;
    int line_height;
    // Cells [pending_begin, pending_end) await paint_pending.
    unsigned int pending_begin = 0;
    unsigned int pending_end = 0;
};
