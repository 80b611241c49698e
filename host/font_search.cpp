// Font lookup by name. The explicit folders are searched flat, in order; the
// system's font tree last, the DejaVu folder first and then everything under it.
#include "host/font_search.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "host/environment.h"
#include "host/host.h"

namespace fs = std::filesystem;

namespace host::detail {

namespace {

std::vector<std::string>& added_folders()
{
    static auto* folders = new std::vector<std::string>;
    return *folders;
}

std::optional<std::string> in_folder(fs::path const& folder, std::string const& file)
{
    std::error_code error;
    fs::path const candidate = folder / file;
    if (fs::is_regular_file(candidate, error))
        return candidate.string();
    return std::nullopt;
}

std::optional<std::string> in_tree(fs::path const& root, std::string const& file)
{
    std::error_code error;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->path().filename() == file && it->is_regular_file(error))
            return it->path().string();
    }
    return std::nullopt;
}

}

std::optional<std::string> find_font_file(std::string const& name)
{
    // A name is a file name, never a path.
    if (name.empty() || name.find('/') != std::string::npos)
        return std::nullopt;
    std::string const file = name + ".ttf";
    std::vector<std::string> folders = added_folders();
    for (auto const& folder : font_folders())
        folders.push_back(folder);
    folders.push_back("/usr/share/fonts/truetype/dejavu");
    for (auto const& folder : folders) {
        if (auto found = in_folder(folder, file))
            return found;
    }
    return in_tree("/usr/share/fonts", file);
}

}

namespace host {

void add_font_dir(std::string const& dir) { detail::added_folders().push_back(dir); }

}
