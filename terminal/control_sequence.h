// Control_Sequence: one escape or control sequence as the DEC parser reads it
// (escape, escape intermediate, CSI entry, parameters, intermediates, ignore),
// and the scan that finds where it ends in the child's output. The scan has no
// effect of its own, so a sequence cut off at the end of the output can be
// scanned again, whole, once the rest has come.
#pragma once

#include <cstddef>

// Filled whole by scan_control_sequence; the parameters past count are never read.
struct Control_Sequence {
    static constexpr int max_parameters = 16;
    // Parameters are kept up to this value; larger ones count as this.
    static constexpr int largest_parameter = 65535;
    // Past this length a sequence without its final byte is given up: output
    // that never ends one must not be held back for ever.
    static constexpr std::size_t longest = 256;

    enum class Kind : unsigned char { escape, csi };
    // complete: a final byte ends it. malformed: it ended, but with bytes a
    // sequence may not hold where they stand (the ignore state).
    // interrupted: ESC, CAN, SUB or a byte of UTF-8 came before its final
    // byte; the interrupting byte is not part of it. incomplete: the output
    // ends inside it. too_long: no final byte within the longest.
    enum class Outcome : unsigned char { complete, malformed, interrupted, incomplete, too_long };

    Kind kind;
    Outcome outcome;
    // The private marker of a CSI sequence (< = > ?), or 0.
    char marker;
    // The first intermediate byte (0x20 to 0x2F), or 0; more than one makes
    // the sequence one that nothing here knows.
    char intermediate;
    bool several_intermediates;
    char final_byte;
    // From the ESC up to and including the final byte (or up to the byte
    // that interrupted it).
    std::size_t length;
    // Parameters given, empty ones included; an empty one is -1.
    int count;
    int parameters[max_parameters];
    // A C0 control stood inside: it is acted on before the sequence.
    bool has_controls;

    // Parameter i, or fallback when it is missing or empty.
    int parameter(int i, int fallback) const
    {
        return i < count && parameters[i] >= 0 ? parameters[i] : fallback;
    }
};

// Scans the sequence that starts with the ESC at start into sequence; end is
// one past the output's last byte.
void scan_control_sequence(char const* start, char const* end, Control_Sequence& sequence);
