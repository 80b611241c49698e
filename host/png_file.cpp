// PNG output through libpng's simplified interface, which reports failure by
// its result instead of a long jump.
#include "host/png_file.h"

#include <png.h>

#include <cstring>

namespace host::detail {

bool write_grey_png(std::string const& path, unsigned char const* pixels, int width, int height)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_GRAY;
    bool const written = png_image_write_to_file(&image, path.c_str(), 0, pixels, width, nullptr) != 0;
    png_image_free(&image);
    return written;
}

}
