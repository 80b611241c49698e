// Drawing the text of one cell at the cell's origin in the selected font: its
// character composed with its combining marks where Unicode composes them,
// and the marks left over either after it in the same string (a font whose
// marks take no advance puts them on the letter) or each by itself at the
// letter's origin (a font whose marks advance would put them beside it).
#pragma once

#include <cstdint>
#include <string>

#include "platform/inkview.h"

class Cell_Drawing {
public:
    // marks: null for none. Nothing is drawn when a code point has no UTF-8 form.
    void draw(int x, int y, wchar_t character, std::wstring const* marks, bool marks_advance)
    {
        // Nearly every cell: one ASCII character.
        if (!marks && static_cast<std::uint32_t>(character) < 0x80) {
            char const ascii[] = {static_cast<char>(character), '\0'};
            DrawString(x, y, ascii);
            return;
        }
        draw_converted(x, y, character, marks, marks_advance);
    }

private:
    void draw_converted(int x, int y, wchar_t character, std::wstring const* marks, bool marks_advance);

    // Kept from cell to cell so that drawing allocates nothing.
    std::wstring rest;
    std::string text;
};
