// The screen model's edits as the interpreter uses them: writing characters
// with the automatic margins, erasing, inserting and deleting characters and
// rows, and the region's scrolling. Rows outside the grid are never addressed.
#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "terminal/attributes.h"
#include "terminal/display.h"

namespace {

// Cells a character takes: printable ASCII one, others as the C library says
// (2 for wide, 0 for a combining mark, -1 for what has no width).
int width_of(wchar_t c) { return c >= 0x20 && c < 0x7F ? 1 : wcwidth(c); }

unsigned int count_of(int count) { return static_cast<unsigned int>(std::max(count, 1)); }

}

void Display::set_mode(unsigned char bit, bool on)
{
    attribute_modes = on ? (attribute_modes | bit) : (attribute_modes & ~bit);
}

void Display::set_bold_mode(bool on) { set_mode(attribute::bold, on); }
void Display::set_italic_mode(bool on) { set_mode(attribute::italic, on); }
void Display::set_reverse_mode(bool on) { set_mode(attribute::reverse, on); }
void Display::set_blink_mode(bool on) { set_mode(attribute::blink, on); }

void Display::set_auto_wrap(bool on) { auto_wrap = on; }

void Display::set_insert_mode(bool on) { insert_mode = on; }

// A character after the last column's starts the next row, scrolling the
// region at its bottom; so does a wide character that does not fit in the
// last column. Without automatic margins a character replaces the last
// column's, and a wide one that does not fit is dropped.
Rect Display::insert(wchar_t c)
{
    int const width = width_of(c);
    if (width == 0)
        return combine(c);
    int const cells = width == 2 ? 2 : 1;
    if (!row_exists(cursor_row) || cells > columns)
        return Rect{};
    Rect changed;
    if (cursor_column + cells > columns) {
        if (auto_wrap) {
            carriage_return();
            changed += index();
        } else if (cells == 2 && cursor_column == columns - 1) {
            return changed;  // as a terminal in wide use drops it
        } else {
            cursor_column = columns - cells;
        }
    }
    Line& line = lines[cursor_row];
    auto const column = static_cast<unsigned int>(cursor_column);
    if (insert_mode)
        changed += line.insert_blanks(column, static_cast<unsigned int>(cells));
    changed += line.insert(column, c, attribute_modes, cells);
    cursor_column += cells;
    if (!auto_wrap)
        cursor_column = std::min(cursor_column, columns - 1);
    return changed;
}

// Characters one cell wide go into the cursor's row as many at a time as fit;
// a wide character, a combining mark, and the grid's edge take insert's way.
Rect Display::insert_text(wchar_t const* text, std::size_t count)
{
    Rect changed;
    while (count > 0) {
        std::size_t const room =
            row_exists(cursor_row) && cursor_column < columns ? static_cast<std::size_t>(columns - cursor_column) : 0;
        std::size_t narrow = 0;
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
        if (!auto_wrap)
            cursor_column = std::min(cursor_column, columns - 1);
        text += part;
        count -= part;
    }
    return changed;
}

// Joined to the character just written, which a pending wrap leaves in the
// last column. There is none at the start of a row: the mark is dropped.
Rect Display::combine(wchar_t mark)
{
    int const column = cursor_column - 1;
    if (!row_exists(cursor_row) || column < 0 || column >= columns)
        return Rect{};
    return lines[cursor_row].combine(static_cast<unsigned int>(column), mark);
}

// With the wrap pending the cursor is past every cell: these change nothing.
Rect Display::insert_blanks(int count)
{
    if (!row_exists(cursor_row) || cursor_column >= columns)
        return Rect{};
    return lines[cursor_row].insert_blanks(static_cast<unsigned int>(cursor_column), count_of(count));
}

Rect Display::delete_chars(int count)
{
    if (!row_exists(cursor_row) || cursor_column >= columns)
        return Rect{};
    return lines[cursor_row].delete_chars(static_cast<unsigned int>(cursor_column), count_of(count));
}

