// The cursor keys and Enter as the terminal's modes make them.
#include "keyboard/key_sequences.h"

namespace key_sequence {

namespace {

bool is_cursor_key(std::string const& text) { return text == up || text == down || text == right || text == left; }

}

bool depends_on_modes(std::string const& text) { return is_cursor_key(text) || text == enter; }

std::string with_modes(std::string const& text, Terminal_Modes const& modes)
{
    if (modes.cursor_keys_application && is_cursor_key(text))
        return std::string{'\x1b', 'O', text.back()};
    if (modes.new_line && text == enter)
        return "\r\n";
    return text;
}

}
