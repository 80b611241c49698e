// How fast the terminal turns the child's output into pixels: a recorded vim
// session, and a screenful of scrolling text, through the real output cycle.
#include <benchmark/benchmark.h>

#include <clocale>
#include <fstream>
#include <sstream>
#include <string>

#include "config/config.h"
#include "host/host.h"
#include "terminal/display.h"
#include "tests/support/fake_messenger.h"

namespace {

std::string vim_session()
{
    std::ifstream file(TARN_SOURCE_DIR "/tests/terminal/data/vim_session.raw", std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string scrolling_text()
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + ": the quick brown fox jumps over the lazy dog\r\n";
    return text;
}

void feed(benchmark::State& state, std::string const& output)
{
    std::setlocale(LC_CTYPE, "en_US.utf8");
    host::reset();
    fake::reset();
    Messenger messenger(0, nullptr);
    Config const config("/nonexistent");
    Display display(messenger, config, 242);
    for (auto _ : state) {
        fake::log().text = output;
        display.check();
    }
    state.SetBytesProcessed(static_cast<long>(state.iterations() * output.size()));
}

void vim_session_output(benchmark::State& state) { feed(state, vim_session()); }
void scrolling_output(benchmark::State& state) { feed(state, scrolling_text()); }

}

BENCHMARK(vim_session_output)->Unit(benchmark::kMillisecond);
BENCHMARK(scrolling_output)->Unit(benchmark::kMillisecond);
