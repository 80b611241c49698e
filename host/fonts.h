// TrueType faces behind the ifont records OpenFont hands out, each with a
// cache of rendered glyphs keyed by code point (the terminal draws one cell at
// a time, so the same few glyphs are drawn over and over), and the font and
// colour SetFont selected.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/inkview.h"

namespace host::detail {

struct Glyph {
    int advance = 0;  // pixels to the next pen position
    int left = 0;     // bitmap offset right of the pen
    int top = 0;      // bitmap rows above the baseline
    int width = 0;
    int rows = 0;
    std::vector<unsigned char> coverage;  // width x rows, 0 to 255
};

class Face;

// The face of a record OpenFont made; null for null.
Face* face_of(ifont const* font);

Glyph const& glyph(Face& face, char32_t code_point);

// What SetFont selected: the font (null for none) and its colour as grey.
struct Selection {
    ifont const* font = nullptr;
    unsigned char grey = 0;
};
Selection const& selection();
void clear_selection();

}
