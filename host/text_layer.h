// The text layer: what DrawString and DrawTextRect put on the screen and is
// still there, so that tests and scripts can read the screen as text.
#pragma once

#include <optional>
#include <string>

#include "host/host.h"

namespace host::detail {

// Records an entry; one already at the same origin (area.x, area.y) goes.
void record_text(Text_Entry entry);

// White paint over an entry's origin removes it.
void forget_text_under(Rect const& area);
void forget_all_text();

// The rectangle where DrawTextRect most recently drew exactly text, while that
// text is still on the screen.
std::optional<Rect> last_text_rect(std::string const& text);

}
