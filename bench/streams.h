// The byte streams the throughput benchmarks feed the terminal: recorded vim
// sessions and generated output (plain text, UTF-8-heavy text, attributes
// changed at every character, random cursor moves, lines inserted and deleted
// in a scroll region), each as the child would write it.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Stream {
    std::string name;
    std::string bytes;
};

struct Grid {
    int columns;
    int rows;
};

// The child's output is handed to the terminal this much per cycle, as a busy
// pseudo-terminal hands it over.
constexpr std::size_t cycle_bytes = 4096;

// What the program shows on the default 600x800 screen above the shipped
// keyboard; the grid of the recorded vim streams.
constexpr Grid default_grid{41, 18};

// The streams that depend on the grid (vim scrolling recorded at it, cursor
// moves and scroll regions within it) and the plain and UTF-8 text and
// attribute streams; the same bytes on every call. Throws when no recording
// exists for the grid.
std::vector<Stream> streams_at(Grid grid);

// Every stream at the default grid, the recorded vim editing session first.
std::vector<Stream> const& streams();

}
