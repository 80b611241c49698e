// The text layer: what DrawString and DrawTextRect put on the screen and is
// still there, so that tests and scripts can read the screen as text; beside
// it the frames DrawRect drew, which are the keys of the on-screen keyboard.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/host.h"

namespace host::detail {

// Records an entry; one already at the same origin (area.x, area.y) goes,
// except that a string of combining marks alone joins a string there.
void record_text(Text_Entry entry);

// Records a frame (DrawRect's rectangle); one already at the same origin goes.
void record_frame(Rect const& frame);

// White paint over an entry's or a frame's origin removes it.
void forget_text_under(Rect const& area);
void forget_all_text();

// The frames still on the screen, sorted by y, then x.
std::vector<Rect> frames();

// Whether DrawTextRect text still on the screen has its rectangle's origin here.
bool text_rect_at(int x, int y);

// The rectangle where DrawTextRect most recently drew exactly text, while that
// text is still on the screen.
std::optional<Rect> last_text_rect(std::string const& text);

}
