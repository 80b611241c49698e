// Throughput of the interpreter and display on each stream, through the real
// output cycle. Linked once with the stand-in (the whole pipeline, drawing
// with FreeType) and once with the null platform.
#include <benchmark/benchmark.h>

#include "bench/our_terminal.h"
#include "bench/streams.h"

namespace {

void feed(benchmark::State& state, std::string const& bytes)
{
    bench::Our_Terminal terminal;
    for (auto _ : state)
        terminal.feed(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["columns"] = terminal.display().column_count();
    state.counters["rows"] = terminal.display().row_count();
}

int const registered = [] {
    for (bench::Stream const& stream : bench::streams())
        benchmark::RegisterBenchmark(("throughput/" + stream.name).c_str(), feed, stream.bytes)
            ->Unit(benchmark::kMillisecond);
    return 0;
}();

}
