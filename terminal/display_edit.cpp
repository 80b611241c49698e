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
// (2 for wide, 0 for a combining mark, -1 for what has no width). Its answer
// is slow to come and text in one script repeats its characters: the last
// answers are kept, one for each value of the low byte.
int width_of(wchar_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return 1;
    struct Known {
        wchar_t character;
        int width;
    };
    static Known known[256] = {};
    Known& k = known[static_cast<std::uint32_t>(c) & 0xFF];
    if (k.character != c)
        k = Known{c, wcwidth(c)};
    return k.width;
}

unsigned int count_of(int count) { return static_cast<unsigned int>(std::max(count, 1)); }

}

void Display::set_auto_wrap(bool on) { auto_wrap = on; }

void Display::set_insert_mode(bool on) { insert_mode = on; }

// A character after the last column's starts the next row, scrolling the
// region at its bottom; so does a wide character that does not fit in the
// last column. Without automatic margins a character replaces the last
// column's, and a wide one that does not fit is dropped.
Rect Display::insert(wchar_t c, unsigned char attr)
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
    changed += line.insert(column, c, attr, cells);
    cursor_column += cells;
    if (!auto_wrap)
        cursor_column = std::min(cursor_column, columns - 1);
    return changed;
}

// Characters one cell wide go into the cursor's row as many at a time as fit;
// a wide character, a combining mark, and the grid's edge take insert's way.
Rect Display::insert_text(wchar_t const* text, unsigned char const* attrs, std::size_t count)
{
    Rect changed;
    while (count > 0) {
        std::size_t const room =
            row_exists(cursor_row) && cursor_column < columns ? static_cast<std::size_t>(columns - cursor_column) : 0;
        std::size_t narrow = 0;
        while (narrow < count && narrow < room && width_of(text[narrow]) == 1)
            ++narrow;
        if (narrow == 0) {
            changed += insert(*text++, *attrs++);
            --count;
            continue;
        }
        auto const column = static_cast<unsigned int>(cursor_column);
        auto const part = static_cast<unsigned int>(narrow);
        Line& line = lines[cursor_row];
        if (insert_mode)
            changed += line.insert_blanks(column, part);
        changed += line.put_narrow(column, text, attrs, part);
        cursor_column += static_cast<int>(part);
        if (!auto_wrap)
            cursor_column = std::min(cursor_column, columns - 1);
        text += part;
        attrs += part;
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
    auto const width = static_cast<std::size_t>(std::max(columns, 0));
    std::wstring const pattern(width, L'E');
    std::vector<unsigned char> const plain(width, 0);
    Rect changed;
    for (Line& line : lines)
        changed += line.put_narrow(0, pattern.data(), plain.data(), static_cast<unsigned int>(width));
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
// took part is repainted from its cells. What the rows show now is what they
// showed before, moved by count rows within the region: the area reported is
// both. Rows outside first to the region's bottom stay as they are.
Rect Display::rows_up(int first, int count)
{
    if (count <= 0 || !row_exists(first) || first > scroll_bottom)
        return Rect{};
    Rect const before = shown(first, scroll_bottom);
    std::int64_t const last_moved = std::int64_t{scroll_bottom} - count;
    int row = first;
    for (; row <= last_moved; ++row)
        lines[row].swap_cells(lines[row + count]);
    for (; row <= scroll_bottom; ++row)
        lines[row].erase_cells();
    repaint_whole(first, scroll_bottom);
    return with_moved(before, -count, first);
}

// The rows pushed past the region's bottom are lost.
Rect Display::rows_down(int first, int count)
{
    if (count <= 0 || !row_exists(first) || first > scroll_bottom)
        return Rect{};
    Rect const before = shown(first, scroll_bottom);
    std::int64_t const first_moved = std::int64_t{first} + count;
    int row = scroll_bottom;
    for (; row >= first_moved; --row)
        lines[row].swap_cells(lines[row - count]);
    for (; row >= first; --row)
        lines[row].erase_cells();
    repaint_whole(first, scroll_bottom);
    return with_moved(before, count, first);
}

// area, and area moved by count rows, cut to rows first to the region's bottom.
Rect Display::with_moved(Rect const& area, int count, int first) const
{
    if (area.empty())
        return area;
    std::int64_t const top = margin + std::int64_t{first} * line_height;
    std::int64_t const bottom = margin + (std::int64_t{scroll_bottom} + 1) * line_height;
    std::int64_t const y = std::clamp<std::int64_t>(area.y + std::int64_t{count} * line_height, top, bottom);
    std::int64_t const end =
        std::clamp<std::int64_t>(std::int64_t{area.y} + area.height + std::int64_t{count} * line_height, top, bottom);
    Rect shifted = area;
    shifted.y = static_cast<int>(y);
    shifted.height = static_cast<int>(end - y);
    Rect both = area;
    return both += shifted;
}

Rect Display::shown(int first, int last) const
{
    Rect area;
    for (int row = first; row <= last; ++row)
        area += lines[row].shown();
    return area;
}

void Display::repaint_whole(int first, int last)
{
    for (int row = first; row <= last; ++row)
        lines[row].repaint_whole();
}
