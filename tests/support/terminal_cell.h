// The terminal's cell in pixels at a font size, measured with the stand-in's
// fonts as the display measures it, for tests that read the grid back from a
// snapshot of the whole program.
#pragma once

struct Terminal_Cell {
    int width = 0, height = 0;
};

Terminal_Cell terminal_cell(int font_size);
