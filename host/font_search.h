// Finding a font file by name: NAME.ttf in the folders added by tests, then
// those of TARN_HOST_FONTS, then the system's.
#pragma once

#include <optional>
#include <string>

namespace host::detail {

std::optional<std::string> find_font_file(std::string const& name);

}
