// Snapshots: the panel and the buffer as PNG files and the text layer as
// lines that tools can read.
#pragma once

#include <string>

namespace host::detail {

// The .txt form: "screen W H orientation O stale N updates U", then one
// entry a line sorted by y then x, "text X Y TEXT" or "rect X Y W H TEXT".
// TEXT is the rest of the line; a backslash and the bytes below 0x20 and
// 0x7F are written as \xHH so that every entry stays on its line.
std::string text_layer_report();

}
