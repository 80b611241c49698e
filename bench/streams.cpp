// Recorded streams come from files beside the benchmarks (vim at the grid of
// the benchmarks' display); generated ones from a fixed pseudo-random
// sequence, so that every run feeds the same bytes.
#include "bench/streams.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace bench {

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// A small linear congruential generator: the same words on every machine.
class Words {
public:
    explicit Words(std::vector<std::string> list) : list(std::move(list)) {}
    std::string const& next()
    {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return list[(state >> 33) % list.size()];
    }

private:
    std::vector<std::string> list;
    std::uint64_t state = 1;
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
    return lines_of(words, 256 << 10, 40, code_points_of);
}

// SGR bold, underline (shown italic) and reverse in turn, reset between.
std::string attribute_text()
{
    char const* const modes[] = {"\x1b[1m", "\x1b[4m", "\x1b[7m", "\x1b[m", "\x1b[1m\x1b[7m", "\x1b[0m"};
    std::string text;
    std::size_t column = 0;
    for (std::size_t i = 0; text.size() < (256 << 10); ++i) {
        text += modes[i % 6];
        text += static_cast<char>('a' + i % 26);
        if (++column == 40) {
            text += "\r\n";
            column = 0;
        }
    }
    return text;
}

}

std::vector<Stream> const& streams()
{
    static std::vector<Stream> const all = {
        {"vim_editing", read_file(TARN_SOURCE_DIR "/tests/terminal/data/vim_session.raw")},
        {"vim_scrolling", read_file(TARN_SOURCE_DIR "/bench/data/vim_scrolling.raw")},
        {"cat_1MiB", plain_text()},
        {"utf8_text", utf8_text()},
        {"attributes", attribute_text()},
    };
    return all;
}

}
