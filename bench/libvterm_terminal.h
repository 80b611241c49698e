// libvterm's screen layer as a display uses it, the reference for our
// throughput: the same 4 KiB cycles, damage collected through the screen's
// callbacks and, at the end of each cycle, every damaged cell read back as a
// display reads the cells it paints.
#pragma once

#include <string>

#include "bench/streams.h"

struct VTerm;
struct VTermScreen;

namespace bench {

class Libvterm_Terminal {
public:
    explicit Libvterm_Terminal(Grid grid);
    ~Libvterm_Terminal();
    Libvterm_Terminal(Libvterm_Terminal const&) = delete;
    Libvterm_Terminal& operator=(Libvterm_Terminal const&) = delete;

    void feed(std::string const& bytes);
    // Cells read back so far: proof that the damage reached the display.
    long cells_read() const { return read; }
    // The first character of a cell, a space for an empty one.
    char32_t character(int row, int column) const;

    // Cells to repaint at the end of the cycle: rows [top, bottom), columns [left, right).
    void damage(int top, int bottom, int left, int right);

private:
    void paint_damage();

    Grid grid;
    VTerm* terminal;
    VTermScreen* screen;
    // The bounding box of the cycle's damage; empty when top >= bottom.
    int top, bottom, left, right;
    long read = 0;
};

}
