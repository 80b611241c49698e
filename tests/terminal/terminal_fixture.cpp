// The shared terminal test fixture: layouts computed from the fonts' real
// metrics, a Display per test on a fresh stand-in, and readers of the grid.
#include "tests/terminal/terminal_fixture.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "host/host.h"
#include "platform/inkview.h"
#include "tests/support/fake_messenger.h"

namespace terminal_test {

char const* const font_names[4] = {"DejaVuSansMono", "DejaVuSansMono-Bold", "DejaVuSansMono-Oblique",
                                   "DejaVuSansMono-BoldOblique"};

namespace {

ifont* open_font(char const* name, int size)
{
    ifont* font = OpenFont(name, size, 1);
    if (!font)
        throw std::runtime_error(std::string("test font missing: ") + name);
    return font;
}

}

int char_width(int size)
{
    ifont* font = open_font(font_names[0], size);
    SetFont(font, BLACK);
    int const width = StringWidth("a");
    CloseFont(font);
    return width;
}

int font_height(int size)
{
    int height = 0;
    for (char const* name : font_names) {
        ifont* font = open_font(name, size);
        height = std::max(height, font->height);
        CloseFont(font);
    }
    return height;
}

Layout grid_layout(int columns, int rows, int font_size)
{
    Layout layout;
    layout.font_size = font_size;
    layout.keyboard_height = 0;
    layout.line_spacing = 0;
    layout.width = 20 + columns * char_width(font_size);
    layout.height = 10 + rows * font_height(font_size);
    return layout;
}

std::string show_controls(std::string const& text)
{
    std::string shown;
    for (unsigned char c : text) {
        if (c == 0x1B) {
            shown += "\\e";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            shown += buffer;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

std::vector<unsigned char> pixels(Rect const& area, Surface surface)
{
    std::vector<unsigned char> all;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x)
            all.push_back(surface == Surface::panel ? host::panel_pixel(x, y) : host::buffer_pixel(x, y));
    return all;
}

std::string utf8(std::wstring const& text)
{
    std::string bytes;
    for (wchar_t const c : text) {
        wchar_t const one[2] = {c, 0};
        char buffer[8];
        std::size_t const n = std::wcstombs(buffer, one, sizeof buffer);
        bytes += n == static_cast<std::size_t>(-1) ? std::string("?") : std::string(buffer, n);
    }
    return bytes;
}

std::string printable(Line const& line)
{
    std::string text;
    for (unsigned int i = 0; i < line.length(); ++i)
        text += utf8(line.cell_text(i));
    text = show_controls(text);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

void Terminal::SetUp()
{
    std::setlocale(LC_ALL, "en_US.utf8");
    fake::reset();
}

void Terminal::TearDown()
{
    display.reset();
    fake::reset();
}

void Terminal::open(Layout const& layout)
{
    display.reset();
    host::reset(layout.width, layout.height);
    fake::reset();
    config.normal_font = layout.fonts[0];
    config.bold_font = layout.fonts[1];
    config.italic_font = layout.fonts[2];
    config.italic_bold_font = layout.fonts[3];
    config.font_size = layout.font_size;
    config.line_spacing = layout.line_spacing;
    display = std::make_unique<Display>(messenger, config, layout.keyboard_height);
}

void Terminal::feed(std::string const& bytes)
{
    fake::log().text += bytes;
    host::clear_updates();
    display->check();
}

std::vector<std::string> Terminal::rows() const
{
    std::vector<std::string> all;
    for (int r = 0; r < display->row_count(); ++r)
        all.push_back(row(r));
    return all;
}

std::string Terminal::attributes(int r) const
{
    static char const digits[] = ".123456789abcdef";
    Line const& line = display->line(r);
    std::string text;
    for (unsigned int i = 0; i < line.length(); ++i)
        text += digits[line.attribute(i) & 15];
    return text.substr(0, text.find_last_not_of('.') + 1);
}

std::pair<int, int> Terminal::cursor() const
{
    int column = 0;
    int row = 0;
    display->get_pos(column, row);
    return {column, row};
}

Rect Terminal::cells(int column, int row, int w, int h) const
{
    int width = 0;
    int height = 0;
    display->char_size(width, height);
    return Rect{10 + column * width, 10 + row * height, w * width, h * height};
}

std::string Terminal::dump() const
{
    std::ostringstream out;
    auto const [column, row_at] = cursor();
    out << "cursor " << column << " " << row_at << "\n";
    for (int r = 0; r < display->row_count(); ++r)
        out << (r < 10 ? " " : "") << r << " |" << row(r) << "|  " << attributes(r) << "\n";
    return out.str();
}

}
