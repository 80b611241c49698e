// A cell's text in UTF-8, the text the platform draws, as one string or as
// the letter and each mark apart, all at the same origin.
#include "terminal/cell_drawing.h"

#include <cstdint>
#include <cstring>

#include "platform/inkview.h"
#include "terminal/code_point.h"
#include "terminal/composition.h"

namespace {

// Appends c in UTF-8; false when c has no form.
bool append_utf8(wchar_t c, std::string& text)
{
    // wchar_t is signed on some processors and unsigned on others.
    auto const value = static_cast<std::uint32_t>(c);
    if (value < 0x80) {
        text += static_cast<char>(value);
        return true;
    }
    if (!is_unicode_scalar(value))
        return false;
    int const continuations = value < 0x800 ? 1 : value < 0x10000 ? 2 : 3;
    static constexpr unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
    text += static_cast<char>(lead[continuations] | (value >> (6 * continuations)));
    for (int i = continuations - 1; i >= 0; --i)
        text += static_cast<char>(0x80 | ((value >> (6 * i)) & 0x3F));
    return true;
}

}

void Cell_Drawing::draw_converted(int x, int y, wchar_t character, std::wstring const* marks, bool marks_advance)
{
    wchar_t const letter = marks ? compose(character, *marks, rest) : character;
    if (!marks)
        rest.clear();
    // Apart, each a string of its own: the zero bytes end them.
    text.clear();
    bool convertible = append_utf8(letter, text);
    for (wchar_t const mark : rest) {
        if (marks_advance)
            text += '\0';
        convertible = append_utf8(mark, text) && convertible;
    }
    if (!convertible)
        return;
    char const* const end = text.c_str() + text.size();
    for (char const* piece = text.c_str(); piece < end; piece += std::strlen(piece) + 1)
        DrawString(x, y, piece);
}
