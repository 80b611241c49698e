// Canonical composition of a character with the combining marks that follow
// it, as Unicode's normalization form C composes them, for drawing a cell as
// one glyph where the font has one: a renderer that does not place marks
// would put them beside their letter.
#pragma once

#include <string>

// The character that letter and marks compose to. rest receives the marks
// that compose with nothing, in canonical order; a mark that starts a
// composition of its own (Hangul vowels, some Indic signs) may stand in it
// composed with the marks after it.
wchar_t compose(wchar_t letter, std::wstring const& marks, std::wstring& rest);
