// The whole program on vim, headless, replaying a scripted session of single
// taps, measured through the stand-in as it runs: per keystroke the refreshed
// pixels against the least possible and against two rectangles per update,
// the echo latency and the modelled keystroke-to-ink, the wakeups while vim
// idles, start-up and memory; then vim alone for its own response time.
// Prints Markdown.
// Usage: session_bench [--fast-typing] WORK_DIR [VIMRC]: keeps the event
// script, the file, vim's home and a device tree with the configuration in
// WORK_DIR; with VIMRC, vim reads that text as the user's vimrc.
#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "bench/cell_cover.h"
#include "bench/editor_alone.h"
#include "bench/session_plan.h"
#include "host/host.h"
#include "platform/inkview.h"
#include "platform/paths.h"
#include "terminal/display.h"

namespace {

using Clock = std::chrono::steady_clock;

// Wakeups are counted once this long has passed without input or output.
constexpr int quiet_ms = 5000;

double ms_between(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Measured {
    std::size_t plan_index = 0;
    long refreshed = 0;  // pixels of the text area refreshed, summed over updates
    int updates = 0;     // updates touching the text area
    long least = 0;      // pixels of the changed cells and the cursor's cells
    long least_box = 0;  // their bounding box: the least for one rectangle per update
    // Per update, the least two rectangles covering the cells it changed and
    // the cursor's cells, summed.
    long two_rectangles = 0;
    double latency_ms = -1;  // release to the first text-area update; -1: none
    // Release to the end of that update on a reader's panel, as the stand-in
    // models it; -1: none.
    long long ink_ms = -1;
    long long panel_ms = 0;  // the modelled time of all the keystroke's updates
    long grey = 0;           // pixels of its grey updates, keyboard included
    Rect traced;             // the union of its monochrome updates
};

struct Grid {
    int margin = 0, columns = 0, rows = 0, width = 0, height = 0;
    Rect area() const { return {margin, margin, columns * width, rows * height}; }
};

struct Cursor {
    int column = 0, row = 0;
};

// The state the hooks share: the stand-in calls them from its loop.
struct Session {
    Clock::time_point started;
    std::vector<bench::Keystroke> plan;
    std::vector<Measured> done;
    bool open = false;
    Measured current;
    std::vector<unsigned char> panel_before;
    Cursor cursor_before;
    std::size_t first_update = 0;
    Clock::time_point released;
    long long released_ms = 0;  // on the update log's clock
    bool awaiting_echo = false;
    // The span of the keystrokes: from the first press to the last release.
    Clock::time_point first_press;
    Clock::time_point last_release;
    double startup_ms = -1;
    // What the panel showed at the last update, and the cursor then.
    std::vector<unsigned char> panel_shown;
    Cursor cursor_shown;
    // Quiet since: no event and no update for quiet_ms, and the timer
    // firings counted by then; quiet_firings is meaningful once quiet.
    bool quiet = false;
    Clock::time_point quiet_since;
    unsigned long quiet_firings = 0;
    double quiet_seconds = 0;
    unsigned long firings_in_quiet = 0;
    Grid grid;
    std::map<std::string, long> memory_kib;
    iv_handler program = nullptr;
} session;

Display* display() { return Display::s_handling_display; }

Grid grid_now()
{
    Grid g;
    if (Display* d = display()) {
        d->char_size(g.width, g.height);
        g.columns = d->column_count();
        g.rows = d->row_count();
        g.margin = g.rows > 0 ? d->line(0).top() : 0;  // the same margin on the left
    }
    return g;
}

// Where the display shows its cursor: the nearest grid cell.
Cursor cursor_now()
{
    Cursor c;
    if (Display* d = display())
        d->get_pos(c.column, c.row);
    c.column = std::clamp(c.column, 0, std::max(session.grid.columns - 1, 0));
    c.row = std::clamp(c.row, 0, std::max(session.grid.rows - 1, 0));
    return c;
}

long overlap(Rect const& a, Rect const& b)
{
    long const w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    long const h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

bool cell_changed(std::vector<unsigned char> const& before, std::vector<unsigned char> const& after, int column,
                  int row)
{
    Grid const& g = session.grid;
    int const width = host::width();
    for (int y = 0; y < g.height; ++y) {
        std::size_t const start = std::size_t(g.margin + row * g.height + y) * width + g.margin + column * g.width;
        if (!std::equal(&before[start], &before[start] + g.width, &after[start]))
            return true;
    }
    return false;
}

// The cells whose pixels differ between two panels, and (when the cursor was
// hidden and shown, as every cycle that refreshes does) its cells before and after.
bench::Cell_Set cells_to_refresh(std::vector<unsigned char> const& before, std::vector<unsigned char> const& after,
                                 Cursor const* cursor_before, Cursor const* cursor_after)
{
    Grid const& g = session.grid;
    bench::Cell_Set set{g.columns, g.rows, std::vector<bool>(std::size_t(g.columns) * g.rows, false)};
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.columns; ++c)
            set.cells[std::size_t(r) * g.columns + c] = cell_changed(before, after, c, r);
    for (Cursor const* cursor : {cursor_before, cursor_after})
        if (cursor)
            set.cells[std::size_t(cursor->row) * g.columns + cursor->column] = true;
    return set;
}

long cell_pixels() { return long(session.grid.width) * session.grid.height; }

void close_keystroke()
{
    if (!session.open)
        return;
    session.open = false;
    Grid const& g = session.grid;
    Measured m = session.current;
    std::vector<unsigned char> const& after = host::panel();
    auto const& updates = host::updates();
    for (std::size_t i = session.first_update; i < updates.size(); ++i) {
        long const pixels = overlap(updates[i].area, g.area());
        m.refreshed += pixels;
        m.updates += pixels > 0;
        m.panel_ms += updates[i].end_ms - updates[i].start_ms;
        if (host::monochrome(updates[i].kind))
            m.traced += updates[i].area;
        else
            m.grey += long(updates[i].area.width) * updates[i].area.height;
    }
    if (after.size() == session.panel_before.size() && g.width > 0) {
        Cursor const now = cursor_now();
        bool const refreshed = m.updates > 0;
        bench::Cell_Set const least = cells_to_refresh(session.panel_before, after,
                                                       refreshed ? &session.cursor_before : nullptr,
                                                       refreshed ? &now : nullptr);
        m.least = long(std::count(least.cells.begin(), least.cells.end(), true)) * cell_pixels();
        m.least_box = bench::one_rectangle_cells(least) * cell_pixels();
    }
    session.done.push_back(m);
}

void open_keystroke()
{
    close_keystroke();
    session.grid = grid_now();
    session.open = true;
    session.current = Measured{};
    session.current.plan_index = session.done.size();
    session.panel_before = host::panel();
    session.cursor_before = cursor_now();
    session.first_update = host::updates().size();
    session.awaiting_echo = false;
}

// Resident kilobytes by kind of mapping: font files, shared libraries, the rest.
std::map<std::string, long> resident_kib()
{
    std::map<std::string, long> kib;
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    std::string kind = "data";
    while (std::getline(smaps, line)) {
        std::istringstream fields(line);
        std::string first;
        fields >> first;
        if (first == "Rss:") {
            long value = 0;
            fields >> value;
            kib[kind] += value;
        } else if (first.find('-') != std::string::npos && first.find(':') == std::string::npos) {
            std::string permissions, offset, device, inode, path;
            fields >> permissions >> offset >> device >> inode >> path;
            bool const font = path.size() > 4 && (path.rfind(".ttf") == path.size() - 4 || path.rfind(".otf") == path.size() - 4);
            kind = font ? "fonts" : path.find(".so") != std::string::npos ? "libraries" : "data";
        }
    }
    std::ifstream status("/proc/self/status");
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            kib["peak"] = std::atol(line.c_str() + 6);
    return kib;
}

void quiet_reached()
{
    session.quiet = true;
    session.quiet_since = Clock::now();
    session.quiet_firings = host::timer_firings();
}

// Every event and update starts the wait for quiet again; the measuring
// timer's own firing, at its start, is not counted in the quiet window.
void restart_quiet()
{
    session.quiet = false;
    SetWeakTimer("bench_quiet", quiet_reached, quiet_ms);
}

void measure_quiet()
{
    if (!session.quiet)
        return;
    session.quiet_seconds = std::chrono::duration<double>(Clock::now() - session.quiet_since).count();
    session.firings_in_quiet = host::timer_firings() - session.quiet_firings;
}

// Within a keystroke, what two rectangles would have refreshed for this
// update: the cells it changed on the panel and the cursor's cells, or the
// update itself when that is less (the bell's band covers parts of cells).
void add_two_rectangles(Grid const& grid, host::Update const& update)
{
    std::vector<unsigned char> const& after = host::panel();
    if (!session.open || grid.columns != session.grid.columns || grid.rows != session.grid.rows ||
        session.panel_shown.size() != after.size())
        return;
    Cursor const now = cursor_now();
    bench::Cell_Set const cells = cells_to_refresh(session.panel_shown, after, &session.cursor_shown, &now);
    session.current.two_rectangles +=
        std::min(bench::two_rectangles_cells(cells) * cell_pixels(), overlap(update.area, grid.area()));
}

void on_text_update(Grid const& grid, host::Update const& update, Clock::time_point shown)
{
    if (session.awaiting_echo) {
        session.current.latency_ms = ms_between(session.released, shown);
        session.current.ink_ms = update.end_ms - session.released_ms;
        session.awaiting_echo = false;
    }
    if (session.startup_ms < 0) {
        for (host::Text_Entry const& entry : host::text_layer())
            if (entry.kind == host::Text_Entry::string && overlap(entry.area, grid.area()) > 0) {
                session.startup_ms = ms_between(session.started, shown);
                break;
            }
    }
    add_two_rectangles(grid, update);
}

void on_update(host::Update const& update)
{
    // Before any measuring work, which the program waits for.
    Clock::time_point const shown = Clock::now();
    Grid const grid = grid_now();
    if (display() && overlap(update.area, grid.area()) > 0)
        on_text_update(grid, update, shown);
    session.panel_shown = host::panel();
    session.cursor_shown = cursor_now();
    restart_quiet();
}

int on_event(int type, int par1, int par2)
{
    if (type == EVT_EXIT)
        measure_quiet();
    else
        restart_quiet();
    if (type == EVT_POINTERDOWN) {
        if (session.done.empty() && !session.open)
            session.first_press = Clock::now();
        open_keystroke();
    }
    if (type == EVT_POINTERUP && session.open) {
        session.released = Clock::now();
        session.released_ms = host::clock_ms();
        session.last_release = session.released;
        session.awaiting_echo = true;
    }
    if (type == EVT_EXIT) {
        close_keystroke();
        session.memory_kib = resident_kib();
    }
    return session.program(type, par1, par2);
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    std::size_t const at = std::min(values.size() - 1, std::size_t(p * (values.size() - 1) + 0.5));
    return values[at];
}

double ratio(long part, long whole) { return whole ? double(part) / whole : 0.0; }

void report_economy()
{
    std::cout << "| keystrokes | count | refreshed px per key | least px per key | ratio | least as one "
                 "rectangle | ratio to it | two rectangles per update | their ratio to the least | updates per key |\n"
                 "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    std::vector<std::string> groups = {"typing", "cursor", "lines", "scrolling", "search", "all"};
    for (std::string const& group : groups) {
        long refreshed = 0, least = 0, least_box = 0, two = 0, updates = 0, count = 0;
        for (Measured const& m : session.done) {
            if (group != "all" && session.plan[m.plan_index].group != group)
                continue;
            refreshed += m.refreshed;
            least += m.least;
            least_box += m.least_box;
            two += m.two_rectangles;
            updates += m.updates;
            ++count;
        }
        if (count == 0)
            continue;
        char row[256];
        std::snprintf(row, sizeof row, "| %s | %ld | %ld | %ld | %.2f | %ld | %.2f | %ld | %.2f | %.2f |\n",
                      group.c_str(), count, refreshed / count, least / count, ratio(refreshed, least),
                      least_box / count, ratio(refreshed, least_box), two / count, ratio(two, least),
                      double(updates) / count);
        std::cout << row;
    }
    std::vector<Measured> worst = session.done;
    std::sort(worst.begin(), worst.end(),
              [](Measured const& a, Measured const& b) { return a.refreshed - a.least > b.refreshed - b.least; });
    std::cout << "\nWorst keystrokes (most pixels refreshed beyond the least):\n\n"
                 "| # | keystroke | group | refreshed px | least px | updates |\n|---:|---|---|---:|---:|---:|\n";
    for (std::size_t i = 0; i < std::min<std::size_t>(5, worst.size()); ++i) {
        Measured const& m = worst[i];
        bench::Keystroke const& k = session.plan[m.plan_index];
        std::cout << "| " << m.plan_index + 1 << " | `" << k.command << "` | " << k.group << " | " << m.refreshed
                  << " | " << m.least << " | " << m.updates << " |\n";
    }
}

// Each keystroke's own ratio to the least, over those that refreshed the text.
void report_per_keystroke()
{
    std::cout << "| keystrokes | count | median ratio | 95th percentile | worst | at most 1.5 | two rectangles per "
                 "update: median ratio | 95th percentile |\n|---|---:|---:|---:|---:|---:|---:|---:|\n";
    for (bool const typed_only : {true, false}) {
        std::vector<double> ratios, two_ratios;
        for (Measured const& m : session.done)
            if (m.least > 0 && m.updates > 0 && (!typed_only || session.plan[m.plan_index].typed)) {
                ratios.push_back(ratio(m.refreshed, m.least));
                two_ratios.push_back(ratio(m.two_rectangles, m.least));
            }
        if (ratios.empty())
            continue;
        long const within = std::count_if(ratios.begin(), ratios.end(), [](double r) { return r <= 1.5; });
        char row[256];
        std::snprintf(row, sizeof row, "| %s | %zu | %.2f | %.2f | %.2f | %ld%% | %.2f | %.2f |\n",
                      typed_only ? "typed characters" : "the whole plan", ratios.size(), percentile(ratios, 0.5),
                      percentile(ratios, 0.95), percentile(ratios, 1), 100 * within / long(ratios.size()),
                      percentile(two_ratios, 0.5), percentile(two_ratios, 0.95));
        std::cout << row;
    }
}

void report_idle()
{
    if (session.quiet_seconds <= 0) {
        std::cout << "No quiet window: something happened within " << quiet_ms / 1000 << " s of the end.\n";
        return;
    }
    char text[512];
    std::snprintf(text, sizeof text,
                  "| measured | value |\n|---|---:|\n"
                  "| quiet window, from %d s after the last input or output to the end | %.1f s |\n"
                  "| timer firings in it | %lu |\n"
                  "| wakeups per second | %.2f |\n",
                  quiet_ms / 1000, session.quiet_seconds, session.firings_in_quiet,
                  session.firings_in_quiet / session.quiet_seconds);
    std::cout << text;
}

void report_latency(std::vector<double> const& editor)
{
    std::vector<double> echo;
    for (Measured const& m : session.done)
        if (m.latency_ms >= 0)
            echo.push_back(m.latency_ms);
    char text[512];
    std::snprintf(text, sizeof text,
                  "| measured | samples | median ms | 95th percentile ms |\n|---|---:|---:|---:|\n"
                  "| release to the panel showing the echo | %zu | %.1f | %.1f |\n"
                  "| vim alone: key written to first output | %zu | %.2f | %.2f |\n",
                  echo.size(), percentile(echo, 0.5), percentile(echo, 0.95), editor.size(),
                  percentile(editor, 0.5), percentile(editor, 0.95));
    std::cout << text << "\nKeystrokes in the session: " << session.done.size()
              << " (the others showed nothing in the text: Ctrl, the first of two-key commands).\n";
}

// From the key's release to the end of the update that showed its echo, on a
// reader's panel as the stand-in models it, over the characters typed into
// the text; the panel's time and the grey area the keystrokes cost.
void report_ink()
{
    std::vector<double> ink;
    long long panel_ms = 0;
    long typed = 0, grey = 0, grey_if_paused = 0;
    for (Measured const& m : session.done) {
        grey += m.grey;
        grey_if_paused += m.grey + long(m.traced.width) * m.traced.height;
        if (!session.plan[m.plan_index].typed)
            continue;
        ++typed;
        panel_ms += m.panel_ms;
        if (m.ink_ms >= 0)
            ink.push_back(double(m.ink_ms));
    }
    double const minutes = std::chrono::duration<double>(session.last_release - session.first_press).count() / 60;
    char text[1024];
    std::snprintf(text, sizeof text,
                  "| measured | value |\n|---|---:|\n"
                  "| typed characters with their echo | %zu |\n"
                  "| modelled keystroke-to-ink, median | %.0f ms |\n"
                  "| modelled keystroke-to-ink, 95th percentile | %.0f ms |\n"
                  "| panel time per typed character | %.0f ms |\n"
                  "| minutes from the first press to the last release | %.2f |\n"
                  "| grey pixels refreshed per minute | %.0f |\n"
                  "| the same were every keystroke followed by the pause (at most) | %.0f |\n",
                  ink.size(), percentile(ink, 0.5), percentile(ink, 0.95), typed ? double(panel_ms) / typed : 0.0,
                  minutes, minutes > 0 ? grey / minutes : 0.0, minutes > 0 ? grey_if_paused / minutes : 0.0);
    std::cout << text;
}

void report_start_and_memory()
{
    auto const mib = [](long kib) { return double(kib) / 1024; };
    auto& kib = session.memory_kib;
    char text[512];
    std::snprintf(text, sizeof text,
                  "| measured | value |\n|---|---:|\n"
                  "| start-up: main() to the first panel update with vim's screen | %.0f ms |\n"
                  "| peak resident memory (VmHWM) | %.1f MiB |\n"
                  "| at exit: font files mapped | %.1f MiB |\n"
                  "| at exit: shared libraries' pages | %.1f MiB |\n"
                  "| at exit: data (heap, stacks, the stand-in's buffer and panel) | %.1f MiB |\n",
                  session.startup_ms, mib(kib["peak"]), mib(kib["fonts"]), mib(kib["libraries"]), mib(kib["data"]));
    std::cout << text;
}

}

// The program hands its event function to InkViewMain: this one, linked
// into the executable, is found before the stand-in's, and puts the
// measuring function in front.
extern "C" void InkViewMain(iv_handler handler)
{
    session.program = handler;
    auto const stand_in = reinterpret_cast<void (*)(iv_handler)>(dlsym(RTLD_NEXT, "InkViewMain"));
    if (stand_in && handler)
        stand_in(on_event);
}

int main(int argc, char** argv)
{
    session.started = Clock::now();
    bool const fast_typing = argc > 1 && std::string(argv[1]) == "--fast-typing";
    if (fast_typing) {
        --argc;
        ++argv;
    }
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: session_bench [--fast-typing] WORK_DIR [VIMRC]\n";
        return 2;
    }
    bench::use_device_tree(argv[1], fast_typing ? "fast_typing: 1\n" : "");
    // A home of vim's own, fresh each run: history from whatever ran vim
    // before (the last cursor position in the file above all) would change
    // the session's screens from run to run.
    std::string const home = std::string(argv[1]) + "/home";
    mkdir(home.c_str(), 0755);
    std::remove((home + "/.viminfo").c_str());
    std::remove((home + "/.vimrc").c_str());
    if (argc == 3)
        std::ofstream(home + "/.vimrc") << argv[2] << '\n';
    setenv("HOME", home.c_str(), 1);
    session.plan = bench::session_plan();
    auto const [events, sample] = bench::write_session(argv[1], session.plan);
    setenv("TARN_HOST_EVENTS", events.c_str(), 1);
    host::set_update_hook(on_update);

    char* program_argv[] = {argv[0], const_cast<char*>(sample.c_str()), nullptr};
    application::run(2, program_argv);
    host::set_update_hook(nullptr);

    bench::remove_swap_file(argv[1]);
    std::vector<double> const editor =
        bench::editor_response_ms(paths::editor(), sample, session.grid.columns, session.grid.rows, 200);

    std::cout << "### E-ink economy\n\n";
    report_economy();
    std::cout << "\n### Per keystroke\n\n";
    report_per_keystroke();
    std::cout << "\n### Echo latency\n\n";
    report_latency(editor);
    std::cout << "\n### Keystroke to ink\n\n";
    report_ink();
    std::cout << "\n### Idle\n\n";
    report_idle();
    std::cout << "\n### Start-up and memory\n\n";
    report_start_and_memory();
    return 0;
}
