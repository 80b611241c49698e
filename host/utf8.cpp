// UTF-8 decoding for the text calls: overlong forms, surrogates, values past
// U+10FFFF and cut sequences each come out as one U+FFFD per bad byte. Widths
// are the C library's in its UTF-8 locale, whatever the program selected.
#include "host/utf8.h"

#include <clocale>
#include <cwchar>

namespace host::detail {

char32_t next_code_point(char const*& p, char const* end)
{
    auto const lead = static_cast<unsigned char>(*p);
    if (lead < 0x80) {
        ++p;
        return lead;
    }
    int length;
    char32_t value;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++p;
        return replacement_character;
    }
    if (end - p < length) {
        ++p;
        return replacement_character;
    }
    for (int i = 1; i < length; ++i) {
        auto const next = static_cast<unsigned char>(p[i]);
        if ((next & 0xC0) != 0x80) {
            ++p;
            return replacement_character;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++p;
        return replacement_character;
    }
    p += length;
    return value;
}

bool zero_width(char32_t code_point)
{
    static locale_t const utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (!utf8)
        return false;
    locale_t const previous = uselocale(utf8);
    int const width = wcwidth(static_cast<wchar_t>(code_point));
    uselocale(previous);
    return width == 0;
}

}
