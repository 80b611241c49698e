// The output cycle's fetch answered from the recording Messenger's buffer:
// each cycle finds the next 4 KiB there, and the display applies and paints it.
#include "bench/our_terminal.h"

#include <algorithm>
#include <clocale>

#include "tests/support/fake_messenger.h"

namespace bench {

namespace {

// The display decodes the child's output in the locale's character type.
bool prepare()
{
    std::setlocale(LC_CTYPE, "en_US.utf8");
    fake::reset();
    return true;
}

}

Our_Terminal::Our_Terminal()
    : prepared(prepare()), messenger(0, nullptr), config("/nonexistent"), screen(messenger, config, keyboard_height)
{
}

void Our_Terminal::feed(std::string const& bytes)
{
    // The recording Messenger logs every fetch: forgotten, so that long runs do not grow.
    fake::log().sent.clear();
    for (std::size_t at = 0; at < bytes.size(); at += cycle_bytes) {
        fake::log().text.append(bytes, at, std::min(cycle_bytes, bytes.size() - at));
        screen.check();
    }
}

}
