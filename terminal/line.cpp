// Editing and painting of one screen row: cells are painted one by one at a
// fixed pitch, blanks are painted white only as far as something was visible,
// and reversed cells are drawn normally and then inverted. While the display
// defers painting, edits only mark their cells, painted once at the end.
#include "terminal/line.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>

#include "platform/inkview.h"
#include "platform/inkview_utils.h"
#include "terminal/attributes.h"
#include "terminal/display.h"

namespace {

constexpr wchar_t blank_char = L' ';

// Appends c in the locale's multibyte form, as wcstombs would write it; false
// when the locale has none. ASCII is the same in every locale, and most of
// what the child writes: it skips the conversion, the bulk of a cell's cost.
bool append_multibyte(wchar_t c, std::string& text)
{
    // wchar_t is signed on some processors and unsigned on others.
    if (static_cast<std::uint32_t>(c) < 0x80) {
        text += static_cast<char>(c);
        return true;
    }
    char bytes[MB_LEN_MAX];
    std::mbstate_t state{};
    std::size_t const length = std::wcrtomb(bytes, c, &state);
    if (length == static_cast<std::size_t>(-1))
        return false;
    text.append(bytes, length);
    return true;
}

}

Line::Line(Display* owner, int left, int top, int width, int height)
    : display(owner),
      characters(static_cast<std::size_t>(std::max(owner->column_count(), 0)), blank_char),
      attributes(characters.size(), 0),
      x(left),
      y(top),
      char_width(width),
      line_height(height)
{
}

bool Line::visible(unsigned int pos) const
{
    return characters[pos] != blank_char || (attributes[pos] & attribute::reverse) != 0;
}

// One past the last visible cell in [from, to), or from when there is none.
unsigned int Line::visible_extent(unsigned int from, unsigned int to) const
{
    for (unsigned int end = to; end > from; --end)
        if (visible(end - 1))
            return end;
    return from;
}

Rect Line::cells(unsigned int start, unsigned int count) const
{
    return Rect{x + static_cast<int>(start) * char_width, y, static_cast<int>(count) * char_width,
                line_height};
}

void Line::defer(unsigned int start, unsigned int end)
{
    if (pending_begin < pending_end) {
        start = std::min(start, pending_begin);
        end = std::max(end, pending_end);
    }
    pending_begin = start;
    pending_end = end;
}

void Line::fill_white(unsigned int start, unsigned int end)
{
    if (display->painting_deferred())
        defer(start, end);
    else
        Inkview_Utils::FillAreaR(cells(start, end - start), WHITE);
}

void Line::blank(unsigned int start, unsigned int end)
{
    std::fill(characters.begin() + start, characters.begin() + end, blank_char);
    std::fill(attributes.begin() + start, attributes.begin() + end, 0);
}

Rect Line::insert(unsigned int pos, wchar_t c, unsigned char attr)
{
    if (pos >= length())
        return Rect{};
    characters[pos] = c;
    attributes[pos] = attr;

    std::string text;
    if (!append_multibyte(c, text))
        return Rect{};

    Rect const cell = cells(pos, 1);
    if (display->painting_deferred()) {
        defer(pos, pos + 1);
        return cell;
    }
    Inkview_Utils::FillAreaR(cell, WHITE);
    SetFont(display->font(attr), BLACK);
    DrawString(cell.x, cell.y, text.c_str());
    if (attr & attribute::reverse)
        Inkview_Utils::InvertAreaR(cell);
    return cell;
}

Rect Line::delete_chars(unsigned int start, unsigned int count)
{
    if (start >= length())
        return Rect{};
    count = std::min(count, length() - start);
    Rect const area = cells(start, count);
    fill_white(start, start + count);
    blank(start, start + count);
    return area;
}

Rect Line::clear_line()
{
    unsigned int const extent = visible_extent(0, length());
    if (extent == 0)
        return Rect{};
    characters.assign(static_cast<std::size_t>(std::max(display->column_count(), 0)), blank_char);
    attributes.assign(characters.size(), 0);
    fill_white(0, extent);
    return cells(0, extent);
}

Rect Line::clear_to_end_of_line(unsigned int start)
{
    if (start >= length())
        return Rect{};
    unsigned int const extent = visible_extent(start, length());
    blank(start, length());
    if (extent == start)
        return Rect{};
    fill_white(start, extent);
    return cells(start, extent - start);
}

Rect Line::clear_from_begin_of_line(unsigned int last)
{
    if (length() == 0)
        return Rect{};
    unsigned int const end = std::min(last, length() - 1) + 1;
    fill_white(0, end);
    blank(0, end);
    return cells(0, end);
}

Rect Line::change_y_pos(int rows)
{
    y += rows * line_height;
    if (!display->painting_deferred())
        return draw();
    // The whole row: the cells pending here were marked for its old place,
    // and whatever the row replaced at the new one must go.
    defer(0, length());
    unsigned int const extent = visible_extent(0, length());
    return extent == 0 ? Rect{} : cells(0, extent);
}

Rect Line::draw()
{
    unsigned int const extent = visible_extent(0, length());
    if (extent == 0)
        return Rect{};
    draw_cells(0, extent);
    return cells(0, extent);
}

void Line::paint_pending()
{
    unsigned int const start = pending_begin;
    unsigned int const end = std::min(pending_end, length());
    pending_begin = pending_end = 0;
    if (start >= end)
        return;
    Inkview_Utils::FillAreaR(cells(start, end - start), WHITE);
    draw_cells(start, end);
}

void Line::draw_cells(unsigned int start, unsigned int end)
{
    end = visible_extent(start, end);
    int pen = x + static_cast<int>(start) * char_width;
    for (unsigned int i = start; i < end; ++i)
        draw_substring(i, 1, pen);
    while (start < end) {
        if (!(attributes[start] & attribute::reverse)) {
            ++start;
            continue;
        }
        unsigned int run_end = start + 1;
        while (run_end < end && (attributes[run_end] & attribute::reverse))
            ++run_end;
        Inkview_Utils::InvertAreaR(cells(start, run_end - start));
        start = run_end;
    }
}

// A substring the locale cannot convert is not painted, as insert paints
// nothing for such a cell; the pen advances all the same. Cells past the
// row's end are not there to paint.
void Line::draw_substring(unsigned int pos, unsigned int count, int& pen_x)
{
    count = pos < length() ? std::min(count, length() - pos) : 0;
    if (count == 0)
        return;
    std::string text;
    bool convertible = true;
    for (unsigned int i = pos; i < pos + count && convertible; ++i)
        convertible = append_multibyte(characters[i], text);
    if (convertible) {
        SetFont(display->font(attributes[pos]), BLACK);
        DrawString(pen_x, y, text.c_str());
    }
    pen_x += static_cast<int>(count) * char_width;
}
