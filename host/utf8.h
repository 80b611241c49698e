// Reading UTF-8 one code point at a time, forgiving bad bytes, and telling
// the code points that take no room of their own.
#pragma once

namespace host::detail {

char32_t constexpr replacement_character = 0xFFFD;

// The code point at p (p < end), advancing p past it. A byte that does not
// start a valid, shortest-form sequence gives U+FFFD and advances one byte.
char32_t next_code_point(char const*& p, char const* end);

// A combining mark, or another character that takes no room of its own.
bool zero_width(char32_t code_point);

}
