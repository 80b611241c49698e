// How fast a touch finds its key and a key press is highlighted and released,
// on the shipped keyboard file.
#include <benchmark/benchmark.h>

#include "config/config.h"
#include "host/host.h"
#include "keyboard/keyboard_handler.h"
#include "tests/support/fake_messenger.h"

namespace {

void key_taps(benchmark::State& state)
{
    host::reset();
    fake::reset();
    Messenger messenger(0, nullptr);
    Config config("/nonexistent");
    config.keyboard_file = TARN_SOURCE_DIR "/data/tarn.kbd";
    Keyboard_Handler keyboard(messenger, config);
    int const top = host::height() - keyboard.keyboard_height();
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % host::width();
        keyboard.press(x, top + (x * 7) % keyboard.keyboard_height());
        keyboard.release();
        fake::log().texts.clear();
    }
}

}

BENCHMARK(key_taps);
