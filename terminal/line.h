// Line: one row of the character grid with a character and an attribute byte
// per cell. A wide character fills two cells, the second a continuation that
// is never drawn by itself; combining marks join the character of their cell.
// Every edit paints its change into the screen buffer at once (or, while the
// display defers painting, marks it for paint_pending) and returns the area
// it painted; refreshing the panel is left to the caller.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/rect.h"
#include "terminal/cell_drawing.h"

class Display;

class Line {
public:
    // The second cell of a wide character: outside Unicode, so no character
    // the child writes is ever taken for it.
    static constexpr wchar_t continuation = static_cast<wchar_t>(0x110000);

    // A row of the display's column count of blank cells; paints nothing.
    Line(Display* display, int x, int y, int char_width, int line_height);

    // Ranges reaching past the row's end are cut there: no call touches a
    // cell (or paints a pixel) outside the row. Writing or erasing either
    // half of a wide character blanks the other half too.
    // A character of width 2 that does not fit before the row's end is not
    // written.
    Rect insert(unsigned int pos, wchar_t c, unsigned char attr, int width = 1);
    // count characters one cell wide each from pos on, with their attributes,
    // cut at the row's end: what inserting them one by one does, at once.
    Rect put_narrow(unsigned int pos, wchar_t const* text, unsigned char const* attrs, unsigned int count);
    // Joins a combining mark to the character in cell pos.
    Rect combine(unsigned int pos, wchar_t mark);
    // IRM: count blanks at pos push the rest right; what passes the end is lost.
    Rect insert_blanks(unsigned int pos, unsigned int count);
    // DCH: count cells at pos go, the rest moves left, blanks fill the end.
    Rect delete_chars(unsigned int start, unsigned int count);
    Rect clear_line();
    // ECH: count cells from start blanked in place.
    Rect erase(unsigned int start, unsigned int count);
    Rect clear_to_end_of_line(unsigned int start);
    Rect clear_from_begin_of_line(unsigned int last);
    // For scrolling without copying: the cells of two rows change places, and
    // nothing is painted. Every row that took part is then repainted whole.
    void swap_cells(Line& other);
    // Every cell blank, at the display's present width; nothing is painted.
    void erase_cells();
    void repaint_whole();
    // The area of the visible cells, as the row shows them now.
    Rect shown() const;
    Rect draw();
    // The cells of another row of the same length, drawn here.
    Rect copy_cells(Line const& other);
    // Paints the cells marked while painting was deferred, each once, from
    // what they hold now.
    void paint_pending();

    unsigned int length() const { return static_cast<unsigned int>(characters.size()); }
    wchar_t character(unsigned int pos) const { return characters.at(pos); }
    unsigned char attribute(unsigned int pos) const { return attributes.at(pos); }
    // pos below length().
    bool is_continuation(unsigned int pos) const { return characters[pos] == continuation; }
    // What cell pos shows: its character and combining marks, nothing for a continuation.
    std::wstring cell_text(unsigned int pos) const;
    int top() const { return y; }

private:
    bool visible(unsigned int pos) const;
    unsigned int visible_extent(unsigned int from, unsigned int to) const;
    bool has_marks(unsigned int pos) const { return !marks.empty() && !marks[pos].empty(); }
    void used(unsigned int end) { used_end = std::max(used_end, end); }
    // Cells [pos, pos + count) are about to be written: the halves of wide
    // characters they cut off are blanked, and [start, end) is what to repaint.
    void make_room(unsigned int pos, unsigned int count, unsigned int& start, unsigned int& end);
    // [start, end) grown so that it cuts no wide character in two.
    void widen(unsigned int& start, unsigned int& end) const;
    Rect cells(unsigned int start, unsigned int count) const;
    void blank(unsigned int start, unsigned int end);
    void defer(unsigned int start, unsigned int end);
    // Cells [start, end) painted afresh, now or when pending cells are painted.
    Rect repaint(unsigned int start, unsigned int end);
    // Cells [start, end) painted white, now or when pending cells are painted.
    void fill_white(unsigned int start, unsigned int end);
    // Cells [start, end) painted now, background and all.
    void paint(unsigned int start, unsigned int end);
    // The glyphs of the visible cells in [start, end), blinking runs
    // underlined, reversed runs inverted.
    void draw_cells(unsigned int start, unsigned int end);
    // action(first, count) for each run of cells in [start, end) with bit set.
    template <typename Action>
    void for_each_run(unsigned int start, unsigned int end, unsigned char bit, Action const& action) const;

    Display* display;
    std::vector<wchar_t> characters;
    std::vector<unsigned char> attributes;
    // Combining marks per cell; empty while the row has none.
    std::vector<std::wstring> marks;
    // Every cell from here on is a plain blank (space, no attributes, no
    // marks): the visible extent is found from here, not from the row's end.
    unsigned int used_end = 0;
    int x;
    int y;
    int char_width;
    int line_height;
    // Cells [pending_begin, pending_end) await paint_pending.
    unsigned int pending_begin = 0;
    unsigned int pending_end = 0;
    Cell_Drawing drawing;
};
