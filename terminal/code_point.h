// The code points a character cell may hold and UTF-8 can carry: all of
// Unicode but the surrogates, which only ever come in pairs in UTF-16.
#pragma once

#include <cstdint>

inline bool is_unicode_scalar(std::uint32_t value) { return value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF); }
