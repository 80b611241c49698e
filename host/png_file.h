// Writing an 8-bit grey image as a PNG file.
#pragma once

#include <string>

namespace host::detail {

// False when the file cannot be written.
bool write_grey_png(std::string const& path, unsigned char const* pixels, int width, int height);

}
