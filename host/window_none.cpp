// A stand-in built without its window (for another processor, where only
// event scripts drive it): with a display named, say why none opens.
#include <iostream>

#include "host/environment.h"
#include "host/window.h"

namespace host::detail {

std::unique_ptr<Event_Source> open_window()
{
    if (display_named())
        std::cerr << "libinkview: no window in this build; running without input (set TARN_HOST_EVENTS)"
                  << std::endl;
    return nullptr;
}

}
