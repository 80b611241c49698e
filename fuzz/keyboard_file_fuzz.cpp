// Fuzz target: arbitrary keyboard definition files. A bad file may only be
// refused with a Tarn_Exception; a good one is laid out, drawn, and touched
// at points taken from the input without any failure.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/tarn_exception.h"
#include "config/config.h"
#include "host/host.h"
#include "keyboard/keyboard_handler.h"
#include "tests/support/fake_messenger.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static std::string const path = "/tmp/tarn-keyboard-fuzz-" + std::to_string(getpid()) + ".kbd";
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    host::reset();
    fake::reset();
    Messenger messenger(0, nullptr);
    Config config("/nonexistent");
    config.keyboard_file = path;
    try {
        Keyboard_Handler keyboard(messenger, config);
        for (std::size_t i = 0; i + 1 < size && i < 64; i += 2) {
            int const x = data[i] * host::width() / 255;
            int const y = host::height() - 1 - data[i + 1] * keyboard.keyboard_height() / 255;
            keyboard.press(x, y);
            keyboard.release();
        }
        keyboard.change_keyboard(1);
        SetOrientation(1);
        keyboard.screen_dimensions_changed();
    } catch (Tarn_Exception const&) {
    }
    return 0;
}
