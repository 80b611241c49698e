// The byte sequences sent to the editor for its cursor, paging and line keys.
// The on-screen cursor keys send what a VT102's send in either cursor key
// mode; taps on the text send sequences of their own, which the editor
// profile maps.
#pragma once

#include <string>

#include "terminal/terminal_modes.h"

namespace key_sequence {
inline std::string const tap_up{"\x1b[OA"};
inline std::string const tap_down{"\x1b[OB"};
inline std::string const tap_right{"\x1b[OC"};
inline std::string const tap_left{"\x1b[OD"};
inline std::string const up{"\x1b[A"};
inline std::string const down{"\x1b[B"};
inline std::string const right{"\x1b[C"};
inline std::string const left{"\x1b[D"};
inline std::string const enter{"\r"};
inline std::string const page_up{"\x1b[5~"};
inline std::string const page_down{"\x1b[6~"};
inline std::string const home{"\x1b[1~"};
inline std::string const end{"\x1b[4~"};

// Whether what a key sends depends on the terminal's modes.
bool depends_on_modes(std::string const& text);
// What a key whose text is text sends with these modes: ESC O A to ESC O D
// for the cursor keys in application mode (DECCKM), CR LF for Enter in new
// line mode (LNM).
std::string with_modes(std::string const& text, Terminal_Modes const& modes);
}
