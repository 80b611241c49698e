// The window-size and descriptor reports, read from /proc and the
// pseudo-terminal master itself, so that they show what the kernel holds
// rather than what the program believes; the update log as it stands.
#include "host/script_reports.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "host/host.h"

namespace host::detail {

namespace {

namespace fs = std::filesystem;

struct Descriptor {
    int number;
    std::string target;
};

// Descriptors of /proc/PID/fd in number order, without the one this listing
// itself holds open.
std::vector<Descriptor> descriptors_of(std::string const& pid)
{
    std::string const folder = "/proc/" + pid + "/fd";
    std::string const listing = "/proc/" + std::to_string(getpid()) + "/fd";
    std::vector<Descriptor> found;
    std::error_code error;
    for (auto const& entry : fs::directory_iterator(folder, error)) {
        std::error_code unreadable;
        fs::path const target = fs::read_symlink(entry.path(), unreadable);
        if (unreadable || (pid == "self" && target == listing))
            continue;  // closed while listed, or the listing's own
        found.push_back({std::atoi(entry.path().filename().c_str()), target.string()});
    }
    std::sort(found.begin(), found.end(), [](auto const& a, auto const& b) { return a.number < b.number; });
    return found;
}

std::vector<std::string> children()
{
    std::set<long> pids;
    std::error_code error;
    for (auto const& task : fs::directory_iterator("/proc/self/task", error)) {
        std::ifstream list(task.path() / "children");
        long pid;
        while (list >> pid)
            pids.insert(pid);
    }
    std::vector<std::string> result;
    for (long pid : pids)
        result.push_back(std::to_string(pid));
    return result;
}

bool is_pty_master(std::string const& target) { return target == "/dev/ptmx" || target == "/dev/pts/ptmx"; }

std::string write_file(std::string const& folder, std::string const& file, std::string const& text)
{
    std::error_code error;
    fs::create_directories(folder, error);
    std::string const path = (fs::path(folder) / file).string();
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out)
        return "cannot write '" + path + "': " + std::strerror(errno);
    return "";
}

}

std::string write_window_size(std::string const& folder, std::string const& name)
{
    std::vector<int> masters;
    for (Descriptor const& d : descriptors_of("self"))
        if (is_pty_master(d.target))
            masters.push_back(d.number);
    if (masters.size() != 1)
        return "expected one pseudo-terminal master, found " + std::to_string(masters.size());
    winsize size{};
    if (ioctl(masters[0], TIOCGWINSZ, &size) < 0)
        return std::string("cannot read the window size: ") + std::strerror(errno);

    std::ostringstream report;
    report << "pty " << size.ws_row << ' ' << size.ws_col << '\n';
    std::set<int> sizes;
    for (Text_Entry const& entry : text_layer())
        if (entry.kind == Text_Entry::string)
            sizes.insert(entry.size);
    for (int font_size : sizes)
        report << "font " << font_size << '\n';
    return write_file(folder, name + ".size", report.str());
}

std::string write_descriptors(std::string const& folder, std::string const& name)
{
    std::ostringstream report;
    for (Descriptor const& d : descriptors_of("self"))
        report << "self " << d.number << ' ' << d.target << '\n';
    for (std::string const& pid : children())
        for (Descriptor const& d : descriptors_of(pid))
            report << "child " << pid << ' ' << d.number << ' ' << d.target << '\n';
    return write_file(folder, name + ".fds", report.str());
}

std::string write_updates(std::string const& folder, std::string const& name)
{
    std::ostringstream report;
    for (Update const& u : updates())
        report << kind_name(u.kind) << ' ' << u.area.x << ' ' << u.area.y << ' ' << u.area.width << ' '
               << u.area.height << ' ' << u.start_ms << ' ' << u.end_ms << '\n';
    return write_file(folder, name + ".updates", report.str());
}

}
