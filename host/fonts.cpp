// OpenFont, CloseFont and SetFont with FreeType: faces sized in pixels, the
// ifont metrics taken from the face, and glyphs rendered once and then cached.
#include "host/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <cstring>
#include <string>

#include "host/font_search.h"
#include "host/screen.h"
#include "host/utf8.h"

namespace host::detail {

class Face {
public:
    FT_Face face = nullptr;
    bool antialiased = true;
    std::unordered_map<char32_t, Glyph> glyphs;

    ~Face()
    {
        if (face)
            FT_Done_Face(face);
    }
};

namespace {

int constexpr largest_size = 1000;

FT_Library library()
{
    // Shared by every face and never released: faces may outlive any owner here.
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

int pixels(FT_Pos value) { return int(value >> 6); }

Glyph render(Face& f, char32_t code_point)
{
    Glyph g;
    // The box drawn for a missing glyph would take room that a mark does not have.
    if (FT_Get_Char_Index(f.face, code_point) == 0 && zero_width(code_point))
        return g;
    FT_Int32 const flags = FT_LOAD_RENDER | (f.antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
    if (FT_Load_Char(f.face, code_point, flags) != 0 && FT_Load_Glyph(f.face, 0, flags) != 0)
        return g;
    FT_GlyphSlot const slot = f.face->glyph;
    FT_Bitmap const& bitmap = slot->bitmap;
    g.advance = int((slot->advance.x + 32) >> 6);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = int(bitmap.width);
    g.rows = int(bitmap.rows);
    g.coverage.resize(std::size_t(g.width) * g.rows);
    for (int y = 0; y < g.rows; ++y) {
        unsigned char const* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        for (int x = 0; x < g.width; ++x) {
            unsigned char value;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                value = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else
                value = row[x];
            g.coverage[std::size_t(y) * g.width + x] = value;
        }
    }
    return g;
}

Selection& selected()
{
    static Selection current;
    return current;
}

}

Selection const& selection() { return selected(); }

void clear_selection() { selected() = Selection{}; }

Face* face_of(ifont const* font) { return font ? static_cast<Face*>(font->fdata) : nullptr; }

Glyph const& glyph(Face& face, char32_t code_point)
{
    auto found = face.glyphs.find(code_point);
    if (found == face.glyphs.end())
        found = face.glyphs.emplace(code_point, render(face, code_point)).first;
    return found->second;
}

}

using namespace host::detail;

extern "C" {

ifont* OpenFont(char const* name, int size, int aa)
{
    if (!name || size < 1 || size > largest_size || !library())
        return nullptr;
    auto const file = find_font_file(name);
    if (!file)
        return nullptr;
    auto* face = new Face;
    face->antialiased = aa != 0;
    if (FT_New_Face(library(), file->c_str(), 0, &face->face) != 0 ||
        FT_Set_Pixel_Sizes(face->face, 0, FT_UInt(size)) != 0) {
        delete face;
        return nullptr;
    }
    FT_Size_Metrics const& metrics = face->face->size->metrics;
    auto* font = new ifont{};
    font->name = strdup(name);
    font->family = strdup(face->face->family_name ? face->face->family_name : name);
    font->size = size;
    font->aa = static_cast<unsigned char>(aa != 0);
    font->isbold = (face->face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    font->isitalic = (face->face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    font->baseline = pixels(metrics.ascender);
    font->height = pixels(metrics.ascender) - pixels(metrics.descender);
    font->linespacing = pixels(metrics.height);
    font->fdata = face;
    return font;
}

void SetFont(ifont const* font, int colour) { selected() = Selection{font, grey_of(colour)}; }

void CloseFont(ifont* font)
{
    if (!font)
        return;
    // A closed font must not stay selected.
    if (selection().font == font)
        clear_selection();
    delete face_of(font);
    std::free(font->name);
    std::free(font->family);
    delete font;
}

}
