// The file a fuzz target hands its input to, for code that reads a path: one
// per process, rewritten for every input and removed when the process ends.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

struct Input_File {
    std::string const path;

    explicit Input_File(char const* suffix)
        : path("/tmp/tarn-fuzz-" + std::to_string(getpid()) + suffix) {}
    ~Input_File() { std::remove(path.c_str()); }

    bool write(std::uint8_t const* data, std::size_t size) const
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            return false;
        bool const written = std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && written;
    }
};
