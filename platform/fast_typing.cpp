// Fast typing: each refresh that answers typing goes out in black and white
// and re-arms the pause; when the pause passes with none, the union of them
// gets one grey partial update, which brings the anti-aliased edges back.
#include "platform/fast_typing.h"

#include <iostream>

#include "platform/callback_guard.h"
#include "platform/inkview.h"
#include "platform/inkview_utils.h"

Fast_Typing* Fast_Typing::s_handling_fast_typing = nullptr;

Fast_Typing::Fast_Typing(Platform_Library& l, bool wanted, int pause) : library(l), pause_ms(pause)
{
    s_handling_fast_typing = this;
    fast = wanted && offered();
    if (wanted && !fast)
        std::cerr << "The platform has no monochrome update: fast typing is off" << std::endl;
}

Fast_Typing::~Fast_Typing()
{
    ClearTimer(static_pause_handler);
    if (s_handling_fast_typing == this)
        s_handling_fast_typing = nullptr;
}

void Fast_Typing::set_on(bool on)
{
    if (on && !offered())
        return;
    if (!on) {
        ClearTimer(static_pause_handler);
        restore();
    }
    fast = on;
}

void Fast_Typing::refresh(Rect const& area, bool anti_aliased)
{
    if (!fast) {
        Inkview_Utils::PartialUpdateR(area);
        return;
    }
    library.monochrome_update(area);
    if (!anti_aliased)
        return;
    traced += area;
    SetWeakTimer("tarn_pause", static_pause_handler, pause_ms);
}

void Fast_Typing::forget()
{
    ClearTimer(static_pause_handler);
    traced = Rect{};
}

void Fast_Typing::screen_turned()
{
    if (!traced.empty())
        traced = Rect{0, 0, ScreenWidth(), ScreenHeight()};
}

void Fast_Typing::restore()
{
    if (!traced.empty())
        Inkview_Utils::PartialUpdateR(traced);
    traced = Rect{};
}

void Fast_Typing::static_pause_handler()
{
    callback_guard::run([] {
        if (s_handling_fast_typing)
            s_handling_fast_typing->restore();
    });
}
