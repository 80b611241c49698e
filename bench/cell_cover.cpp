// Two rectangles: A tried at every position and size, the other the box of
// the cells outside A. Those lie in the columns beside A or the rows above or
// below it, so their box joins four boxes from prefix and suffix tables: each
// A costs constant time, and the search is exact.
#include "bench/cell_cover.h"

#include <algorithm>

#include "platform/rect.h"

namespace bench {

namespace {

bool set_at(Cell_Set const& set, int column, int row)
{
    return set.cells[static_cast<std::size_t>(row) * set.columns + column];
}

long area(Rect const& r) { return long(r.width) * r.height; }

// boxes[i]: the box of the cells in columns [0, i) (or [i, end) for a
// suffix), rows alike; each table has one entry more than lines.
struct Boxes {
    std::vector<Rect> before_column, from_column, before_row, from_row;
};

Boxes boxes_of(Cell_Set const& set)
{
    Boxes b{std::vector<Rect>(set.columns + 1), std::vector<Rect>(set.columns + 1), std::vector<Rect>(set.rows + 1),
            std::vector<Rect>(set.rows + 1)};
    std::vector<Rect> column_box(set.columns), row_box(set.rows);
    for (int r = 0; r < set.rows; ++r)
        for (int c = 0; c < set.columns; ++c)
            if (set_at(set, c, r)) {
                column_box[c] += Rect{c, r, 1, 1};
                row_box[r] += Rect{c, r, 1, 1};
            }
    for (int c = 0; c < set.columns; ++c)
        (b.before_column[c + 1] = b.before_column[c]) += column_box[c];
    for (int c = set.columns - 1; c >= 0; --c)
        (b.from_column[c] = b.from_column[c + 1]) += column_box[c];
    for (int r = 0; r < set.rows; ++r)
        (b.before_row[r + 1] = b.before_row[r]) += row_box[r];
    for (int r = set.rows - 1; r >= 0; --r)
        (b.from_row[r] = b.from_row[r + 1]) += row_box[r];
    return b;
}

}

long one_rectangle_cells(Cell_Set const& set) { return area(boxes_of(set).from_column[0]); }

long two_rectangles_cells(Cell_Set const& set)
{
    Boxes const b = boxes_of(set);
    long best = area(b.from_column[0]);
    for (int left = 0; left < set.columns; ++left)
        for (int right = left + 1; right <= set.columns; ++right)
            for (int top = 0; top < set.rows; ++top)
                for (int bottom = top + 1; bottom <= set.rows; ++bottom) {
                    long const a = long(right - left) * (bottom - top);
                    if (a >= best)
                        break;  // taller only grows A
                    Rect outside = b.before_column[left];
                    outside += b.from_column[right];
                    outside += b.before_row[top];
                    outside += b.from_row[bottom];
                    best = std::min(best, a + area(outside));
                }
    return best;
}

}
