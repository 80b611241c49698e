// The screen model's operations as the interpreter uses them: cursor moves
// that scroll the region, writing and erasing cells, inserting and deleting
// rows. Positions from the child are kept inside the grid's rows here, so no
// operation ever addresses a row that does not exist.
#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "platform/saturate.h"
#include "terminal/attributes.h"
#include "terminal/display.h"

namespace {

// Cells a character takes: printable ASCII one, others as the C library says
// (2 for wide, 0 for a combining mark, -1 for what has no width).
int width_of(wchar_t c) { return c >= 0x20 && c < 0x7F ? 1 : wcwidth(c); }

}

void Display::get_pos(int& column, int& row) const
{
    column = cursor_column;
    row = cursor_row;
}

// The column is kept as given: a write outside the row paints nothing. A row
// above the grid is taken as row 0; a row below the scroll region scrolls it.
// Every move ends a pending wrap.
Rect Display::set_pos(int column, int row)
{
    wrap_pending = false;
    cursor_column = column;
    if (lines.empty()) {
        cursor_row = 0;
        return Rect{};
    }
    if (row <= scroll_bottom) {
        cursor_row = std::max(row, 0);
        return Rect{};
    }
    std::int64_t const excess = std::int64_t{row} - scroll_bottom;
    int const count = static_cast<int>(std::min<std::int64_t>(excess, scroll_bottom - scroll_top + 1));
    Rect const changed = delete_lines(count, scroll_top);
    cursor_row = scroll_bottom;
    return changed;
}

// DECSTBM: both ends are cut to the grid; a region whose top then lies below
// its bottom is ignored and the old region stays.
void Display::set_scroll_region(int top, int bottom)
{
    if (lines.empty())
        return;
    top = std::clamp(top, 0, rows - 1);
    bottom = std::clamp(bottom, 0, rows - 1);
    if (top > bottom)
        return;
    scroll_top = top;
    scroll_bottom = bottom;
}

void Display::scroll_region(int& top, int& bottom) const
{
    top = scroll_top;
    bottom = scroll_bottom;
}

void Display::set_mode(unsigned char bit, bool on)
{
    attribute_modes = on ? (attribute_modes | bit) : (attribute_modes & ~bit);
}

void Display::set_bold_mode(bool on) { set_mode(attribute::bold, on); }
void Display::set_italic_mode(bool on) { set_mode(attribute::italic, on); }
void Display::set_reverse_mode(bool on) { set_mode(attribute::reverse, on); }

void Display::set_auto_wrap(bool on) { auto_wrap = on; }

void Display::set_insert_mode(bool on) { insert_mode = on; }

// A character after the last column's starts the next row, scrolling the
// region at its bottom; so does a wide character that does not fit in the
// last column. Outside the grid otherwise (a move past either edge, or
// automatic margins off) nothing is written, yet the column advances.
Rect Display::insert(wchar_t c)
{
    int const width = width_of(c);
    if (width == 0)
        return combine(c);
    int const cells = width == 2 ? 2 : 1;
    Rect changed;
    if (wrap_pending || (cells == 2 && auto_wrap && cursor_column == columns - 1))
        changed += set_pos(0, saturate(std::int64_t{cursor_row} + 1));
    if (row_exists(cursor_row) && cursor_column >= 0) {
        Line& line = lines[cursor_row];
        auto const column = static_cast<unsigned int>(cursor_column);
        if (insert_mode)
            changed += line.insert_blanks(column, static_cast<unsigned int>(cells));
        changed += line.insert(column, c, attribute_modes, cells);
    }
    wrap_pending = auto_wrap && std::int64_t{cursor_column} + cells == columns;
    cursor_column = saturate(std::int64_t{cursor_column} + cells);
    return changed;
}

// Characters one cell wide go into the cursor's row as many at a time as fit;
// a wide character, a combining mark, and the grid's edges take insert's way.
Rect Display::insert_text(wchar_t const* text, std::size_t count)
{
    Rect changed;
    while (count > 0) {
        bool const in_grid = !wrap_pending && row_exists(cursor_row) && cursor_column >= 0 && cursor_column < columns;
        std::size_t narrow = 0;
        std::size_t const room = in_grid ? static_cast<std::size_t>(columns - cursor_column) : 0;
        while (narrow < count && narrow < room && width_of(text[narrow]) == 1)
            ++narrow;
        if (narrow == 0) {
            changed += insert(*text);
            ++text;
            --count;
            continue;
        }
        auto const column = static_cast<unsigned int>(cursor_column);
        auto const part = static_cast<unsigned int>(narrow);
        Line& line = lines[cursor_row];
        if (insert_mode)
            changed += line.insert_blanks(column, part);
        changed += line.put_narrow(column, text, part, attribute_modes);
        cursor_column += static_cast<int>(part);
        wrap_pending = auto_wrap && cursor_column == columns;
        text += part;
        count -= part;
    }
    return changed;
}

