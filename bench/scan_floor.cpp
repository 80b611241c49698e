// The floor under the throughput figures: the least any interpreter must do
// with each stream, finding every ESC and counting every UTF-8 character,
// without applying anything.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/streams.h"

namespace {

void scan(benchmark::State& state, std::string const& bytes)
{
    for (auto _ : state) {
        std::size_t escapes = 0;
        std::size_t characters = 0;
        char const* const end = bytes.data() + bytes.size();
        for (char const* p = bytes.data(); p < end; ++p) {
            escapes += *p == 0x1B;
            characters += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
        }
        benchmark::DoNotOptimize(escapes);
        benchmark::DoNotOptimize(characters);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

int const registered = [] {
    for (bench::Stream const& stream : bench::streams())
        benchmark::RegisterBenchmark(("floor/" + stream.name).c_str(), scan, stream.bytes)
            ->Unit(benchmark::kMillisecond);
    return 0;
}();

}
