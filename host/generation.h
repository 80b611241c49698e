// Which generation of the reader's platform library this stand-in is. The
// three differ in their records (platform/platform_library.h tells how), in
// the optional calls they export and in their event numbers; each is built
// as a libinkview.so of its own from the same sources, with only
// generation_calls.cpp compiled for it (host/CMakeLists.txt).
#pragma once

namespace host::detail {

struct Generation {
    int number;  // 1, 2 or 3
    // EVT_POINTERCANCEL (45) exists: the system can take a touch over.
    bool cancel_event;
    // The touch reports the program ignores, sent after each pointer event:
    // the first of three (up, down, move): 40, or 47 on generation 3.
    int first_touch_report;
    // Generation 3 sends 40 to 42 after each key press, release and repeat.
    bool key_reports;
    // EVT_MTSYNC's first parameter names the container of the touch records
    // (GetTouchInfoI); generation 1 sends 0.
    bool touch_containers;
};

Generation const& generation();

}
