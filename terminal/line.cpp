// Editing and painting of one screen row: cells are painted one by one at a
// fixed pitch, in UTF-8; blanks are painted white only as far as something
// was visible, and reversed cells are drawn normally and then inverted. A
// wide character is kept whole by every edit. While the display defers
// painting, edits only mark their cells, painted once at the end.
#include "terminal/line.h"

#include <algorithm>
#include <cstdint>

#include "platform/inkview.h"
#include "platform/inkview_utils.h"
#include "terminal/attributes.h"
#include "terminal/code_point.h"
#include "terminal/display.h"

namespace {

constexpr wchar_t blank_char = L' ';
constexpr int blink_bar_height = 2;

bool has_utf8_form(wchar_t c) { return is_unicode_scalar(static_cast<std::uint32_t>(c)); }

template <typename Cells>
void shift_left(Cells& cells, unsigned int start, unsigned int count, typename Cells::value_type const& fill)
{
    std::move(cells.begin() + start + count, cells.end(), cells.begin() + start);
    std::fill(cells.end() - count, cells.end(), fill);
}

template <typename Cells>
void shift_right(Cells& cells, unsigned int start, unsigned int count, typename Cells::value_type const& fill)
{
    std::move_backward(cells.begin() + start, cells.end() - count, cells.end());
    std::fill(cells.begin() + start, cells.begin() + start + count, fill);
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

std::wstring Line::cell_text(unsigned int pos) const
{
    if (is_continuation(pos))
        return std::wstring();
    std::wstring text(1, characters[pos]);
    if (has_marks(pos))
        text += marks[pos];
    return text;
}

bool Line::visible(unsigned int pos) const
{
    return characters[pos] != blank_char || (attributes[pos] & (attribute::reverse | attribute::blink)) != 0 ||
           has_marks(pos);
}

// One past the last visible cell in [from, to), or from when there is none.
unsigned int Line::visible_extent(unsigned int from, unsigned int to) const
{
    for (unsigned int end = std::min(to, used_end); end > from; --end)
        if (visible(end - 1))
            return end;
    return from;
}

void Line::widen(unsigned int& start, unsigned int& end) const
{
    if (start > 0 && start < length() && is_continuation(start))
        --start;
    if (end > 0 && end < length() && is_continuation(end))
        ++end;
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
        Inkview_Utils::FillAreaR(cells(start, end - start), display->paper());
}

Rect Line::repaint(unsigned int start, unsigned int end)
{
    if (start >= end)
        return Rect{};
    if (display->painting_deferred())
        defer(start, end);
    else
        paint(start, end);
    return cells(start, end - start);
}

// Drawn on white and then, on a reversed screen, inverted with the rest.
void Line::paint(unsigned int start, unsigned int end)
{
    Rect const area = cells(start, end - start);
    Inkview_Utils::FillAreaR(area, WHITE);
    draw_cells(start, end);
    if (display->screen_reversed())
        Inkview_Utils::InvertAreaR(area);
}

void Line::blank(unsigned int start, unsigned int end)
{
    if (start >= end)
        return;
    std::fill(characters.begin() + start, characters.begin() + end, blank_char);
    std::fill(attributes.begin() + start, attributes.begin() + end, 0);
    if (!marks.empty())
        std::fill(marks.begin() + start, marks.begin() + end, std::wstring());
    if (end >= used_end)
        used_end = std::min(used_end, start);
}

void Line::erase_cells()
{
    auto const width = static_cast<std::size_t>(std::max(display->column_count(), 0));
    if (characters.size() == width) {
        blank(0, used_end);
        return;
    }
    characters.assign(width, blank_char);
    attributes.assign(width, 0);
    marks.clear();
    used_end = 0;
}

void Line::make_room(unsigned int pos, unsigned int count, unsigned int& start, unsigned int& end)
{
    start = pos;
    end = pos + count;
    widen(start, end);
    blank(start, pos);
    blank(pos + count, end);
    if (!marks.empty())
        std::fill(marks.begin() + pos, marks.begin() + pos + count, std::wstring());
    used(pos + count);
}

Rect Line::insert(unsigned int pos, wchar_t c, unsigned char attr, int width)
{
    unsigned int const cell_count = width == 2 ? 2 : 1;
    if (pos >= length() || cell_count > length() - pos)
        return Rect{};
    unsigned int start = 0;
    unsigned int end = 0;
    make_room(pos, cell_count, start, end);
    characters[pos] = c;
    attributes[pos] = attr;
    if (cell_count == 2) {
        characters[pos + 1] = continuation;
        attributes[pos + 1] = attr;
    }
    if (!has_utf8_form(c))
        return Rect{};
    return repaint(start, end);
}

Rect Line::put_narrow(unsigned int pos, wchar_t const* text, unsigned char const* attrs, unsigned int count)
{
    if (pos >= length() || count == 0)
        return Rect{};
    count = std::min(count, length() - pos);
    unsigned int start = 0;
    unsigned int end = 0;
    make_room(pos, count, start, end);
    std::copy(text, text + count, characters.begin() + pos);
    std::copy(attrs, attrs + count, attributes.begin() + pos);
    if (!std::all_of(text, text + count, has_utf8_form))
        return Rect{};
    return repaint(start, end);
}

Rect Line::combine(unsigned int pos, wchar_t mark)
{
    if (pos >= length())
        return Rect{};
    unsigned int start = pos;
    unsigned int end = pos + 1;
    widen(start, end);
    if (marks.empty())
        marks.resize(length());
    marks[start] += mark;
    used(end);
    return repaint(start, end);
}

Rect Line::insert_blanks(unsigned int pos, unsigned int count)
{
    if (pos >= length() || count == 0)
        return Rect{};
    count = std::min(count, length() - pos);
    unsigned int start = pos;
    if (is_continuation(pos)) {
        --start;
        blank(start, pos + 1);
    }
    unsigned int const old_extent = visible_extent(start, length());
    // A wide character whose second half would be pushed past the end goes whole.
    unsigned int const kept_end = length() - count;
    if (kept_end > pos && kept_end < length() && is_continuation(kept_end))
        blank(kept_end - 1, kept_end + 1);
    shift_right(characters, pos, count, blank_char);
    shift_right(attributes, pos, count, static_cast<unsigned char>(0));
    if (!marks.empty())
        shift_right(marks, pos, count, std::wstring());
    if (used_end > pos)
        used_end = std::min(length(), used_end + count);
    return repaint(start, std::max(old_extent, visible_extent(start, length())));
}

Rect Line::delete_chars(unsigned int start, unsigned int count)
{
    if (start >= length() || count == 0)
        return Rect{};
    count = std::min(count, length() - start);
    unsigned int from = start;
    unsigned int to = start + count;
    widen(from, to);
    unsigned int const old_extent = visible_extent(from, length());
    // The halves that the deleted range cuts off their wide characters.
    blank(from, start);
    blank(start + count, to);
    shift_left(characters, start, count, blank_char);
    shift_left(attributes, start, count, static_cast<unsigned char>(0));
    if (!marks.empty())
        shift_left(marks, start, count, std::wstring());
    used_end = used_end > start + count ? used_end - count : std::min(used_end, start);
    return repaint(from, std::max(old_extent, visible_extent(from, length())));
}

Rect Line::clear_line()
{
    unsigned int const extent = visible_extent(0, length());
    if (extent == 0)
        return Rect{};
    erase_cells();
    fill_white(0, extent);
    return cells(0, extent);
}

Rect Line::erase(unsigned int start, unsigned int count)
{
    if (start >= length() || count == 0)
        return Rect{};
    unsigned int end = start + std::min(count, length() - start);
    widen(start, end);
    unsigned int const extent = visible_extent(start, end);
    blank(start, end);
    if (extent == start)
        return Rect{};
    fill_white(start, extent);
    return cells(start, extent - start);
}

Rect Line::clear_to_end_of_line(unsigned int start) { return erase(start, length()); }

Rect Line::clear_from_begin_of_line(unsigned int last)
{
    return erase(0, std::min(last, length() - 1) + 1);
}

void Line::swap_cells(Line& other)
{
    characters.swap(other.characters);
    attributes.swap(other.attributes);
    marks.swap(other.marks);
    std::swap(used_end, other.used_end);
}

// The row's place may have shown anything since the last paint: all of it
// is painted again.
void Line::repaint_whole() { repaint(0, length()); }

Rect Line::shown() const
{
    unsigned int const extent = visible_extent(0, length());
    return extent == 0 ? Rect{} : cells(0, extent);
}

Rect Line::draw()
{
    unsigned int const extent = visible_extent(0, length());
    if (extent == 0)
        return Rect{};
    paint(0, extent);
    return cells(0, extent);
}

Rect Line::copy_cells(Line const& other)
{
    characters = other.characters;
    attributes = other.attributes;
    marks = other.marks;
    used_end = other.used_end;
    return draw();
}

void Line::paint_pending()
{
    unsigned int start = pending_begin;
    unsigned int end = std::min(pending_end, length());
    pending_begin = pending_end = 0;
    if (start >= end)
        return;
    widen(start, end);
    paint(start, end);
}

template <typename Action>
void Line::for_each_run(unsigned int start, unsigned int end, unsigned char bit, Action const& action) const
{
    while (start < end) {
        if (!(attributes[start] & bit)) {
            ++start;
            continue;
        }
        unsigned int run_end = start + 1;
        while (run_end < end && (attributes[run_end] & bit))
            ++run_end;
        action(start, run_end - start);
        start = run_end;
    }
}

// Each cell by itself, at its own place: glyph widths are never measured. A
// continuation cell adds nothing, its wide character's glyph covers it; a
// cell with no UTF-8 form is not painted.
void Line::draw_cells(unsigned int start, unsigned int end)
{
    end = visible_extent(start, end);
    int selected = -1;
    bool marks_advance = false;
    for (unsigned int i = start; i < end; ++i) {
        if (is_continuation(i))
            continue;
        if (attributes[i] != selected) {
            selected = attributes[i];
            ifont* const font = display->font(attributes[i]);
            SetFont(font, BLACK);
            marks_advance = display->marks_advance(font);
        }
        drawing.draw(x + static_cast<int>(i) * char_width, y, characters[i], has_marks(i) ? &marks[i] : nullptr,
                     marks_advance);
    }
    // Blinking can not be shown on e-ink: a line under the text stands for it.
    for_each_run(start, end, attribute::blink, [this](unsigned int first, unsigned int count) {
        Rect bar = cells(first, count);
        bar.y += bar.height - blink_bar_height;
        bar.height = std::min(bar.height, blink_bar_height);
        Inkview_Utils::FillAreaR(bar, BLACK);
    });
    for_each_run(start, end, attribute::reverse,
                 [this](unsigned int first, unsigned int count) { Inkview_Utils::InvertAreaR(cells(first, count)); });
}
