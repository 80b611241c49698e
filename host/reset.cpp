// host::reset: every part of the stand-in back to its fresh state at once.
#include "host/dialogs.h"
#include "host/fonts.h"
#include "host/host.h"
#include "host/main_loop.h"
#include "host/screen.h"
#include "host/text_layer.h"
#include "host/timers.h"

namespace host {

void reset(int width, int height)
{
    detail::reset_screen(width, height);
    detail::forget_all_text();
    detail::clear_timers();
    detail::clear_dialogs();
    detail::clear_selection();
    detail::clear_close_request();
}

}
