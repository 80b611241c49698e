// Text in the selected font: measuring, drawing at a top-left origin and
// drawing one line aligned in a rectangle. Every drawing lands in the text layer.
#include <cstring>
#include <string>

#include "host/fonts.h"
#include "host/screen.h"
#include "host/text_layer.h"
#include "host/utf8.h"

using namespace host::detail;
using host::Text_Entry;

namespace {

void draw_glyph(Glyph const& g, long long left, long long top, Rect const& clip, unsigned char grey)
{
    Rect const area = intersect(left, top, g.width, g.rows, clip);
    Screen& s = screen();
    for (int y = area.y; y < area.y + area.height; ++y) {
        unsigned char const* cover = &g.coverage[std::size_t(y - top) * g.width + std::size_t(area.x - left)];
        unsigned char* pixel = &s.buffer[std::size_t(y) * s.width + area.x];
        for (int i = 0; i < area.width; ++i) {
            unsigned const a = cover[i];
            if (a)
                pixel[i] = static_cast<unsigned char>((pixel[i] * (255 - a) + grey * a + 127) / 255);
        }
    }
}

// Draws [begin, end) with the pen starting at pen_x on the given baseline.
void draw_run(Face& face, long long pen_x, long long baseline, char const* begin, char const* end, Rect const& clip)
{
    unsigned char const grey = selection().grey;
    for (char const* p = begin; p < end;) {
        Glyph const& g = glyph(face, next_code_point(p, end));
        draw_glyph(g, pen_x + g.left, baseline - g.top, clip, grey);
        pen_x += g.advance;
    }
}

long long measure(Face& face, char const* begin, char const* end)
{
    long long width = 0;
    for (char const* p = begin; p < end;)
        width += glyph(face, next_code_point(p, end)).advance;
    return width;
}

Text_Entry entry(Text_Entry::Kind kind, Rect const& area, std::string text)
{
    ifont const* font = selection().font;
    return Text_Entry{kind, area, font->name ? font->name : "", font->size, std::move(text)};
}

}

extern "C" {

int StringWidth(char const* s)
{
    Face* face = face_of(selection().font);
    if (!face || !s)
        return 0;
    return int(measure(*face, s, s + std::strlen(s)));
}

void DrawString(int x, int y, char const* s)
{
    Face* face = face_of(selection().font);
    if (!face || !s || !*s)
        return;
    char const* const end = s + std::strlen(s);
    long long const width = measure(*face, s, end);
    // Ink stays inside the string's advance box: the terminal paints and
    // refreshes whole cells, and a glyph's overhang would stay stale on the panel.
    int const height = selection().font->height;
    draw_run(*face, x, (long long)y + selection().font->baseline, s, end, intersect(x, y, width, height, whole_screen()));
    record_text(entry(Text_Entry::string, {x, y, int(width), height}, std::string(s, end)));
}

char* DrawTextRect(int x, int y, int w, int h, char const* s, int flags)
{
    if (!s || !*s)
        return nullptr;
    Face* face = face_of(selection().font);
    if (!face || w <= 0 || h <= 0)
        return const_cast<char*>(s);
    // The first line whole, even when wider than the rectangle: a label cut
    // short would no longer say what it is. Its pixels stay inside.
    char const* const line_end = s + std::strcspn(s, "\n");
    long long const width = measure(*face, s, line_end);
    int const font_height = selection().font->height;
    long long const left = (flags & ALIGN_CENTER) ? x + (w - width) / 2 : x;
    long long const top = (flags & VALIGN_MIDDLE) ? y + ((long long)h - font_height) / 2 : y;
    draw_run(*face, left, top + selection().font->baseline, s, line_end, intersect(x, y, w, h, whole_screen()));
    if (line_end > s)
        record_text(entry(Text_Entry::rect, {x, y, w, h}, std::string(s, line_end)));
    char const* const rest = *line_end == '\n' ? line_end + 1 : line_end;
    return *rest ? const_cast<char*>(rest) : nullptr;
}

}
