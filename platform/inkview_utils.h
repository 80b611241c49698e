// The four InkView drawing calls that take a Rect instead of four integers.
#pragma once

#include "platform/rect.h"

namespace Inkview_Utils {
void DrawRectR(Rect const& rect, int colour);
void PartialUpdateR(Rect const& rect);
void InvertAreaR(Rect const& rect);
void FillAreaR(Rect const& rect, int colour);
}
