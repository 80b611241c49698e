// Utils: stateless byte-string helpers shared by the file parsers and the
// terminal: trimming, splitting into fields, strict integer conversion and
// the length of one UTF-8 character. Nothing here throws or keeps state.
#pragma once

#include <string>
#include <vector>

namespace Utils {

namespace detail {

inline bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Bytes announced by a lead byte; 0 for a continuation byte or 0xF8 and up.
inline int announced_length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xC0)
        return 0;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return lead < 0xF8 ? 4 : 0;
}

}

// Bytes in the UTF-8 character at text: n for a well-formed lead and its
// continuation bytes, 0 for none or a malformed one, -1 when the text (its
// terminating NUL) ends before the character does. Inline: the terminal
// decodes every character of the child's output with it.
inline int utf8_len(char const* text)
{
    auto const* bytes = reinterpret_cast<unsigned char const*>(text);
    if (bytes[0] == 0)
        return 0;
    int const n = detail::announced_length(bytes[0]);
    if (n <= 1)
        return n;
    // The end of the text is looked for first: a cut-off character is
    // incomplete (-1) even if the bytes present are not continuation bytes,
    // so that a caller keeps it and waits for more.
    for (int i = 1; i < n; ++i)
        if (bytes[i] == 0)
            return -1;
    for (int i = 1; i < n; ++i)
        if (!detail::is_continuation(bytes[i]))
            return 0;
    return n;
}
int utf8_len(std::string const& text);

// True and out set when all of text is one signed 32-bit integer in base.
bool to_int(int& out, std::string const& text, int base);

// Removes blanks, tabs, carriage returns and line feeds at both ends.
std::string& trim(std::string& text);
std::string const_trim(std::string const& text);

// Fields between runs of separator bytes; a leading separator gives one empty
// first field, trailing separators give nothing, and an empty text gives one
// empty field.
std::vector<std::string> split_string(std::string const& text, std::string const& separators);

}
