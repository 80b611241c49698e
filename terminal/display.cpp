// The Display's life: construction from the configuration, the four fonts,
// and the layout of the grid for the current screen size and font size.
#include "terminal/display.h"

#include <algorithm>
#include <cstdint>

#include "app/tarn_exception.h"
#include "config/config.h"
#include "platform/inkview_utils.h"
#include "platform/saturate.h"
#include "terminal/attributes.h"

Display* Display::s_handling_display = nullptr;

Display::Display(Messenger& m, Config const& config, int keyboard_rows)
    : messenger(m),
      interpreter(this),
      normal_font_name(config.normal_font),
      bold_font_name(config.bold_font),
      italic_font_name(config.italic_font),
      italic_bold_font_name(config.italic_bold_font),
      font_size(config.font_size),
      line_spacing(config.line_spacing),
      keyboard_height(keyboard_rows),
      full_refresh_every(config.full_refresh_every)
{
    s_handling_display = this;
    try {
        setup_fonts();
    } catch (...) {
        // The destructor will not run: let go of what was opened.
        close_fonts();
        s_handling_display = nullptr;
        throw;
    }
    screen_dimensions_changed();
}

Display::~Display()
{
    ClearTimer(static_timer_handler);
    close_fonts();
    if (s_handling_display == this)
        s_handling_display = nullptr;
}

void Display::setup_fonts()
{
    close_fonts();
    struct Wanted {
        char const* what;
        std::string const& name;
        ifont*& font;
    };
    Wanted const wanted[] = {{"normal", normal_font_name, normal_font},
                             {"bold", bold_font_name, bold_font},
                             {"italic", italic_font_name, italic_font},
                             {"italic bold", italic_bold_font_name, italic_bold_font}};
    font_height = 0;
    for (Wanted const& w : wanted) {
        w.font = OpenFont(w.name.c_str(), font_size, 1);
        if (!w.font)
            throw Tarn_Exception(std::string("Can't open ") + w.what + " font '" + w.name);
        font_height = std::max(font_height, w.font->height);
        // Measured with the commonest mark, the combining acute accent.
        SetFont(w.font, BLACK);
        if (StringWidth("\xcc\x81") > 0)
            fonts_with_advancing_marks.push_back(w.font);
    }
}

void Display::close_fonts()
{
    for (ifont** font : {&italic_bold_font, &italic_font, &bold_font, &normal_font}) {
        if (*font)
            CloseFont(*font);
        *font = nullptr;
    }
    fonts_with_advancing_marks.clear();
}

ifont* Display::font(unsigned char attr) const
{
    unsigned char const style = attr & (attribute::bold | attribute::italic);
    if (style == 0)
        return normal_font;
    if (style == (attribute::bold | attribute::italic))
        return italic_bold_font;
    return style == attribute::bold ? bold_font : italic_font;
}

bool Display::marks_advance(ifont const* font) const
{
    return std::find(fonts_with_advancing_marks.begin(), fonts_with_advancing_marks.end(), font) !=
           fonts_with_advancing_marks.end();
}

void Display::char_size(int& width, int& height) const
{
    width = char_width;
    height = line_height;
}

// Every caller has blanked the text area first (a rotation clears the
// screen, a font size change paints it white), so there is no cursor left to
// hide: inverting its old cell again would leave a black cell there.
// A font whose "a" has no width, or a spacing that eats the whole font
// height, would make a cell of no size: such a cell is taken as one pixel.
void Display::screen_dimensions_changed()
{
    int const old_columns = columns;
    int const old_rows = rows;
    std::vector<Line> old_lines;
    old_lines.swap(lines);

    SetFont(normal_font, BLACK);
    char_width = std::max(1, StringWidth("a"));
    line_height = std::max(1, saturate(std::int64_t{font_height} + line_spacing));
    columns = std::max(0, (ScreenWidth() - 2 * margin) / char_width);
    // A positive spacing is not added to the height here: the last row's
    // clearing, reverse video and cursor would paint over the keyboard.
    rows = std::max<int>(0, saturate((std::int64_t{ScreenHeight()} + std::min(line_spacing, 0) - keyboard_height -
                                      margin) / line_height));

    lines.reserve(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        lines.emplace_back(this, margin, margin + r * line_height, char_width, line_height);
    // The child is then told a size it already has, and does not redraw.
    if (!old_lines.empty() && columns == old_columns && rows == old_rows) {
        repaint_kept(old_lines);
        return;
    }
    scroll_top = 0;
    scroll_bottom = rows - 1;
    if (columns != old_columns)
        default_tab_stops();
    // A position left over from a larger grid is taken to the new last row and column.
    cursor_row = std::clamp(cursor_row, 0, std::max(rows - 1, 0));
    cursor_column = std::min(cursor_column, columns);
    // The new cursor is refreshed too: a child that redraws without moving it
    // leaves nothing else to show it. At construction the screen-shown event
    // refreshes everything.
    Rect const cursor = toggle_cursor();
    if (!old_lines.empty())
        Inkview_Utils::PartialUpdateR(cursor);
}

// The same grid in a blanked text area: the rows keep what they held, the
// scroll region and cursor stay, and the whole text area is refreshed, as the
// panel may still show the picture from before.
void Display::repaint_kept(std::vector<Line> const& old_lines)
{
    if (reversed)
        Inkview_Utils::FillAreaR(text_area(), paper());
    for (int r = 0; r < rows; ++r)
        lines[r].copy_cells(old_lines[r]);
    toggle_cursor();
    Inkview_Utils::PartialUpdateR(text_area());
}

Rect Display::text_area() const { return Rect{0, 0, ScreenWidth(), std::max(0, ScreenHeight() - keyboard_height)}; }

// The white fill takes the old cursor with it: there is nothing to hide first.
void Display::change_font_size(int delta)
{
    // Within the sizes a setting may name: a size no font opens at would end
    // the program, and the editor with the user's unsaved text.
    font_size = std::clamp(saturate(std::int64_t{font_size} + delta), Config::smallest_font_size,
                           Config::largest_font_size);
    Inkview_Utils::FillAreaR(text_area(), paper());
    Inkview_Utils::PartialUpdateR(text_area());
    setup_fonts();
    screen_dimensions_changed();
}
