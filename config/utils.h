// Utils: stateless byte-string helpers shared by the file parsers and the
// terminal: trimming, splitting into fields, strict integer conversion and
// the length of one UTF-8 character. Nothing here throws or keeps state.
#pragma once

#include <string>
#include <vector>

namespace Utils {

// Bytes in the UTF-8 character at text: n for a well-formed lead and its
// continuation bytes, 0 for none or a malformed one, -1 when the text (its
// terminating NUL) ends before the character does.
int utf8_len(char const* text);
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
