// Our throughput against libvterm's, taking turns on the same streams at
// 80x24 and at the default grid, ours on a null screen sized to the grid.
// Prints "GRID STREAM BYTES OURS_MB/S LIBVTERM_MB/S OURS/LIBVTERM" lines.
// Usage: against_libvterm [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/libvterm_terminal.h"
#include "bench/null_inkview.h"
#include "bench/our_terminal.h"
#include "bench/streams.h"

namespace {

using Clock = std::chrono::steady_clock;

// Each turn feeds the stream often enough to last about this long.
constexpr double turn_seconds = 0.05;

template <typename Terminal>
double seconds_feeding(Terminal& terminal, std::string const& bytes, int passes)
{
    Clock::time_point const start = Clock::now();
    for (int i = 0; i < passes; ++i)
        terminal.feed(bytes);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::size_t const middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string text_of(bench::Grid grid) { return std::to_string(grid.columns) + 'x' + std::to_string(grid.rows); }

// The null screen on which our display lays out exactly this grid: the cell
// and margin from a display on the default screen, the keyboard below.
std::unique_ptr<bench::Our_Terminal> ours_at(bench::Grid grid)
{
    null_platform::set_screen(600, 800);
    int width = 0, height = 0, margin = 0;
    {
        bench::Our_Terminal probe;
        Display const& shown = probe.display();
        // The recorded streams of the default grid would no longer fit it.
        if (shown.column_count() != bench::default_grid.columns || shown.row_count() != bench::default_grid.rows)
            throw std::runtime_error("the default screen now shows " +
                                     text_of({shown.column_count(), shown.row_count()}) + ", not " +
                                     text_of(bench::default_grid));
        shown.char_size(width, height);
        margin = shown.line(0).top();
    }
    null_platform::set_screen(2 * margin + grid.columns * width, bench::keyboard_height + margin + grid.rows * height);
    auto ours = std::make_unique<bench::Our_Terminal>();
    if (ours->display().column_count() != grid.columns || ours->display().row_count() != grid.rows)
        throw std::runtime_error("the null screen does not give the display the grid " + text_of(grid));
    return ours;
}

// After the same bytes both must show the same characters, or they did not
// do the same work. The second cell of a wide character is not compared.
void check_same_screen(bench::Our_Terminal const& ours, bench::Libvterm_Terminal const& theirs, bench::Grid grid,
                       std::string const& name)
{
    for (int row = 0; row < grid.rows; ++row)
        for (int column = 0; column < grid.columns; ++column) {
            Line const& line = ours.display().line(row);
            if (!line.is_continuation(column) && char32_t(line.character(column)) != theirs.character(row, column))
                throw std::runtime_error(name + " at " + text_of(grid) + ": ours and libvterm differ at row " +
                                         std::to_string(row + 1) + ", column " + std::to_string(column + 1));
        }
}

// Turns, rather than one side's run after the other's, so that load from
// elsewhere on the machine hits both alike; each side's figure is its median
// over the rounds, and the ratio the median of the rounds' own ratios.
void compare(bench::Grid grid, bench::Stream const& stream, int rounds)
{
    std::unique_ptr<bench::Our_Terminal> ours = ours_at(grid);
    bench::Libvterm_Terminal theirs(grid);
    double const megabytes = stream.bytes.size() / 1e6;
    // The first pass warms caches and tells how many passes fill a turn.
    int const our_passes = std::max(1, int(std::ceil(turn_seconds / seconds_feeding(*ours, stream.bytes, 1))));
    int const their_passes = std::max(1, int(std::ceil(turn_seconds / seconds_feeding(theirs, stream.bytes, 1))));
    check_same_screen(*ours, theirs, grid, stream.name);
    std::vector<double> our_rates, their_rates, ratios;
    for (int round = 0; round < rounds; ++round) {
        double our_seconds = 0, their_seconds = 0;
        // Who goes first alternates, so that neither always follows the other.
        if (round % 2 == 0) {
            our_seconds = seconds_feeding(*ours, stream.bytes, our_passes);
            their_seconds = seconds_feeding(theirs, stream.bytes, their_passes);
        } else {
            their_seconds = seconds_feeding(theirs, stream.bytes, their_passes);
            our_seconds = seconds_feeding(*ours, stream.bytes, our_passes);
        }
        our_rates.push_back(megabytes * our_passes / our_seconds);
        their_rates.push_back(megabytes * their_passes / their_seconds);
        ratios.push_back(our_rates.back() / their_rates.back());
    }
    if (theirs.cells_read() == 0)
        throw std::runtime_error("libvterm reported no damage on " + stream.name);
    std::printf("%s %s %zu %.1f %.1f %.2f\n", text_of(grid).c_str(), stream.name.c_str(), stream.bytes.size(),
                median(our_rates), median(their_rates), median(ratios));
    std::fflush(stdout);
}

}

int main(int argc, char** argv)
{
    int const rounds = argc > 1 ? std::atoi(argv[1]) : 21;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: against_libvterm [ROUNDS]\n");
        return 2;
    }
    try {
        for (bench::Grid const grid : {bench::Grid{80, 24}, bench::default_grid})
            for (bench::Stream const& stream : bench::streams_at(grid))
                compare(grid, stream, rounds);
    } catch (std::exception const& e) {
        std::fprintf(stderr, "against_libvterm: %s\n", e.what());
        return 1;
    }
    return 0;
}
