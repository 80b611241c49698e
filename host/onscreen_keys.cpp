// Key words mapped to the labels or icons the program draws for them, and the
// search through the frames on the screen for an icon.
#include "host/onscreen_keys.h"

#include "host/key_icons.h"
#include "host/text_layer.h"

namespace host::detail {

namespace {

// Keys drawn with their word as the label.
char const* const label_words[] = {"Ctrl", "Esc", "Tab", "PgUp", "PgDn", "Home", "End"};

struct Icon_Word {
    char const* name;
    char const* alias;  // the keyboard file's word, where it differs
    Key_Icon icon;
};

Icon_Word const icon_words[] = {
    {"Enter", "ok", Key_Icon::enter}, {"Backspace", "bs", Key_Icon::backspace},
    {"Shift", nullptr, Key_Icon::shift}, {"Space", nullptr, Key_Icon::blank},
    {"Up", nullptr, Key_Icon::up},       {"Down", nullptr, Key_Icon::down},
    {"Left", nullptr, Key_Icon::left},   {"Right", nullptr, Key_Icon::right},
};

// ASCII letters only: key words are plain English.
bool same_word(std::string const& a, char const* b)
{
    if (!b)
        return false;
    auto const lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return i == a.size() && !b[i];
}

// A frame is drawn one pixel wider and taller than its key, sharing its
// right and bottom lines with the neighbours.
std::optional<Rect> find_icon(Key_Icon icon)
{
    for (Rect const& frame : frames()) {
        if (frame.width < 3 || frame.height < 3 || text_rect_at(frame.x, frame.y))
            continue;
        if (key_icon({frame.x + 1, frame.y + 1, frame.width - 2, frame.height - 2}) == icon)
            return Rect{frame.x, frame.y, frame.width - 1, frame.height - 1};
    }
    return std::nullopt;
}

}

std::optional<Rect> find_key(std::string const& name)
{
    for (char const* label : label_words)
        if (same_word(name, label))
            return last_text_rect(label);
    for (Icon_Word const& word : icon_words)
        if (same_word(name, word.name) || same_word(name, word.alias))
            return find_icon(word.icon);
    return last_text_rect(name);
}

std::string key_for_character(std::string const& character) { return character == " " ? "Space" : character; }

}
