// The interpreter's one pass over the input: control characters, ESC 7 and
// ESC 8, the ESC [ sequences with up to two decimal parameters and the DEC
// private modes. Unknown escapes become visible ESC and "[" cells followed by
// their bytes as text.
#include "terminal/vt102.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "config/utils.h"
#include "platform/saturate.h"
#include "terminal/code_point.h"
#include "terminal/display.h"

namespace {

constexpr char ESC = 0x1B;
constexpr wchar_t replacement_char = 0xFFFD;

enum class Number { read, incomplete, invalid };

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// What a sequence whose parameter could not be read gives: 1 waits for the
// rest of the input, -1 shows the sequence as text.
int not_read_result(Number read) { return read == Number::incomplete ? 1 : -1; }

// A decimal parameter as strtol reads it, which must fit 32 bits. When no
// digit follows, input that ends after only what strtol skips before a
// number (blanks, a sign) may still become one: that waits for more input,
// so that the result never depends on where the child's output was cut.
Number read_number(char const*& cursor, int& value)
{
    // Plain digits, nearly always: read without the C library's conversion.
    char const* digit = cursor;
    std::int64_t plain = 0;
    while (is_digit(*digit) && plain <= INT32_MAX)
        plain = plain * 10 + (*digit++ - '0');
    if (digit != cursor && plain <= INT32_MAX && !is_digit(*digit)) {
        value = static_cast<int>(plain);
        cursor = digit;
        return Number::read;
    }
    errno = 0;
    char* end = nullptr;
    long const number = std::strtol(cursor, &end, 10);
    if (end == cursor) {
        char const* p = cursor;
        while (std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        if (*p == '+' || *p == '-')
            ++p;
        return *p == '\0' ? Number::incomplete : Number::invalid;
    }
    if (errno == ERANGE || number < INT32_MIN || number > INT32_MAX)
        return Number::invalid;
    value = static_cast<int>(number);
    cursor = end;
    return Number::read;
}

// The finals of ESC [ sequences without parameters.
bool is_simple_final(char c)
{
    switch (c) {
    case 'A': case 'B': case 'C': case 'D': case 'H': case 'J': case 'K': case 'L': case 'M': case 'P': case 'm':
        return true;
    default:
        return false;
    }
}

// Printable ASCII or the first byte of what may be a UTF-8 character.
bool is_text(unsigned char byte) { return (byte >= 0x20 && byte < 0x7F) || byte >= 0x80; }

// The code point of a UTF-8 sequence whose structure utf8_len has checked
// (a lead byte and length - 1 continuation bytes); the replacement character
// for an overlong form, a surrogate or a value past U+10FFFF.
wchar_t decoded(char const* bytes, int length)
{
    static constexpr std::uint32_t lead_bits[] = {0, 0, 0x1F, 0x0F, 0x07};
    static constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::uint32_t value = static_cast<unsigned char>(bytes[0]) & lead_bits[length];
    for (int i = 1; i < length; ++i)
        value = (value << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3F);
    bool const valid = value >= smallest[length] && is_unicode_scalar(value);
    return static_cast<wchar_t>(valid ? value : replacement_char);
}

}

VT102::VT102(Display* owner) : display(owner) {}

Rect VT102::interpret(std::string& text)
{
    // NUL is a fill character: ignored wherever it comes, so that it can
    // neither end the input early nor stay at the front of it for ever.
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());

