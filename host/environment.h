// The environment variables that steer the stand-in: TARN_HOST_EVENTS (the
// event script), TARN_HOST_OUT (snapshot folder), TARN_HOST_SCREEN (WxH),
// TARN_HOST_FONTS (colon-separated font folders), TARN_HOST_FLASH (0: the
// window shows full refreshes without the black flash), and DISPLAY or
// WAYLAND_DISPLAY, which say whether a window can be tried.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace host::detail {

struct Environment_Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Empty when unset.
std::string events_script();
// The current folder when unset.
std::string snapshot_folder();
// None when unset; Environment_Error when it is not WIDTHxHEIGHT.
std::optional<std::pair<int, int>> screen_size();
std::vector<std::string> font_folders();
bool display_named();
bool flash_wanted();

// The parsers behind them.
std::pair<int, int> parse_screen_size(std::string const& text);
std::vector<std::string> split_folder_list(std::string const& text);

}
