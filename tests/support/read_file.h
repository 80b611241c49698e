// The whole contents of a file for tests; empty when it cannot be read, which
// the test's own expectations then report.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
