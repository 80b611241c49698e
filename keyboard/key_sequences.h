// The byte sequences sent to the editor for its cursor, paging and line keys,
// one set for the touch gestures and the on-screen keys alike, so that the
// editor profile needs to know each key only once.
#pragma once

#include <string>

namespace key_sequence {
inline std::string const up{"\x1b[OA"};
inline std::string const down{"\x1b[OB"};
inline std::string const right{"\x1b[OC"};
inline std::string const left{"\x1b[OD"};
inline std::string const page_up{"\x1b[5~"};
inline std::string const page_down{"\x1b[6~"};
inline std::string const home{"\x1b[1~"};
inline std::string const end{"\x1b[4~"};
}