    Rect changed;
    char const* cursor = text.c_str();
    while (*cursor != '\0') {
        if (*cursor != ESC) {
            if (handle_normal_char(changed, cursor) == 1)
                break;
            continue;
        }
        char const second = cursor[1];
        if (second == '\0')
            break;
        if (second == '7') {  // DECSC, the position only
            display->get_pos(saved_col, saved_row);
            cursor += 2;
            continue;
        }
        if (second == '8') {  // DECRC
            changed += display->set_pos(saved_col, saved_row);
            cursor += 2;
            continue;
        }
        if (second != '[') {
            // ESC itself becomes a cell; the next byte is read afresh.
            changed += display->insert(ESC);
            ++cursor;
            continue;
        }
        char const third = cursor[2];
        if (third == '\0')
            break;
        if (is_simple_final(third)) {
            handle_simple_esc(changed, cursor + 2);
            cursor += 3;
            continue;
        }
        if (third == '?') {
            char const* parameters = cursor + 3;
            int const result = handle_private_mode(parameters);
            if (result == 1)
                break;
            if (result == 0) {
                cursor = parameters;
                continue;
            }
        }
        if (is_digit(third)) {
            char const* parameters = cursor + 2;
            int const result = handle_digit_esc(changed, parameters);
            if (result == 1)
                break;
            if (result == 0) {
                cursor = parameters;
                continue;
            }
        }
        show_unrecognised(changed);
        cursor += 2;
    }
    text.erase(0, static_cast<std::size_t>(cursor - text.c_str()));
    return changed;
}

void VT102::show_unrecognised(Rect& changed)
{
    changed += display->insert(ESC);
    changed += display->insert(L'[');
}

int VT102::handle_normal_char(Rect& changed, char const*& cursor)
{
    auto const byte = static_cast<unsigned char>(*cursor);
    if (is_text(byte)) {
        // The whole run of text at once: most of what an editor writes.
        char const* const start = cursor;
        decode_text(cursor);
        if (!run.empty())
            changed += display->insert_text(run.data(), run.size());
        return cursor == start ? 1 : 0;
    }
    int col = 0;
    int row = 0;
    display->get_pos(col, row);
    switch (byte) {
    case 0x07:  // BEL
        display->blink();
        break;
    case 0x08:  // BS
        changed += display->set_pos(saturate(std::int64_t{col} - 1), row);
        break;
    case 0x09:  // HT
        changed += display->tab();
        break;
    case 0x0A:  // LF: no carriage return
        changed += display->set_pos(col, saturate(std::int64_t{row} + 1));
        break;
    case 0x0D:  // CR
        changed += display->set_pos(0, row);
        break;
    case 0x0E:  // SO and SI: there is no second character set
    case 0x0F:
        break;
    default:
        changed += display->insert(static_cast<wchar_t>(byte));
        break;
    }
    ++cursor;
    return 0;
}

// Printable ASCII and whole UTF-8 characters into run, up to the first
// control byte or a character cut off at the end of the input. Bytes that
// start no character are dropped one by one; a well-formed sequence that
// does not decode (an overlong form, a surrogate, a value past U+10FFFF)
// becomes the replacement character.
void VT102::decode_text(char const*& cursor)
{
    run.clear();
    for (;;) {
        auto const byte = static_cast<unsigned char>(*cursor);
        if (byte >= 0x20 && byte < 0x7F) {
            run += static_cast<wchar_t>(byte);
            ++cursor;
            continue;
        }
        if (byte < 0x80)
            return;
        int const length = Utils::utf8_len(cursor);
        if (length == -1)
            return;
        if (length == 0) {
            ++cursor;
            continue;
        }
        run += decoded(cursor, length);
        cursor += length;
    }
}

void VT102::handle_simple_esc(Rect& changed, char const* final_byte)
{
    switch (*final_byte) {
    case 'A':  // CUU
    case 'B':  // CUD
    case 'C':  // CUF
    case 'D':  // CUB
        changed += move_cursor(*final_byte, 1);
        break;
    case 'H':  // CUP home
        changed += display->set_pos(0, 0);
        break;
    case 'J':  // ED 0
        changed += display->clear_to_end_of_screen();
        break;
    case 'K':  // EL 0
        changed += display->clear_to_end_of_line();
        break;
    case 'L':  // IL 1
        changed += display->insert_lines(1);
        break;
    case 'M':  // DL 1
        changed += display->delete_lines(1, -1);
        break;
    case 'P':  // DCH 1
        changed += display->delete_chars(1);
        break;
    case 'm':  // SGR 0
        reset_attributes();
        break;
    default:
        break;
    }
}

