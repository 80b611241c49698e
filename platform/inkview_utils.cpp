// Rect forms of the InkView drawing calls.
#include "platform/inkview_utils.h"

#include "platform/inkview.h"

namespace Inkview_Utils {

void DrawRectR(Rect const& r, int colour) { DrawRect(r.x, r.y, r.width, r.height, colour); }

void PartialUpdateR(Rect const& r) { PartialUpdate(r.x, r.y, r.width, r.height); }

void InvertAreaR(Rect const& r) { InvertArea(r.x, r.y, r.width, r.height); }

void FillAreaR(Rect const& r, int colour) { FillArea(r.x, r.y, r.width, r.height, colour); }

}
