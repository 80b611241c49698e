// Parser for the stand-in's snapshot text files.
#include "tests/support/snapshot_text.h"

#include <clocale>
#include <cwchar>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string unescaped(std::string const& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            out += char(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The rest of the line after the stream's position, less the one separating blank.
std::string rest(std::istringstream& in)
{
    std::string text;
    std::getline(in, text);
    return unescaped(text.empty() ? text : text.substr(1));
}

// The cells a drawn cell's text takes on the grid: two for a wide character.
int cell_count(std::string const& text)
{
    static locale_t const utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    locale_t const previous = uselocale(utf8);
    wchar_t first = 0;
    std::mbstate_t state{};
    int const width = std::mbrtowc(&first, text.data(), text.size(), &state) > 0 ? wcwidth(first) : 1;
    uselocale(previous);
    return width == 2 ? 2 : 1;
}

}

Snapshot read_snapshot(std::string const& path)
{
    Snapshot snapshot;
    std::ifstream file(path);
    std::string line, word;
    if (!std::getline(file, line))
        return snapshot;
    std::istringstream header(line);
    header >> word >> snapshot.width >> snapshot.height >> word >> snapshot.orientation >> word >> snapshot.stale;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        Snapshot_Entry entry{};
        in >> word >> entry.x >> entry.y;
        if (word == "menu") {
            snapshot.menu_open = true;
            snapshot.menu_x = entry.x;
            snapshot.menu_y = entry.y;
            continue;
        }
        entry.rect = word == "rect";
        if (entry.rect)
            in >> entry.width >> entry.height;
        entry.text = rest(in);
        snapshot.entries.push_back(entry);
    }
    return snapshot;
}

std::vector<std::string> terminal_rows(Snapshot const& snapshot, int cell_width, int line_height, int keyboard_top)
{
    std::map<int, std::map<int, std::string>> cells;  // row, then column
    for (auto const& e : snapshot.entries)
        if (!e.rect && e.y >= 10 && e.y < keyboard_top)
            cells[(e.y - 10) / line_height][(e.x - 10) / cell_width] = e.text;
    std::vector<std::string> rows(cells.empty() ? 0 : static_cast<std::size_t>(cells.rbegin()->first + 1));
    for (auto const& [r, row] : cells) {
        std::string& text = rows[static_cast<std::size_t>(r)];
        int column = 0;
        for (auto const& [at, character] : row) {
            text.append(static_cast<std::size_t>(std::max(0, at - column)), ' ');
            text += character;
            column = at + cell_count(character);
        }
    }
    return rows;
}

bool has_key_label(Snapshot const& snapshot, std::string const& label)
{
    for (auto const& e : snapshot.entries)
        if (e.rect && e.text == label)
            return true;
    return false;
}
