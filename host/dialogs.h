// The platform's dialogs as the stand-in keeps them: the open menu, the open
// orientation chooser and the touch points, plus the two optional calls the
// program looks up at run time.
#pragma once

#include "platform/inkview.h"

extern "C" {
irect GetMenuRect(imenu* menu);
iv_mtinfo* GetTouchInfo(void);
}

namespace host::detail {

void clear_dialogs();

// Closes the orientation chooser without an answer, as a tap beside it does.
void dismiss_rotate_box();

}
