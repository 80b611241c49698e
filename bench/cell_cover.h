// The least refresh that shows a set of changed grid cells: the area of one
// rectangle (their bounding box), and the least sum of the areas of two
// rectangles that together cover them, which a display refreshing two
// partial updates per cycle would need.
#pragma once

#include <vector>

namespace bench {

// Cells of a grid, row-major: true where the cell must be refreshed.
struct Cell_Set {
    int columns = 0;
    int rows = 0;
    std::vector<bool> cells;
};

// In cells; 0 when no cell is set.
long one_rectangle_cells(Cell_Set const& set);
long two_rectangles_cells(Cell_Set const& set);

}
