// Fast_Typing: how the refreshes that answer typing (the output cycle's and
// the key highlight's) reach the panel: as partial updates, or in fast typing
// mode as the platform's quickest monochrome update, whose black-and-white
// traces one grey partial update of all it refreshed clears once typing pauses.
#pragma once

#include "platform/platform_library.h"
#include "platform/rect.h"

class Fast_Typing {
public:
    // Where the platform has no monochrome update the mode is not offered,
    // and a mode wanted by the setting is reported once, here.
    Fast_Typing(Platform_Library& library, bool wanted, int pause_ms);
    ~Fast_Typing();
    Fast_Typing(Fast_Typing const&) = delete;
    Fast_Typing& operator=(Fast_Typing const&) = delete;

    bool offered() const { return library.has_monochrome_update(); }
    bool on() const { return fast; }
    // Switched off, what was refreshed in black and white is restored at once.
    void set_on(bool on);
    // An area without anti-aliasing needs no grey update after its monochrome one.
    void refresh(Rect const& area, bool anti_aliased);
    // The whole panel was refreshed in grey: no trace is left.
    void forget();
    // The screen turned: the traces may lie anywhere on it now.
    void screen_turned();

    static Fast_Typing* s_handling_fast_typing;
    static void static_pause_handler();

private:
    void restore();

    Platform_Library& library;
    bool fast = false;
    int pause_ms;
    // The union of the monochrome updates since the last grey one.
    Rect traced;
};
