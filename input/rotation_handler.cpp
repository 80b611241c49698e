// Rotation_Handler: opens the orientation chooser and passes a chosen
// orientation on to the Messenger, which turns the whole screen.
#include "input/rotation_handler.h"

#include "app/messenger.h"
#include "platform/callback_guard.h"
#include "platform/inkview.h"

Rotation_Handler* Rotation_Handler::s_handling_rotation = nullptr;

Rotation_Handler::Rotation_Handler(Messenger& m) : messenger(m) { s_handling_rotation = this; }

Rotation_Handler::~Rotation_Handler()
{
    if (s_handling_rotation == this)
        s_handling_rotation = nullptr;
}

void Rotation_Handler::show() { OpenRotateBox(static_rotation_handler); }

void Rotation_Handler::static_rotation_handler(int orientation)
{
    callback_guard::run([orientation] {
        if (s_handling_rotation)
            s_handling_rotation->rotation_handler(orientation);
    });
}

// Only the platform's four orientations exist; anything else (a chooser closed
// without a choice) leaves the screen as it is.
void Rotation_Handler::rotation_handler(int orientation)
{
    if (orientation < 0 || orientation > 3)
        return;
    messenger.send(message::Set_Orientation{orientation});
}
