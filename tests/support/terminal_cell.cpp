// The cell: the normal font's advance, and the tallest of the four fonts.
#include "tests/support/terminal_cell.h"

#include <algorithm>
#include <map>

#include "platform/inkview.h"

Terminal_Cell terminal_cell(int font_size)
{
    static std::map<int, Terminal_Cell> known;
    if (auto const found = known.find(font_size); found != known.end())
        return found->second;
    Terminal_Cell cell;
    for (char const* name :
         {"DejaVuSansMono", "DejaVuSansMono-Bold", "DejaVuSansMono-Oblique", "DejaVuSansMono-BoldOblique"}) {
        ifont* font = OpenFont(name, font_size, 1);
        if (!font)
            continue;
        if (cell.width == 0) {
            SetFont(font, 0);
            cell.width = StringWidth("a");
        }
        cell.height = std::max(cell.height, font->height);
        CloseFont(font);
    }
    return known[font_size] = cell;
}