Rect Display::erase_chars(int count)
{
    if (!row_exists(cursor_row) || cursor_column >= columns)
        return Rect{};
    return lines[cursor_row].erase(static_cast<unsigned int>(cursor_column), count_of(count));
}

Rect Display::clear_to_end_of_line()
{
    if (!row_exists(cursor_row))
        return Rect{};
    return lines[cursor_row].clear_to_end_of_line(static_cast<unsigned int>(cursor_column));
}

Rect Display::clear_from_begin_of_line()
{
    if (!row_exists(cursor_row))
        return Rect{};
    return lines[cursor_row].clear_from_begin_of_line(static_cast<unsigned int>(cursor_column));
}

Rect Display::clear_line()
{
    if (!row_exists(cursor_row))
        return Rect{};
    return lines[cursor_row].clear_line();
}

// ED 0 and 1: not limited by the region.
Rect Display::clear_to_end_of_screen()
{
    Rect changed = clear_to_end_of_line();
    for (int row = cursor_row + 1; row < rows; ++row)
        changed += lines[row].clear_line();
    return changed;
}

Rect Display::clear_from_begin_of_screen()
{
    Rect changed = clear_from_begin_of_line();
    for (int row = 0; row < cursor_row && row < rows; ++row)
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

Rect Display::delete_lines(int count)
{
    if (cursor_row < scroll_top || cursor_row > scroll_bottom)
        return Rect{};
    cursor_column = 0;
    return rows_up(cursor_row, std::max(count, 1));
}

Rect Display::insert_lines(int count)
{
    if (cursor_row < scroll_top || cursor_row > scroll_bottom)
        return Rect{};
    cursor_column = 0;
    return rows_down(cursor_row, std::max(count, 1));
}

Rect Display::alignment_pattern()
{
    std::wstring const pattern(static_cast<std::size_t>(std::max(columns, 0)), L'E');
    Rect changed;
    for (Line& line : lines)
        changed += line.put_narrow(0, pattern.data(), static_cast<unsigned int>(pattern.size()), 0);
    scroll_top = 0;
    scroll_bottom = rows - 1;
    origin_mode = false;
    cursor_to(0, 0);
    return changed;
}

Rect Display::reset()
{
    attribute_modes = 0;
    auto_wrap = true;
    insert_mode = false;
    origin_mode = false;
    scroll_top = 0;
    scroll_bottom = rows - 1;
    default_tab_stops();
    set_screen_reversed(false);
    cursor_to(0, 0);
    return clear_screen();
}

// Rows change places without their cells being copied, and every row that
// took part is repainted from its cells; the area reported covers what each
// showed before and shows now. Rows outside first to the region's bottom
// stay as they are.
Rect Display::rows_up(int first, int count)
{
    if (count <= 0 || !row_exists(first) || first > scroll_bottom)
        return Rect{};
    Rect changed = shown(first, scroll_bottom);
    std::int64_t const last_moved = std::int64_t{scroll_bottom} - count;
    int row = first;
    for (; row <= last_moved; ++row)
        lines[row].swap_cells(lines[row + count]);
    for (; row <= scroll_bottom; ++row)
        lines[row].erase_cells();
    return changed += repaint_whole(first, scroll_bottom);
}

// The rows pushed past the region's bottom are lost.
Rect Display::rows_down(int first, int count)
{
    if (count <= 0 || !row_exists(first) || first > scroll_bottom)
        return Rect{};
    Rect changed = shown(first, scroll_bottom);
    std::int64_t const first_moved = std::int64_t{first} + count;
    int row = scroll_bottom;
    for (; row >= first_moved; --row)
        lines[row].swap_cells(lines[row - count]);
    for (; row >= first; --row)
        lines[row].erase_cells();
    return changed += repaint_whole(first, scroll_bottom);
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
