// Our interpreter and display behind the recording Messenger, fed as the
// output cycle is fed: the child's output handed over 4 KiB per cycle, as a
// busy pseudo-terminal hands it over.
#pragma once

#include <string>

#include "app/messenger.h"
#include "bench/streams.h"
#include "config/config.h"
#include "terminal/display.h"

namespace bench {

// The shipped keyboard's height on the default 600x800 screen.
constexpr int keyboard_height = 242;

class Our_Terminal {
public:
    // On whatever screen the platform has now.
    Our_Terminal();
    void feed(std::string const& bytes);
    Display const& display() const { return screen; }

private:
    // The locale and the messenger's log, set before the display is built.
    bool const prepared;
    Messenger messenger;
    Config const config;
    Display screen;
};

}
