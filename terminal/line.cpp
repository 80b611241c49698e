// Editing and painting of one screen row: cells are painted one by one at a
// fixed pitch, blanks are painted white only as far as something was visible,
// and reversed cells are drawn normally and then inverted.
#include "terminal/line.h"

#include <algorithm>
#include <cstdlib>

#include "platform/inkview.h"
#include "platform/inkview_utils.h"
#include "terminal/attributes.h"
#include "terminal/display.h"

namespace {

constexpr wchar_t blank_char = L' ';

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

    wchar_t const one[2] = {c, L'\0'};
    char text[5];
    if (std::wcstombs(text, one, sizeof text) == static_cast<std::size_t>(-1))
        return Rect{};

    Rect const cell = cells(pos, 1);
    Inkview_Utils::FillAreaR(cell, WHITE);
    SetFont(display->font(attr), BLACK);
    DrawString(cell.x, cell.y, text);
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
    Inkview_Utils::FillAreaR(area, WHITE);
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
    Rect const area = cells(0, extent);
    Inkview_Utils::FillAreaR(area, WHITE);
    return area;
}

Rect Line::clear_to_end_of_line(unsigned int start)
{
    if (start >= length())
        return Rect{};
    unsigned int const extent = visible_extent(start, length());
    blank(start, length());
    if (extent == start)
        return Rect{};
    Rect const area = cells(start, extent - start);
    Inkview_Utils::FillAreaR(area, WHITE);
    return area;
}

Rect Line::clear_from_begin_of_line(unsigned int last)
{
    if (length() == 0)
        return Rect{};
    unsigned int const end = std::min(last, length() - 1) + 1;
    Rect const area = cells(0, end);
    Inkview_Utils::FillAreaR(area, WHITE);
    blank(0, end);
    return area;
}

Rect Line::change_y_pos(int rows)
{
    y += rows * line_height;
    return draw();
}

Rect Line::draw()
{
    unsigned int const extent = visible_extent(0, length());
    if (extent == 0)
        return Rect{};
    int pen = x;
    for (unsigned int i = 0; i < extent; ++i)
        draw_substring(i, 1, pen);
    for (unsigned int start = 0; start < extent;) {
        if (!(attributes[start] & attribute::reverse)) {
            ++start;
            continue;
        }
        unsigned int end = start + 1;
        while (end < extent && (attributes[end] & attribute::reverse))
            ++end;
        Inkview_Utils::InvertAreaR(cells(start, end - start));
        start = end;
    }
    return cells(0, extent);
}

// A substring the locale cannot convert is not painted, as insert paints
// nothing for such a cell; the pen advances all the same. Cells past the
// row's end are not there to paint.
void Line::draw_substring(unsigned int pos, unsigned int count, int& pen_x)
{
    count = pos < length() ? std::min(count, length() - pos) : 0;
    if (count == 0)
        return;
    std::wstring const part = characters.substr(pos, count);
    std::string text(count * 4 + 1, '\0');
    if (std::wcstombs(&text[0], part.c_str(), text.size()) != static_cast<std::size_t>(-1)) {
        SetFont(display->font(attributes[pos]), BLACK);
        DrawString(pen_x, y, text.c_str());
    }
    pen_x += static_cast<int>(count) * char_width;
}
