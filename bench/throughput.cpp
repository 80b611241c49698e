// Throughput of the interpreter and display on each stream, through the real
// output cycle: 4 KiB of the child's output per cycle, as a busy
// pseudo-terminal hands it over. Linked once with the stand-in (the whole
// pipeline, drawing with FreeType) and once with the null platform.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <clocale>

#include "bench/streams.h"
#include "config/config.h"
#include "terminal/display.h"
#include "tests/support/fake_messenger.h"

namespace {

constexpr std::size_t chunk = 4096;
// The shipped keyboard's height on the default 600x800 screen.
constexpr int keyboard_height = 242;

void feed(benchmark::State& state, std::string const& bytes)
{
    std::setlocale(LC_CTYPE, "en_US.utf8");
    fake::reset();
    Messenger messenger(0, nullptr);
    Config const config("/nonexistent");
    Display display(messenger, config, keyboard_height);
    for (auto _ : state) {
        for (std::size_t at = 0; at < bytes.size(); at += chunk) {
            fake::log().text.append(bytes, at, std::min(chunk, bytes.size() - at));
            display.check();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["columns"] = display.column_count();
    state.counters["rows"] = display.row_count();
}

int const registered = [] {
    for (bench::Stream const& stream : bench::streams())
        benchmark::RegisterBenchmark(("throughput/" + stream.name).c_str(), feed, stream.bytes)
            ->Unit(benchmark::kMillisecond);
    return 0;
}();

}
