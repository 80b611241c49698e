// What a key drawn without a label shows inside its frame: nothing (the space
// bar), the stroked arrows of shift, enter and backspace, or the solid
// triangles of the cursor keys. Read from the screen buffer's pixels, so
// that scripts and the window can name such keys.
#pragma once

#include "platform/rect.h"

namespace host::detail {

enum class Key_Icon { blank, shift, enter, backspace, up, down, left, right };

// inside: the area within the frame's lines.
Key_Icon key_icon(Rect const& inside);

}