Rect VT102::move_cursor(char direction, int count)
{
    int col = 0;
    int row = 0;
    display->get_pos(col, row);
    switch (direction) {
    case 'A':
        return display->set_pos(col, saturate(std::int64_t{row} - count));
    case 'B':
        return display->set_pos(col, saturate(std::int64_t{row} + count));
    case 'C':
        return display->set_pos(saturate(std::int64_t{col} + count), row);
    default:
        return display->set_pos(saturate(std::int64_t{col} - count), row);
    }
}

void VT102::reset_attributes()
{
    display->set_italic_mode(false);
    display->set_bold_mode(false);
    display->set_reverse_mode(false);
}

int VT102::handle_digit_esc(Rect& changed, char const*& cursor)
{
    char const* p = cursor;
    int n = 0;
    if (read_number(p, n) != Number::read)
        return -1;
    char const final_byte = *p;
    if (final_byte == '\0')
        return 1;
    switch (final_byte) {
    case 'A':  // CUU
    case 'B':  // CUD
    case 'C':  // CUF
    case 'D':  // CUB
        changed += move_cursor(final_byte, n);
        break;
    case 'J':  // ED
        if (n == 0)
            changed += display->clear_to_end_of_screen();
        else if (n == 2)
            changed += display->clear_screen();
        else
            return -1;
        break;
    case 'K':  // EL; 2 deletes the line rather than blanking it
        if (n == 0)
            changed += display->clear_to_end_of_line();
        else if (n == 1)
            changed += display->clear_from_begin_of_line();
        else if (n == 2)
            changed += display->delete_lines(1, -1);
        else
            return -1;
        break;
    case 'M':  // DL
        changed += display->delete_lines(n, -1);
        break;
    case 'P':  // DCH
        changed += display->delete_chars(n);
        break;
    case 'h':  // SM: only IRM is kept
        if (n != 4)
            return -1;
        display->set_insert_mode(true);
        break;
    case 'l':  // RM: IRM off; resetting another mode has no effect
        if (n == 4)
            display->set_insert_mode(false);
        break;
    case 'm':  // SGR; underline is shown as italic
        if (n == 0) {
            reset_attributes();
        } else if (n == 1) {
            display->set_bold_mode(true);
        } else if (n == 4) {
            display->set_italic_mode(true);
        } else if (n == 7) {
            display->set_reverse_mode(true);
        } else {
            return -1;
        }
        break;
    case ';':
        return handle_second_parameter(changed, cursor, p + 1, n);
    default:
        return -1;
    }
    cursor = p + 1;
    return 0;
}

// DECSET and DECRST, ESC [ ? n ; ... h or l: DECAWM (7) switches the
// automatic margins; other modes, such as a shell's bracketed paste, have no
// effect here and are taken without showing them.
int VT102::handle_private_mode(char const*& cursor)
{
    char const* p = cursor;
    bool auto_wrap_named = false;
    for (;;) {
        int mode = 0;
        if (Number const read = read_number(p, mode); read != Number::read)
            return not_read_result(read);
        auto_wrap_named = auto_wrap_named || mode == 7;
        if (*p != ';')
            break;
        ++p;
    }
    if (*p == '\0')
        return 1;
    if (*p != 'h' && *p != 'l')
        return -1;
    if (auto_wrap_named)
        display->set_auto_wrap(*p == 'h');
    cursor = p + 1;
    return 0;
}

// CUP and DECSTBM, the only sequences with two parameters, both 1-based.
int VT102::handle_second_parameter(Rect& changed, char const*& cursor, char const* after_semicolon, int first)
{
    char const* p = after_semicolon;
    int second = 0;
    if (Number const read = read_number(p, second); read != Number::read)
        return not_read_result(read);
    switch (*p) {
    case '\0':
        return 1;
    case 'H':  // CUP: row first, then column
        changed += display->set_pos(saturate(std::int64_t{second} - 1), saturate(std::int64_t{first} - 1));
        break;
    case 'r':  // DECSTBM: the cursor stays
        display->set_scroll_region(saturate(std::int64_t{first} - 1), saturate(std::int64_t{second} - 1));
        break;
    default:
        return -1;
    }
    cursor = p + 1;
    return 0;
}
