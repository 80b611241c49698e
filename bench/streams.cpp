// Recorded streams come from files beside the benchmarks (vim at a grid's
// size); generated ones from a fixed pseudo-random sequence, so that every
// run feeds the same bytes.
#include "bench/streams.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace bench {

namespace {

constexpr std::size_t generated_size = 256 << 10;

std::string read_file(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// A small linear congruential generator: the same numbers on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed = 1) : state(seed) {}
    // In [0, bound).
    int below(int bound)
    {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(bound));
    }

private:
    std::uint64_t state;
};

class Words {
public:
    explicit Words(std::vector<std::string> list) : list(std::move(list)) {}
    std::string const& next() { return list[static_cast<std::size_t>(random.below(static_cast<int>(list.size())))]; }

private:
    std::vector<std::string> list;
    Random random;
};

// Lines of words up to width characters, each ended by CR LF as the
// pseudo-terminal's output processing turns a newline, until size bytes.
std::string lines_of(Words& words, std::size_t size, std::size_t width, std::size_t (*length)(std::string const&))
{
    std::string text;
    std::size_t column = 0;
    while (text.size() < size) {
        std::string const& word = words.next();
        if (column + length(word) + 1 > width) {
            text += "\r\n";
            column = 0;
        }
        text += word;
        text += ' ';
        column += length(word) + 1;
    }
    return text + "\r\n";
}

std::size_t bytes_of(std::string const& s) { return s.size(); }

std::size_t code_points_of(std::string const& s)
{
    std::size_t count = 0;
    for (unsigned char c : s)
        count += (c & 0xC0) != 0x80;
    return count;
}

std::string plain_text()
{
    Words words({"the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "int", "return", "(void)",
                 "{", "}", "const", "std::string", "0x1F,", "while", "--", "#include", "terminal"});
    return lines_of(words, 1 << 20, 72, bytes_of);
}

std::string utf8_text()
{
    Words words({"съешь", "же", "ещё", "этих", "мягких", "французских", "булок", "γαζέες", "καὶ", "μυρτιὲς",
                 "café", "naïve", "déjà", "–", "→", "✓", "€", "ünïcödé", "日本語", "½"});
    return lines_of(words, generated_size, 40, code_points_of);
}

// SGR bold, underline (shown italic) and reverse in turn, reset between.
std::string attribute_text()
{
    char const* const modes[] = {"\x1b[1m", "\x1b[4m", "\x1b[7m", "\x1b[m", "\x1b[1m\x1b[7m", "\x1b[0m"};
    std::string text;
    std::size_t column = 0;
    for (std::size_t i = 0; text.size() < generated_size; ++i) {
        text += modes[i % 6];
        text += static_cast<char>('a' + i % 26);
        if (++column == 40) {
            text += "\r\n";
            column = 0;
        }
    }
    return text;
}

std::string cursor_to(int row, int column)
{
    return "\x1b[" + std::to_string(row + 1) + ';' + std::to_string(column + 1) + 'H';
}

// CUP anywhere on the grid, then a word that fits on the row, as a
// full-screen program repaints scattered fields.
std::string random_cursor_moves(Grid grid)
{
    Words words({"x", "if", "int", "else", "value", "return", "buffer", "{", "}", "count;"});
    Random random(2);  // apart from the words' sequence
    std::string text = "\x1b[H\x1b[2J";
    while (text.size() < generated_size) {
        std::string const& word = words.next();
        int const last_start = std::max(grid.columns - static_cast<int>(word.size()), 0);
        text += cursor_to(random.below(grid.rows), random.below(last_start + 1));
        text += word;
    }
    return text;
}

// A scroll region (DECSTBM) leaving a title row and two status rows outside,
// one to three lines inserted or deleted at random rows in it, each followed
// by a line of text, as an editor scrolls a window. One line per sequence
// (IL 1, DL 1), as vim sends them under TERM=vt102, whose entry has no count.
std::string region_lines(Grid grid)
{
    Words words({"static", "int", "const", "void", "return", "while", "buffer", "count", "value", "index;"});
    Random random(2);  // apart from the words' sequence
    int const top = 1;
    int const bottom = std::max(grid.rows - 3, top + 1);
    std::string text = "\x1b[H\x1b[2J\x1b[" + std::to_string(top + 1) + ';' + std::to_string(bottom + 1) + 'r';
    while (text.size() < generated_size) {
        int const row = top + random.below(bottom - top + 1);
        int const count = 1 + random.below(3);
        char const* const edit = random.below(2) ? "\x1b[L" : "\x1b[M";
        text += cursor_to(row, 0);
        for (int i = 0; i < count; ++i)
            text += edit;
        std::string line;
        for (std::string word = words.next(); static_cast<int>(line.size() + word.size()) + 1 < grid.columns;
             word = words.next())
            line += word + ' ';
        text += line;
    }
    // The whole screen again, with both margins given as vim gives them.
    return text + "\x1b[1;" + std::to_string(grid.rows) + 'r';
}

}

std::vector<Stream> streams_at(Grid grid)
{
    std::string const size = std::to_string(grid.columns) + 'x' + std::to_string(grid.rows);
    return {
        {"vim_scrolling", read_file(TARN_SOURCE_DIR "/bench/data/vim_scrolling_" + size + ".raw")},
        {"cat_1MiB", plain_text()},
        {"utf8_text", utf8_text()},
        {"attributes", attribute_text()},
        {"random_cup", random_cursor_moves(grid)},
        {"region_il_dl", region_lines(grid)},
    };
}

std::vector<Stream> const& streams()
{
    static std::vector<Stream> const all = [] {
        std::vector<Stream> list = {{"vim_editing", read_file(TARN_SOURCE_DIR "/tests/terminal/data/vim_session.raw")}};
        for (Stream& stream : streams_at(default_grid))
            list.push_back(std::move(stream));
        return list;
    }();
    return all;
}

}
