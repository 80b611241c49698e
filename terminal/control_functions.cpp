// The table of known sequences. CSI sequences without marker or intermediate,
// nearly all a child sends, are found by their final byte in an index built
// from the table; the few others by a search of it.
#include "terminal/control_functions.h"

#include <array>

namespace {

using Kind = Control_Sequence::Kind;
using F = Control_Function;

struct Entry {
    Kind kind;
    char marker;
    char intermediate;
    char final_byte;
    F function;
};

constexpr Entry table[] = {
    {Kind::escape, 0, 0, '7', F::DECSC},
    {Kind::escape, 0, 0, '8', F::DECRC},
    {Kind::escape, 0, 0, 'D', F::IND},
    {Kind::escape, 0, 0, 'E', F::NEL},
    {Kind::escape, 0, 0, 'H', F::HTS},
    {Kind::escape, 0, 0, 'M', F::RI},
    {Kind::escape, 0, 0, 'Z', F::DECID},
    {Kind::escape, 0, 0, 'c', F::RIS},
    {Kind::escape, 0, 0, '=', F::DECKPAM},
    {Kind::escape, 0, 0, '>', F::DECKPNM},
    {Kind::escape, 0, 0, '<', F::DECANM},
    {Kind::escape, 0, 0, '\\', F::ST},
    {Kind::escape, 0, 0, 'P', F::DCS},
    {Kind::escape, 0, 0, ']', F::OSC},
    {Kind::escape, 0, 0, 'X', F::SOS},
    {Kind::escape, 0, 0, '^', F::PM},
    {Kind::escape, 0, 0, '_', F::APC},
    {Kind::escape, 0, '(', 'B', F::SCS_G0},
    {Kind::escape, 0, '(', 'A', F::SCS_G0},
    {Kind::escape, 0, '(', '0', F::SCS_G0},
    {Kind::escape, 0, '(', '1', F::SCS_G0},
    {Kind::escape, 0, '(', '2', F::SCS_G0},
    {Kind::escape, 0, ')', 'B', F::SCS_G1},
    {Kind::escape, 0, ')', 'A', F::SCS_G1},
    {Kind::escape, 0, ')', '0', F::SCS_G1},
    {Kind::escape, 0, ')', '1', F::SCS_G1},
    {Kind::escape, 0, ')', '2', F::SCS_G1},
    {Kind::escape, 0, '*', 'B', F::SCS_G2},
    {Kind::escape, 0, '*', 'A', F::SCS_G2},
    {Kind::escape, 0, '*', '0', F::SCS_G2},
    {Kind::escape, 0, '+', 'B', F::SCS_G3},
    {Kind::escape, 0, '+', 'A', F::SCS_G3},
    {Kind::escape, 0, '+', '0', F::SCS_G3},
    {Kind::escape, 0, '#', '3', F::DECDHL_TOP},
    {Kind::escape, 0, '#', '4', F::DECDHL_BOTTOM},
    {Kind::escape, 0, '#', '5', F::DECSWL},
    {Kind::escape, 0, '#', '6', F::DECDWL},
    {Kind::escape, 0, '#', '8', F::DECALN},
    {Kind::csi, 0, 0, '@', F::ICH},
    {Kind::csi, 0, 0, 'A', F::CUU},
    {Kind::csi, 0, 0, 'B', F::CUD},
    {Kind::csi, 0, 0, 'C', F::CUF},
    {Kind::csi, 0, 0, 'D', F::CUB},
    {Kind::csi, 0, 0, 'E', F::CNL},
    {Kind::csi, 0, 0, 'F', F::CPL},
    {Kind::csi, 0, 0, 'G', F::CHA},
    {Kind::csi, 0, 0, 'H', F::CUP},
    {Kind::csi, 0, 0, 'J', F::ED},
    {Kind::csi, 0, 0, 'K', F::EL},
    {Kind::csi, 0, 0, 'L', F::IL},
    {Kind::csi, 0, 0, 'M', F::DL},
    {Kind::csi, 0, 0, 'P', F::DCH},
    {Kind::csi, 0, 0, 'S', F::SU},
    {Kind::csi, 0, 0, 'T', F::SD},
    {Kind::csi, 0, 0, 'X', F::ECH},
    {Kind::csi, 0, 0, '`', F::HPA},
    {Kind::csi, 0, 0, 'a', F::HPR},
    {Kind::csi, 0, 0, 'c', F::DA},
    {Kind::csi, 0, 0, 'd', F::VPA},
    {Kind::csi, 0, 0, 'e', F::VPR},
    {Kind::csi, 0, 0, 'f', F::HVP},
    {Kind::csi, 0, 0, 'g', F::TBC},
    {Kind::csi, 0, 0, 'h', F::SM},
    {Kind::csi, 0, 0, 'i', F::MC},
    {Kind::csi, 0, 0, 'l', F::RM},
    {Kind::csi, 0, 0, 'm', F::SGR},
    {Kind::csi, 0, 0, 'n', F::DSR},
    {Kind::csi, 0, 0, 'q', F::DECLL},
    {Kind::csi, 0, 0, 'r', F::DECSTBM},
    {Kind::csi, 0, 0, 'x', F::DECREQTPARM},
    {Kind::csi, 0, 0, 'y', F::DECTST},
    {Kind::csi, '>', 0, 'c', F::DA2},
    {Kind::csi, '=', 0, 'c', F::DA3},
    {Kind::csi, '?', 0, 'h', F::DECSET},
    {Kind::csi, '?', 0, 'l', F::DECRST},
    {Kind::csi, '?', 0, 'i', F::DECMC},
    {Kind::csi, '?', 0, 'n', F::DECDSR},
};

// CSI final bytes 0x40 to 0x7E, without marker or intermediate.
using Plain_Csi_Index = std::array<F, 0x3F>;

constexpr Plain_Csi_Index plain_csi_index()
{
    Plain_Csi_Index index{};
    for (Entry const& e : table)
        if (e.kind == Kind::csi && e.marker == 0 && e.intermediate == 0)
            index[static_cast<unsigned char>(e.final_byte) - 0x40] = e.function;
    return index;
}

constexpr Plain_Csi_Index plain_csi = plain_csi_index();

}

Control_Function control_function(Control_Sequence const& s)
{
    if (s.outcome != Control_Sequence::Outcome::complete || s.several_intermediates)
        return F::unknown;
    if (s.kind == Kind::csi && s.marker == 0 && s.intermediate == 0)
        return plain_csi[static_cast<unsigned char>(s.final_byte) - 0x40];
    for (Entry const& e : table)
        if (e.kind == s.kind && e.marker == s.marker && e.intermediate == s.intermediate &&
            e.final_byte == s.final_byte)
            return e.function;
    return F::unknown;
}
