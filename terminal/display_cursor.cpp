// The cursor as a VT102 moves it: kept on the grid, stopped at the region's
// margins, relative to the region in origin mode; line feeds and reverse line
// feeds that scroll the region at its margins; the region itself, saved
// positions and tab stops.
#include <algorithm>
#include <cstdint>

#include "terminal/display.h"

namespace {

// Moves never overflow, however large the count.
int moved(int from, int by) { return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{from} + by, INT32_MIN, INT32_MAX)); }

}

void Display::get_pos(int& column, int& row) const
{
    column = cursor_column;
    row = cursor_row;
}

void Display::cursor_to(int column, int row)
{
    cursor_column = std::clamp(column, 0, std::max(columns - 1, 0));
    cursor_row = std::clamp(moved(row, top_limit()), top_limit(), std::max(bottom_limit(), top_limit()));
}

void Display::cursor_to_column(int column) { cursor_to(column, cursor_row - top_limit()); }

void Display::cursor_to_row(int row)
{
    int const column = grid_column();
    cursor_to(column, row);
}

void Display::reported_position(int& column, int& row) const
{
    column = grid_column();
    row = cursor_row - top_limit();
}

void Display::cursor_up(int count)
{
    int const stop = cursor_row >= scroll_top ? scroll_top : 0;
    cursor_column = grid_column();
    cursor_row = std::max(moved(cursor_row, -std::max(count, 1)), stop);
}

void Display::cursor_down(int count)
{
    int const stop = std::max(cursor_row <= scroll_bottom ? scroll_bottom : rows - 1, 0);
    cursor_column = grid_column();
    cursor_row = std::min(moved(cursor_row, std::max(count, 1)), stop);
}

void Display::cursor_forward(int count)
{
    cursor_column = std::min(moved(cursor_column, std::max(count, 1)), std::max(columns - 1, 0));
}

// From one past the last column, where a wrap is pending, it counts as a
// terminal in wide use counts: BS then writes over the last column.
void Display::cursor_backward(int count)
{
    cursor_column = std::max(moved(cursor_column, -std::max(count, 1)), 0);
}

void Display::carriage_return() { cursor_column = 0; }

Rect Display::index()
{
    cursor_column = grid_column();
    if (cursor_row == scroll_bottom)
        return rows_up(scroll_top, 1);
    cursor_row = std::min(cursor_row + 1, std::max(rows - 1, 0));
    return Rect{};
}

Rect Display::reverse_index()
{
    cursor_column = grid_column();
    if (cursor_row == scroll_top)
        return rows_down(scroll_top, 1);
    cursor_row = std::max(cursor_row - 1, 0);
    return Rect{};
}

Rect Display::scroll_up(int count) { return rows_up(scroll_top, std::max(count, 1)); }

Rect Display::scroll_down(int count) { return rows_down(scroll_top, std::max(count, 1)); }

void Display::set_scroll_region(int top, int bottom)
{
    if (top < 0 || bottom >= rows || top >= bottom)
        return;
    scroll_top = top;
    scroll_bottom = bottom;
    cursor_to(0, 0);
}

void Display::scroll_region(int& top, int& bottom) const
{
    top = scroll_top;
    bottom = scroll_bottom;
}

void Display::set_origin_mode(bool on)
{
    origin_mode = on;
    cursor_to(0, 0);
}

Saved_Cursor Display::saved_cursor() const
{
    return Saved_Cursor{cursor_column, cursor_row, attribute_modes, origin_mode};
}

// The grid may have changed size since: the position is kept on it.
void Display::restore_cursor(Saved_Cursor const& saved)
{
    attribute_modes = saved.attributes;
    origin_mode = saved.origin_mode;
    cursor_column = std::clamp(saved.column, 0, std::max(columns - 1, 0));
    cursor_row = std::clamp(saved.row, 0, std::max(rows - 1, 0));
}

void Display::default_tab_stops()
{
    constexpr int tab_width = 8;
    tab_stops.assign(static_cast<std::size_t>(std::max(columns, 0)), false);
    for (int column = tab_width; column < columns; column += tab_width)
        tab_stops[static_cast<std::size_t>(column)] = true;
}

// Never to the left: from one past the last column the cursor stays.
void Display::tab()
{
    if (cursor_column >= columns - 1)
        return;
    auto const next = std::find(tab_stops.begin() + cursor_column + 1, tab_stops.end(), true);
    cursor_column = next == tab_stops.end() ? columns - 1 : static_cast<int>(next - tab_stops.begin());
}

void Display::set_tab_stop()
{
    if (columns > 0)
        tab_stops[static_cast<std::size_t>(grid_column())] = true;
}

void Display::clear_tab_stop()
{
    if (columns > 0)
        tab_stops[static_cast<std::size_t>(grid_column())] = false;
}

void Display::clear_tab_stops() { std::fill(tab_stops.begin(), tab_stops.end(), false); }
