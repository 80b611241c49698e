// The DEC special graphics set as Unicode: the line-drawing, scan-line and
// symbol glyphs a VT102 shows for the bytes 0x5F to 0x7E once the set is in
// use, as dialog, menus and vttest draw their boxes with them.
#include "terminal/character_sets.h"

namespace {

constexpr wchar_t special_graphics[] = {
    0x00A0,  // _ blank
    0x25C6,  // ` diamond
    0x2592,  // a checkerboard
    0x2409,  // b HT
    0x240C,  // c FF
    0x240D,  // d CR
    0x240A,  // e LF
    0x00B0,  // f degree
    0x00B1,  // g plus or minus
    0x2424,  // h NL
    0x240B,  // i VT
    0x2518,  // j lower right corner
    0x2510,  // k upper right corner
    0x250C,  // l upper left corner
    0x2514,  // m lower left corner
    0x253C,  // n crossing lines
    0x23BA,  // o scan line 1
    0x23BB,  // p scan line 3
    0x2500,  // q horizontal line, scan line 5
    0x23BC,  // r scan line 7
    0x23BD,  // s scan line 9
    0x251C,  // t left tee
    0x2524,  // u right tee
    0x2534,  // v bottom tee
    0x252C,  // w top tee
    0x2502,  // x vertical bar
    0x2264,  // y less than or equal
    0x2265,  // z greater than or equal
    0x03C0,  // { pi
    0x2260,  // | not equal
    0x00A3,  // } pound sign
    0x00B7,  // ~ centred dot
};

}

// There is no alternate character ROM: its sets, '1' and '2', are the standard ones.
Character_Sets::Set Character_Sets::named(char final_byte)
{
    switch (final_byte) {
    case 'A':
        return Set::united_kingdom;
    case '0':
        return Set::special_graphics;
    default:
        return Set::ascii;
    }
}

void Character_Sets::designate(int g, Set set)
{
    (g == 0 ? g0 : g1) = set;
}

wchar_t Character_Sets::map(unsigned char byte) const
{
    switch (in_use()) {
    case Set::united_kingdom:
        return byte == '#' ? wchar_t{0x00A3} : wchar_t{byte};
    case Set::special_graphics:
        return byte >= 0x5F ? special_graphics[byte - 0x5F] : wchar_t{byte};
    default:
        return wchar_t{byte};
    }
}
