// Reading the stand-in's environment variables; a malformed screen size is an
// error rather than a silent default, so a run never uses the wrong geometry.
#include "host/environment.h"

#include <cerrno>
#include <algorithm>
#include <cstdlib>

namespace host::detail {

namespace {

std::string variable(char const* name)
{
    char const* value = std::getenv(name);
    return value ? value : "";
}

bool parse_side(std::string const& text, int& side)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 5)
        return false;
    side = std::atoi(text.c_str());
    return side >= 1 && side <= 16384;
}

}

std::string events_script() { return variable("TARN_HOST_EVENTS"); }

std::string snapshot_folder()
{
    std::string const folder = variable("TARN_HOST_OUT");
    return folder.empty() ? "." : folder;
}

std::optional<std::pair<int, int>> screen_size()
{
    std::string const text = variable("TARN_HOST_SCREEN");
    if (text.empty())
        return std::nullopt;
    return parse_screen_size(text);
}

std::vector<std::string> font_folders() { return split_folder_list(variable("TARN_HOST_FONTS")); }

bool display_named() { return !variable("DISPLAY").empty() || !variable("WAYLAND_DISPLAY").empty(); }

bool flash_wanted() { return variable("TARN_HOST_FLASH") != "0"; }

std::pair<int, int> parse_screen_size(std::string const& text)
{
    auto const cross = text.find('x');
    int width = 0, height = 0;
    if (cross == std::string::npos || !parse_side(text.substr(0, cross), width) ||
        !parse_side(text.substr(cross + 1), height))
        throw Environment_Error("TARN_HOST_SCREEN: expected WIDTHxHEIGHT with sides 1 to 16384, got '" + text + "'");
    return {width, height};
}

std::vector<std::string> split_folder_list(std::string const& text)
{
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t const colon = std::min(text.find(':', start), text.size());
        if (colon > start)
            folders.push_back(text.substr(start, colon - start));
        start = colon + 1;
    }
    return folders;
}

}
