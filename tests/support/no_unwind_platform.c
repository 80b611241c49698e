/* A platform library built without unwind tables, as the reader's may be: an
 * exception thrown into it cannot unwind through InkViewMain and aborts the
 * program, so the program must catch every failure before returning here. It
 * starts the program and ends it; every other call is the stub's and does
 * nothing (OpenFont opens no font, so start-up fails). */
#include "platform/inkview.h"

static int closed;

void CloseApp(void) { closed = 1; }

void InkViewMain(iv_handler handler)
{
    handler(EVT_INIT, 0, 0);
    if (!closed)
        handler(EVT_SHOW, 0, 0);
    handler(EVT_EXIT, 0, 0);
}