// Joined to the character just written, which a pending wrap leaves in the
// last column. There is none at the start of a row: the mark is dropped.
Rect Display::combine(wchar_t mark)
{
    std::int64_t const column = std::int64_t{cursor_column} - 1;
    if (!row_exists(cursor_row) || column < 0 || column >= columns)
        return Rect{};
    return lines[cursor_row].combine(static_cast<unsigned int>(column), mark);
}

Rect Display::tab()
{
    constexpr std::int64_t tab_width = 8;
    std::int64_t const next_stop = cursor_column < 0 ? 0 : (cursor_column / tab_width + 1) * tab_width;
    return set_pos(static_cast<int>(std::clamp<std::int64_t>(next_stop, 0, std::max(columns - 1, 0))), cursor_row);
}

// DCH: the cells named are cut to the row; the rest of the row moves left.
Rect Display::delete_chars(int count)
{
    if (!row_exists(cursor_row))
        return Rect{};
    Line& line = lines[cursor_row];
    std::int64_t const start = std::max(cursor_column, 0);
    std::int64_t const end = std::min<std::int64_t>(std::int64_t{cursor_column} + count, line.length());
    if (end <= start)
        return Rect{};
    return line.delete_chars(static_cast<unsigned int>(start), static_cast<unsigned int>(end - start));
}

// EL 0 from a column left of the grid clears the whole row.
Rect Display::clear_to_end_of_line()
{
    if (!row_exists(cursor_row))
        return Rect{};
    return lines[cursor_row].clear_to_end_of_line(static_cast<unsigned int>(std::max(cursor_column, 0)));
}

// EL 1: cells 0 to the cursor column inclusive.
Rect Display::clear_from_begin_of_line()
{
    if (!row_exists(cursor_row) || cursor_column < 0)
        return Rect{};
    return lines[cursor_row].clear_from_begin_of_line(static_cast<unsigned int>(cursor_column));
}

// ED 0: not limited by the scroll region.
Rect Display::clear_to_end_of_screen()
{
    Rect changed = clear_to_end_of_line();
    for (int row = cursor_row + 1; row < rows; ++row)
        changed += lines[row].clear_line();
    return changed;
}

// ED 2: the cursor stays.
Rect Display::clear_screen()
{
    Rect changed;
    for (Line& line : lines)
        changed += line.clear_line();
    return changed;
}

// DL, and the scroll of the region: rows below move up by count, within the
// region. Rows change places without their cells being copied, and every row
// that took part is repainted from its cells; the area reported covers what
// each showed before and shows now. A count of 0 or less changes nothing.
Rect Display::delete_lines(int count, int start)
{
    if (start < 0)
        start = cursor_row;
    if (count <= 0 || !row_exists(start) || start > scroll_bottom)
        return Rect{};
    Rect changed = shown(start, scroll_bottom);
    std::int64_t const last_moved = std::int64_t{scroll_bottom} - count;
    int row = start;
    for (; row <= last_moved; ++row)
        lines[row].swap_cells(lines[row + count]);
    for (; row <= scroll_bottom; ++row)
        lines[row].erase_cells();
    return changed += repaint_whole(start, scroll_bottom);
}

// IL: rows from the cursor's down move by count; those pushed past the
// region's bottom are lost.
Rect Display::insert_lines(int count)
{
    if (count <= 0 || !row_exists(cursor_row) || cursor_row > scroll_bottom)
        return Rect{};
    Rect changed = shown(cursor_row, scroll_bottom);
    std::int64_t const first_moved = std::int64_t{cursor_row} + count;
    int row = scroll_bottom;
    for (; row >= first_moved; --row)
        lines[row].swap_cells(lines[row - count]);
    for (; row >= cursor_row; --row)
        lines[row].erase_cells();
    return changed += repaint_whole(cursor_row, scroll_bottom);
}

Rect Display::shown(int first, int last) const
{
    Rect area;
    for (int row = first; row <= last; ++row)
        area += lines[row].shown();
    return area;
}

Rect Display::repaint_whole(int first, int last)
{
    Rect area;
    for (int row = first; row <= last; ++row)
        area += lines[row].repaint_whole();
    return area;
}
