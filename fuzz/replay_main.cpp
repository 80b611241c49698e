// Without libFuzzer: runs the fuzz target over every file of the seed corpus,
// then over seeded random mutations of them, so that the corpus and a stress
// run stay part of the test suite.
#include <dirent.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size);

namespace {

constexpr int mutations_per_seed = 40;
constexpr unsigned stress_seed = 7340;

std::vector<std::string> read_corpus(std::string const& dir)
{
    std::vector<std::string> inputs;
    if (DIR* folder = opendir(dir.c_str())) {
        while (dirent* entry = readdir(folder)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream file(dir + "/" + entry->d_name, std::ios::binary);
            std::ostringstream bytes;
            bytes << file.rdbuf();
            inputs.push_back(bytes.str());
        }
        closedir(folder);
    }
    return inputs;
}

// Flips, inserts, deletes and duplicates bytes, as a fuzzer would.
std::string mutated(std::string input, std::mt19937& random)
{
    int const edits = std::uniform_int_distribution<int>(1, 16)(random);
    for (int i = 0; i < edits; ++i) {
        std::size_t const at = input.empty() ? 0 : random() % input.size();
        switch (random() % 4) {
        case 0:
            if (!input.empty())
                input[at] = char(random());
            break;
        case 1:
            input.insert(at, 1, char(random()));
            break;
        case 2:
            if (!input.empty())
                input.erase(at, 1 + random() % 8);
            break;
        default:
            input.insert(at, input.substr(at, random() % 64));
        }
    }
    return input;
}

void run(std::string const& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<std::uint8_t const*>(input.data()), input.size());
}

}

int main(int argc, char** argv)
{
    std::mt19937 random(stress_seed);
    std::size_t runs = 0;
    for (int i = 1; i < argc; ++i) {
        for (std::string const& seed : read_corpus(argv[i])) {
            run(seed);
            for (int m = 0; m < mutations_per_seed; ++m)
                run(mutated(seed, random));
            runs += 1 + mutations_per_seed;
        }
    }
    std::printf("%zu inputs ran\n", runs);
    return runs > 0 ? 0 : 1;
}
