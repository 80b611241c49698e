// Writing NAME.png (the panel: what the user sees), NAME.buffer.png and
// NAME.txt into a folder, which is made when missing.
#include "host/snapshot.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/host.h"
#include "host/png_file.h"

namespace host::detail {

namespace {

std::string escaped(std::string const& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '\\') {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            out += char(c);
        }
    }
    return out;
}

}

std::string text_layer_report()
{
    std::ostringstream out;
    out << "screen " << host::width() << ' ' << host::height() << " orientation " << GetOrientation() << " stale "
        << host::stale_pixels() << " updates " << host::updates().size() << '\n';
    if (host::menu_open())
        out << "menu " << host::open_menu().x << ' ' << host::open_menu().y << '\n';
    for (auto const& e : host::text_layer()) {
        if (e.kind == Text_Entry::string)
            out << "text " << e.area.x << ' ' << e.area.y;
        else
            out << "rect " << e.area.x << ' ' << e.area.y << ' ' << e.area.width << ' ' << e.area.height;
        out << ' ' << escaped(e.text) << '\n';
    }
    return out.str();
}

}

namespace host {

bool save_snapshot(std::string const& dir, std::string const& name)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(dir, error);
    std::string const base = (fs::path(dir) / name).string();
    if (!detail::write_grey_png(base + ".png", panel().data(), width(), height()) ||
        !detail::write_grey_png(base + ".buffer.png", buffer().data(), width(), height()))
        return false;
    std::ofstream text(base + ".txt", std::ios::binary);
    text << detail::text_layer_report();
    text.close();
    return bool(text);
}

}
