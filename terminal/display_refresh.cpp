// How an output cycle makes its painting visible: a refresh of what it
// painted as an answer to typing (a partial update, or a monochrome one in
// fast typing mode), or a full update of the whole panel, which clears the
// traces partial updates leave on e-ink: every full_refresh_every refreshing
// cycles, and after a cycle that turned the whole screen into a new picture.
// The whole screen in reverse (DECSCNM) is painted here.
#include "app/messenger.h"
#include "platform/inkview_utils.h"
#include "terminal/display.h"

void Display::refresh(Rect const& area)
{
    bool const periodic = full_refresh_every > 0 && ++cycles_since_full_refresh >= full_refresh_every;
    if (periodic || full_refresh_due) {
        cycles_since_full_refresh = 0;
        full_refresh_due = false;
        messenger.FullUpdate();
        return;
    }
    messenger.send(message::Typing_Refresh{area});
}

int Display::paper() const { return reversed ? BLACK : WHITE; }

// Every row is painted again at the cycle's end; the margins take the new
// paper at once.
void Display::set_screen_reversed(bool on)
{
    if (on == reversed)
        return;
    reversed = on;
    Inkview_Utils::FillAreaR(text_area(), paper());
    repaint_whole(0, rows - 1);
    full_refresh_due = true;
}
