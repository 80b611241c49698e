// The control functions this terminal knows, named by their mnemonics, and
// the one table that says which sequence (its kind, private marker,
// intermediate and final byte) is which function.
#pragma once

#include "terminal/control_sequence.h"

enum class Control_Function : unsigned char {
    unknown,
    // ESC and a final byte
    DECSC, DECRC, IND, NEL, HTS, RI, DECID, RIS, DECKPAM, DECKPNM, DECANM, ST,
    // ESC, an intermediate and a final byte
    SCS_G0, SCS_G1, SCS_G2, SCS_G3, DECALN, DECDHL_TOP, DECDHL_BOTTOM, DECSWL, DECDWL,
    // control strings, taken without effect up to their end
    DCS, OSC, SOS, PM, APC,
    // CSI
    ICH, CUU, CUD, CUF, CUB, CNL, CPL, CHA, CUP, ED, EL, IL, DL, DCH, SU, SD, ECH, HPA, HPR, DA, VPA, VPR, HVP,
    TBC, SM, RM, MC, SGR, DSR, DECLL, DECSTBM, DECREQTPARM, DECTST,
    // CSI with the private markers > and =: the later terminals' DA
    DA2, DA3,
    // CSI with the private marker ?
    DECSET, DECRST, DECMC, DECDSR,
};

// The function of a sequence that ended with its final byte; unknown for
// every other.
Control_Function control_function(Control_Sequence const& sequence);
