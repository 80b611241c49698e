// Helpers for the stand-in's tests: counting pixels of the screen buffer and
// a temporary folder that removes itself.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/host.h"
#include "tests/support/read_file.h"

namespace host_test {

// Pixels of the buffer inside area (clipped to the screen) that equal grey.
inline long count_grey(Rect const& area, unsigned char grey)
{
    long count = 0;
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.height, host::height()); ++y)
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.width, host::width()); ++x)
            count += host::buffer_pixel(x, y) == grey;
    return count;
}

inline long count_grey(unsigned char grey) { return count_grey({0, 0, host::width(), host::height()}, grey); }

inline long count_not_white(Rect const& area)
{
    return long(area.width) * area.height - count_grey(area, 255);
}

class Temp_Dir {
public:
    Temp_Dir()
    {
        char name[] = "/tmp/tarn-host-XXXXXX";
        path = mkdtemp(name);
    }
    ~Temp_Dir() { std::filesystem::remove_all(path); }
    std::string file(std::string const& name) const { return path + "/" + name; }
    std::string write(std::string const& name, std::string const& text) const
    {
        std::ofstream(file(name)) << text;
        return file(name);
    }
    std::string path;
};

}
