// Fuzz target: arbitrary child output, cut into arbitrary pieces, through the
// interpreter and the display. Nothing may crash or touch memory outside the
// grid, and after every output cycle the panel must show the buffer.
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/config.h"
#include "host/host.h"
#include "terminal/display.h"
#include "tests/support/fake_messenger.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static bool const ready = [] {
        std::setlocale(LC_CTYPE, "en_US.utf8");
        return true;
    }();
    (void)ready;
    if (size == 0)
        return 0;

    host::reset(320, 240);
    fake::reset();
    Messenger messenger(0, nullptr);
    Config const config("/nonexistent");
    Display display(messenger, config, 40);

    // The first byte sets how the output is cut, as reads from the child would.
    std::size_t const piece = 1 + data[0] % 64;
    std::string const output(reinterpret_cast<char const*>(data) + 1, size - 1);
    for (std::size_t at = 0; at < output.size(); at += piece) {
        fake::log().text += output.substr(at, piece);
        display.check();
        if (host::stale_pixels() != 0)
            std::abort();
    }
    return 0;
}
