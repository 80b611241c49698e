// How an output cycle makes its painting visible: a partial update of what
// it painted, or, every full_refresh_every refreshing cycles, a full update of
// the whole panel that clears the traces partial updates leave on e-ink.
#include "app/messenger.h"
#include "platform/inkview_utils.h"
#include "terminal/display.h"

void Display::refresh(Rect const& area)
{
    if (full_refresh_every > 0 && ++cycles_since_full_refresh >= full_refresh_every) {
        cycles_since_full_refresh = 0;
        messenger.FullUpdate();
        return;
    }
    Inkview_Utils::PartialUpdateR(area);
}
