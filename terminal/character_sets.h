// Character_Sets: the G0 and G1 sets a child designates (SCS), the one that
// SO and SI put in use, and what a printable ASCII byte shows in it: itself,
// the pound sign for '#' in the United Kingdom set, or a line-drawing
// character of the DEC special graphics set.
#pragma once

class Character_Sets {
public:
    enum class Set : unsigned char { ascii, united_kingdom, special_graphics };

    // The set a designation's final byte names ('B', 'A' or '0'), or ascii.
    static Set named(char final_byte);

    void designate(int g, Set set);
    // SO (1) and SI (0).
    void invoke(int g) { shifted = g == 1; }
    // Whether ASCII bytes show as themselves, so that text needs no mapping.
    bool plain() const { return in_use() == Set::ascii; }
    // byte is printable ASCII (0x20 to 0x7E).
    wchar_t map(unsigned char byte) const;

private:
    Set in_use() const { return shifted ? g1 : g0; }

    Set g0 = Set::ascii;
    Set g1 = Set::ascii;
    bool shifted = false;
};
