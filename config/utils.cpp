// The string helpers: structural UTF-8 checks, strtol with every failure
// caught, trimming of " \t\r\n" and splitting at runs of separators.
#include "config/utils.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace Utils {

namespace {

char const* const blanks = " \t\r\n";

}

int utf8_len(std::string const& text) { return utf8_len(text.c_str()); }

bool to_int(int& out, std::string const& text, int base)
{
    if (base < 2 || base > 36)
        return false;
    char const* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long const value = std::strtol(begin, &end, base);
    // Whatever strtol left unread, a NUL inside the string included, means
    // the text is not one number.
    if (errno != 0 || end == begin || static_cast<std::size_t>(end - begin) != text.size())
        return false;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

std::string& trim(std::string& text)
{
    text.erase(0, text.find_first_not_of(blanks));
    auto const last = text.find_last_not_of(blanks);
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

std::string const_trim(std::string const& text)
{
    std::string copy = text;
    return trim(copy);
}

std::vector<std::string> split_string(std::string const& text, std::string const& separators)
{
    std::vector<std::string> fields;
    std::size_t position = 0;
    for (;;) {
        auto const separator = text.find_first_of(separators, position);
        if (separator == std::string::npos) {
            fields.push_back(text.substr(position));
            return fields;
        }
        fields.push_back(text.substr(position, separator - position));
        position = text.find_first_not_of(separators, separator);
        if (position == std::string::npos)
            return fields;
    }
}

}
