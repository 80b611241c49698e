// The scan of one escape or CSI sequence, byte by byte as the DEC parser's
// states take them: C0 controls inside are noted (and later acted on), DEL is
// ignored, ESC, CAN, SUB and the bytes of UTF-8 interrupt, parameter bytes
// out of place lead to the ignore state, which still runs to a final byte.
#include "terminal/control_sequence.h"

#include <algorithm>

namespace {

constexpr unsigned char ESC = 0x1B;
constexpr unsigned char CAN = 0x18;
constexpr unsigned char SUB = 0x1A;
constexpr unsigned char DEL = 0x7F;

bool interrupts(unsigned char byte) { return byte == ESC || byte == CAN || byte == SUB || byte >= 0x80; }

struct Scan {
    char const* start;
    char const* end;
    Control_Sequence& sequence;

    // The byte at p, or false with the outcome set when the sequence ends
    // without a final byte there.
    bool next(char const* p)
    {
        if (static_cast<std::size_t>(p - start) >= Control_Sequence::longest) {
            sequence.outcome = Control_Sequence::Outcome::too_long;
            sequence.length = Control_Sequence::longest;
            return false;
        }
        if (p == end) {
            sequence.outcome = Control_Sequence::Outcome::incomplete;
            return false;
        }
        if (interrupts(static_cast<unsigned char>(*p))) {
            sequence.outcome = Control_Sequence::Outcome::interrupted;
            sequence.length = static_cast<std::size_t>(p - start);
            return false;
        }
        return true;
    }

    void add_intermediate(char byte)
    {
        if (sequence.intermediate == 0)
            sequence.intermediate = byte;
        else
            sequence.several_intermediates = true;
    }

    void finish(char const* final_byte, bool ignored)
    {
        sequence.final_byte = *final_byte;
        sequence.length = static_cast<std::size_t>(final_byte + 1 - start);
        sequence.outcome = ignored ? Control_Sequence::Outcome::malformed : Control_Sequence::Outcome::complete;
    }

    void escape();
    void csi(char const* p);
};

void Scan::escape()
{
    for (char const* p = start + 1; next(p); ++p) {
        auto const byte = static_cast<unsigned char>(*p);
        if (byte < 0x20) {
            sequence.has_controls = true;
        } else if (byte == DEL) {
        } else if (byte < 0x30) {
            add_intermediate(*p);
        } else if (byte == '[' && sequence.intermediate == 0) {
            csi(p + 1);
            return;
        } else {
            finish(p, false);
            return;
        }
    }
}

void Scan::csi(char const* p)
{
    enum class State { entry, parameters, intermediates, ignore } state = State::entry;
    sequence.kind = Control_Sequence::Kind::csi;
    int current = -1;
    auto keep = [this, &current] {
        if (sequence.count < Control_Sequence::max_parameters)
            sequence.parameters[sequence.count++] = current;
        current = -1;
    };
    if (p != end && *p >= '<' && *p <= '?') {
        sequence.marker = *p++;
        state = State::parameters;
    }
    for (;; ++p) {
        // Digits and ';', nearly all a sequence holds, in a loop of their own.
        if (state <= State::parameters) {
            for (; p != end; ++p) {
                auto const digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
                if (digit <= 9) {
                    int const value = (current < 0 ? 0 : current) * 10 + static_cast<int>(digit);
                    current = value > Control_Sequence::largest_parameter ? Control_Sequence::largest_parameter : value;
                } else if (*p == ';') {
                    keep();
                } else {
                    break;
                }
                state = State::parameters;
            }
        }
        if (!next(p))
            return;
        auto const byte = static_cast<unsigned char>(*p);
        if (byte < 0x20) {
            sequence.has_controls = true;
        } else if (byte == DEL) {
        } else if (byte >= 0x40) {
            // Digits or a ';' were seen: the last parameter counts, empty or not.
            if (current >= 0 || sequence.count > 0)
                keep();
            finish(p, state == State::ignore);
            return;
        } else if (byte < 0x30) {
            if (state != State::ignore) {
                add_intermediate(*p);
                state = State::intermediates;
            }
        } else {
            // A parameter byte after an intermediate, ':' (sub-parameters,
            // unknown to this terminal), or a marker after the first byte.
            state = State::ignore;
        }
    }
}

}

void scan_control_sequence(char const* start, char const* end, Control_Sequence& sequence)
{
    sequence.kind = Control_Sequence::Kind::escape;
    sequence.outcome = Control_Sequence::Outcome::incomplete;
    sequence.marker = 0;
    sequence.intermediate = 0;
    sequence.several_intermediates = false;
    sequence.final_byte = 0;
    sequence.length = 0;
    sequence.count = 0;
    sequence.has_controls = false;
    Scan scan{start, end, sequence};
    scan.escape();
}
