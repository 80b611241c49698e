// Reading the keyboard definition file: markers, names and row lines paired
// into keyboards of two layouts each, with every fault reported by a message
// naming the file; and the built-in "English" keyboard for an empty path.
#include "keyboard/keyboard_handler.h"

#include <algorithm>
#include <fstream>

#include "app/tarn_exception.h"
#include "config/utils.h"

namespace {

std::vector<std::string> const english_normal = {
    "1 2 3 4 5 6 7 8 9 0 bs",
    "q w e r t y u i o p esc",
    "a s d f g h j k l ; '",
    "z x c v b n m . , - +",
    "ctrl shift [ ] space:2 : / * ok:2",
};

std::vector<std::string> const english_shifted = {
    "! @ # $ % ^ & ? ( ) bs",
    "Q W E R T Y U I O P esc",
    "A S D F G H J K L : \"",
    "Z X C V B N M < > _ =",
    "ctrl shift { } space:2 | \\ ` ok:2",
};

bool starts_with(std::string const& line, char const* prefix) { return line.compare(0, 2, prefix) == 0; }

}

void Keyboard_Handler::default_rows()
{
    names.push_back("English");
    layouts.emplace_back(english_normal);
    layouts.emplace_back(english_shifted);
    max_units = std::max(layouts[0].units, layouts[1].units);
}

Keyboard_Handler::Line_Kind Keyboard_Handler::getline(std::istream& input, std::string& line)
{
    while (std::getline(input, line)) {
        Utils::trim(line);
        if (line.empty())
            continue;
        // One character is always data, so "#", "=" and "-" can be keys.
        if (line.size() == 1)
            return data_line;
        if (starts_with(line, "##"))
            continue;
        if (starts_with(line, "=="))
            return keyboard_marker;
        if (starts_with(line, "--"))
            return layout_marker;
        return data_line;
    }
    return end_of_input;
}

void Keyboard_Handler::read_kbd_file(std::string const& path)
{
    if (path.empty()) {
        default_rows();
        return;
    }
    std::ifstream input(path, std::ios::binary);
    // A folder opens but cannot be read: the first look fails, and calling
    // it empty would hide why.
    input.peek();
    if (!input)
        throw Tarn_Exception("Can't open keyboard definition file '" + path + "'");
    if (input.peek() == 0xEF) {
        char mark[3];
        if (!input.read(mark, sizeof mark) || std::string(mark, sizeof mark) != "\xEF\xBB\xBF")
            throw Tarn_Exception("Keyboard definition file '" + path + "' starts with unexpected data");
    }

    std::vector<std::string> pending_rows;
    bool expect_name = false;
    // Key tokens are checked here, as each layout is closed.
    auto close_layout = [&] {
        if (!pending_rows.empty()) {
            layouts.emplace_back(pending_rows);
            pending_rows.clear();
        }
    };
    std::string line;
    for (;;) {
        switch (getline(input, line)) {
        case data_line:
            if (expect_name) {
                names.push_back(line);
                expect_name = false;
            } else {
                pending_rows.push_back(line);
            }
            break;
        case layout_marker:
            close_layout();
            break;
        case keyboard_marker:
            close_layout();
            if (layouts.empty() && !names.empty())
                throw Tarn_Exception("Keyboard with without layouts in '" + path + "'");
            if (layouts.size() % 2 != 0)
                throw Tarn_Exception("Keyboard with uneven number of layouts in '" + path + "'");
            expect_name = true;
            break;
        case end_of_input:
            close_layout();
            check_layouts(path);
            return;
        }
    }
}

void Keyboard_Handler::check_layouts(std::string const& path)
{
    if (layouts.empty())
        throw Tarn_Exception("No keyboards found in '" + path + "'");
    if (layouts.size() != 2 * names.size())
        throw Tarn_Exception("Number of keyboard names and layouts doesn't fit in '" + path + "'");
    for (Keyboard const& layout : layouts) {
        if (layout.rows.size() != layouts[0].rows.size())
            throw Tarn_Exception("Number of rows of layouts differ in '" + path + "'");
        // Widths divide the screen and order the key search: none may run backwards.
        if (layout.has_negative_width())
            throw Tarn_Exception("Keyboard definition file '" + path + "' has a key of negative width");
        max_units = std::max(max_units, layout.units);
    }
    if (max_units == 0)
        throw Tarn_Exception("Keyboard definition file '" + path + "' has no key of positive width");
}
