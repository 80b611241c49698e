// The interpreter's one pass over the child's output: runs of text, written a
// row's part at a time; C0 controls, acted on wherever they stand, inside
// sequences too; escape and CSI sequences, scanned whole and then looked up
// in the table of known functions (acted on in vt102_functions.cpp); control
// strings, passed over to their end. NUL and DEL are fill characters,
// ignored wherever they come.
#include "terminal/vt102.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "config/utils.h"
#include "terminal/code_point.h"
#include "terminal/display.h"

namespace {

constexpr unsigned char ESC = 0x1B;
constexpr wchar_t replacement_char = 0xFFFD;

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
    if (std::memchr(text.data(), '\0', text.size()))
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    changed = Rect{};
    char const* cursor = text.c_str();
    char const* const end = cursor + text.size();
    while (cursor != end) {
        if (control_string != String::none) {
            if (!skip_control_string(cursor, end))
                break;
            continue;
        }
        auto const byte = static_cast<unsigned char>(*cursor);
        if (is_text(byte)) {
            char const* const start = cursor;
            decode_text(cursor);
            if (cursor == start)
                break;  // a UTF-8 character cut off
            continue;
        }
        if (byte != ESC) {
            write_run();
            control(byte);
            ++cursor;
            continue;
        }
        scan_control_sequence(cursor, end, scanned);
        if (scanned.outcome == Control_Sequence::Outcome::incomplete)
            break;
        Control_Function const function = control_function(scanned);
        if (function == Control_Function::SGR && !scanned.has_controls) {
            select_graphic_rendition(scanned);
        } else {
            write_run();
            sequence(scanned, function, cursor);
        }
        cursor += scanned.length;
    }
    write_run();
    text.erase(0, static_cast<std::size_t>(cursor - text.c_str()));
    return changed;
}

void VT102::write_run()
{
    if (run.empty())
        return;
    changed += display->insert_text(run.data(), run_attributes.data(), run.size());
    run.clear();
}

// Printable ASCII, through the character set in use, and whole UTF-8
// characters onto the run, with the attributes now in force, up to the
// first control byte or a character cut off
// at the end of the input (the text ends in a NUL, none being inside it).
// Bytes that start no character are dropped one by one; a well-formed
// sequence that does not decode (an overlong form, a surrogate, a value past
// U+10FFFF) becomes the replacement character.
void VT102::decode_text(char const*& cursor)
{
    std::size_t const first = run.size();
    bool const mapped = !character_sets.plain();
    for (;;) {
        auto const byte = static_cast<unsigned char>(*cursor);
        if (byte >= 0x20 && byte < 0x7F) {
            run += mapped ? character_sets.map(byte) : static_cast<wchar_t>(byte);
            ++cursor;
            continue;
        }
        if (byte < 0x80)
            break;
        int const length = Utils::utf8_len(cursor);
        if (length == -1)
            break;
        if (length == 0) {
            ++cursor;
            continue;
        }
        run += decoded(cursor, length);
        cursor += length;
    }
    if (run_attributes.size() < run.size())
        run_attributes.resize(2 * run.size());
    std::fill(run_attributes.begin() + static_cast<std::ptrdiff_t>(first),
              run_attributes.begin() + static_cast<std::ptrdiff_t>(run.size()), display->attributes());
}

// The C0 controls a VT102 acts on; the others are ignored. ENQ would send
// the answerback message, which is empty.
void VT102::control(unsigned char byte)
{
    switch (byte) {
    case 0x07:  // BEL
        display->blink();
        break;
    case 0x08:  // BS
        display->cursor_backward(1);
        break;
    case 0x09:  // HT
        display->tab();
        break;
    case 0x0A:  // LF, and VT and FF as a VT102 takes them
    case 0x0B:
    case 0x0C:
        changed += display->index();
        if (key_modes.new_line)
            display->carriage_return();
        break;
    case 0x0D:  // CR
        display->carriage_return();
        break;
    case 0x0E:  // SO
        character_sets.invoke(1);
        break;
    case 0x0F:  // SI
        character_sets.invoke(0);
        break;
    default:
        break;
    }
}

// The controls inside come first, as the DEC parser acts on them where they
// stand. A sequence given up for ESC or a character of text, one with bytes
// out of place, and one not known are shown as text; one that CAN or SUB
// cancelled is dropped.
void VT102::sequence(Control_Sequence const& s, Control_Function function, char const* start)
{
    if (s.has_controls)
        for (char const* p = start + 1; p < start + s.length; ++p)
            if (static_cast<unsigned char>(*p) < 0x20)
                control(static_cast<unsigned char>(*p));
    using Outcome = Control_Sequence::Outcome;
    if (s.outcome == Outcome::interrupted && (start[s.length] == 0x18 || start[s.length] == 0x1A))
        return;
    if (function == Control_Function::unknown)
        show_as_text(start, s.length);
    else
        execute(function, s);
}

// The ESC as a cell of its own, then the sequence's printable bytes.
void VT102::show_as_text(char const* start, std::size_t length)
{
    run.assign(1, static_cast<wchar_t>(ESC));
    for (char const* p = start + 1; p < start + length; ++p)
        if (static_cast<unsigned char>(*p) >= 0x20 && *p != 0x7F)
            run += static_cast<wchar_t>(*p);
    run_attributes.assign(run.size(), display->attributes());
    write_run();
}

bool VT102::skip_control_string(char const*& cursor, char const* end)
{
    for (; cursor != end; ++cursor) {
        auto const byte = static_cast<unsigned char>(*cursor);
        if (byte == ESC) {
            if (cursor + 1 == end)
                return false;
            control_string = String::none;
            // ST ends the string; any other ESC ends it and begins a sequence.
            if (cursor[1] == '\\')
                cursor += 2;
            return true;
        }
        if (byte == 0x18 || byte == 0x1A || (byte == 0x07 && control_string == String::until_st_or_bel)) {
            control_string = String::none;
            ++cursor;
            return true;
        }
    }
    return true;
}
