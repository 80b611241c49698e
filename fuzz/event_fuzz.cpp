// Fuzz target: the whole program on the stand-in, with a child that echoes
// what it reads (echo_child), fed a sequence of user events chosen by the
// fuzzer. After every event and its output cycle the panel must show the
// buffer; at the end a key tapped on the on-screen keyboard must reach the
// child. Nothing may crash, close the program or hang: every wait is bounded.
//
// Input: up to max_events events, each an opcode byte (byte % 16, see
// play_event) followed by its argument bytes; missing bytes read as 0. Point
// coordinates are one byte each, scaled to the current screen. The byte after
// the events (or 0) chooses the key of the final typing check.
//
// Made deterministic around what is process-wide:
// - the menu's "Exit" is answered as a dismissal, and the child never ends by
//   itself: the flag that the child ended is never cleared, so one end would
//   close every later run;
// - after each run's exit event the target ends the child itself, with the
//   SIGCHLD handler set back to the default first, and closes the master the
//   program leaves open by design;
// - SIGUSR2 is raised once more at the end when a run left an odd count;
// - as on the reader, the menu and the orientation chooser are modal: any
//   other event first dismisses them.
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/application.h"
#include "host/host.h"
#include "platform/inkview.h"
#include "tests/support/read_file.h"
#include "tests/support/sandbox.h"

namespace {

constexpr std::size_t max_events = 64;
// Generous, for a machine busy with other work: only a hung or lost reply
// takes this long.
constexpr auto reply_limit = std::chrono::seconds(10);
constexpr int unknown_key = 61;

int usr2_raised = 0;

void end_child();

// Snapshots of the screen go to TARN_FUZZ_SNAPSHOTS when it is set, to see
// what a finding looked like.
[[noreturn]] void fail(char const* what)
{
    std::fprintf(stderr, "event_fuzz: %s\n", what);
    if (char const* folder = std::getenv("TARN_FUZZ_SNAPSHOTS"))
        host::save_snapshot(folder, "failure");
    end_child();
    std::abort();
}

int event(int type, int p1 = 0, int p2 = 0) { return application::event_function(type, p1, p2); }

// The device tree: the shipped keyboards and a configuration naming the
// echoing child, whose record of what it read goes to typed_path.
struct World {
    Sandbox sandbox;
    std::string const typed_path = sandbox.path("typed");

    World()
    {
        sandbox.write_file("tarn.kbd", read_file(TARN_SOURCE_DIR "/data/tarn.kbd"));
        sandbox.write_config("editor: " TARN_FUZZ_ECHO_CHILD "\nkeyboard_file: " + sandbox.path("tarn.kbd") + "\n");
        setenv("TARN_FUZZ_TYPED", typed_path.c_str(), 1);
    }
};

World& world()
{
    static World the_world;
    return the_world;
}

struct Input {
    std::uint8_t const* data;
    std::size_t size;
    std::size_t at = 0;

    bool done() const { return at >= size; }
    int byte() { return at < size ? data[at++] : 0; }
    int x() { return byte() * (host::width() - 1) / 255; }
    int y() { return byte() * (host::height() - 1) / 255; }
};

// Output cycles until the panel shows the buffer. The child's echo and its
// repaint after a resize arrive on their own time, so this waits for them.
void settle()
{
    auto const deadline = std::chrono::steady_clock::now() + reply_limit;
    for (;;) {
        host::fire_timers();
        if (host::stale_pixels() == 0)
            return;
        if (std::chrono::steady_clock::now() > deadline)
            fail("the panel does not show the buffer");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void dismiss_dialogs()
{
    if (host::menu_open())
        host::answer_menu(-1);
    if (host::rotate_box_open())
        host::answer_rotate_box(-1);
}

// What the platform may answer: a dismissal or any item of the menu or its
// submenus; "Exit" becomes a dismissal (see the header).
void answer_menu(int choice)
{
    std::vector<int> answers{-1};
    for (imenu const* item = host::open_menu().items; item->text; ++item) {
        if (item->type == ITEM_ACTIVE)
            answers.push_back(std::strcmp(item->text, "Exit") == 0 ? -1 : item->index);
        if (item->type == ITEM_SUBMENU && item->submenu)
            for (imenu const* sub = item->submenu; sub->text; ++sub)
                answers.push_back(sub->index);
    }
    host::answer_menu(answers[static_cast<std::size_t>(choice) % answers.size()]);
}

int key_code(int byte)
{
    int const codes[] = {KEY_MENU, KEY_PREV, KEY_NEXT, unknown_key};
    return codes[byte % 4];
}

void play_event(Input& in)
{
    int const op = in.byte() % 16;
    if (std::getenv("TARN_FUZZ_TRACE"))
        std::fprintf(stderr, "event_fuzz: event %d at byte %zu, orientation %d\n", op, in.at - 1, GetOrientation());
    if (op != 10 && op != 11)
        dismiss_dialogs();
    switch (op) {
    case 0: { int const x = in.x(); event(EVT_POINTERDOWN, x, in.y()); break; }
    case 1: { int const x = in.x(); event(EVT_POINTERMOVE, x, in.y()); break; }
    case 2: { int const x = in.x(); event(EVT_POINTERUP, x, in.y()); break; }
    case 3: { int const x = in.x(); event(EVT_POINTERLONG, x, in.y()); break; }
    case 4: {  // tap
        int const x = in.x();
        int const y = in.y();
        event(EVT_POINTERDOWN, x, y);
        event(EVT_POINTERUP, x, y);
        break;
    }
    case 5: {  // swipe in ten moves
        int const x1 = in.x(), y1 = in.y(), x2 = in.x(), y2 = in.y();
        event(EVT_POINTERDOWN, x1, y1);
        for (int step = 1; step <= 10; ++step)
            event(EVT_POINTERMOVE, x1 + (x2 - x1) * step / 10, y1 + (y2 - y1) * step / 10);
        event(EVT_POINTERUP, x2, y2);
        break;
    }
    case 6: {  // short press of a hardware key
        int const code = key_code(in.byte());
        event(EVT_KEYPRESS, code, 0);
        event(EVT_KEYRELEASE, code, 0);
        break;
    }
    case 7: {  // a hold: repeats, then the release that ends it
        int const code = key_code(in.byte());
        int const repeats = 1 + in.byte() % 4;
        event(EVT_KEYPRESS, code, 0);
        for (int i = 1; i <= repeats; ++i)
            event(EVT_KEYREPEAT, code, i);
        event(EVT_KEYRELEASE, code, repeats);
        break;
    }
    case 8: {  // touch points and the multi-touch event
        int const x1 = in.x(), y1 = in.y(), x2 = in.x(), y2 = in.y();
        host::set_touch_points(x1, y1, x2, y2);
        event(EVT_MTSYNC, 0, in.byte() % 3);
        break;
    }
    case 9:
        host::clear_touch_points();
        break;
    case 10: {  // the menu key, or an answer when the menu is open
        int const choice = in.byte();
        if (host::rotate_box_open())
            host::answer_rotate_box(-1);
        if (host::menu_open())
            answer_menu(choice);
        else
            event(EVT_KEYRELEASE, KEY_MENU, 0);
        break;
    }
    case 11: {  // an answer to the orientation chooser: -1 to 4, 4 is none
        int const orientation = in.byte() % 6 - 1;
        if (host::menu_open())
            host::answer_menu(-1);
        if (host::rotate_box_open())
            host::answer_rotate_box(orientation);
        break;
    }
    case 12:
        event(EVT_SHOW);
        break;
    case 13:  // time passes
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        host::fire_timers();
        break;
    case 14:
        ++usr2_raised;
        ::raise(SIGUSR2);
        break;
    default: {  // events the program does not handle
        int const types[] = {24, 27, 33, EVT_POINTERHOLD, EVT_POINTERDRAG, EVT_KEYPRESS};
        int const type = types[in.byte() % 6];
        int const x = in.x();
        event(type, x, in.y());
        break;
    }
    }
    if (host::close_requested())
        fail("the program closed");
    settle();
}

// One of the keys shown whose label is one character, which is the text it
// types.
bool find_key(int choice, std::string& label, int& x, int& y)
{
    std::vector<host::Text_Entry> keys;
    for (host::Text_Entry const& entry : host::text_layer()) {
        if (entry.kind != host::Text_Entry::rect || entry.text.empty() || entry.text == " ")
            continue;
        auto const lead = static_cast<unsigned char>(entry.text[0]);
        std::size_t const length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (entry.text.size() == length)
            keys.push_back(entry);
    }
    if (keys.empty())
        return false;
    host::Text_Entry const& key = keys[static_cast<std::size_t>(choice) % keys.size()];
    label = key.text;
    x = key.area.x + key.area.width / 2;
    y = key.area.y + key.area.height / 2;
    return true;
}

bool ends_with(std::string const& text, std::string const& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Taps a key twice (the first may only use up an armed ctrl) and waits until
// the child has read its text.
void check_typing_reaches_child(int choice)
{
    dismiss_dialogs();
    event(EVT_POINTERUP, 0, 0);  // ends a touch the events left open
    settle();
    std::string label;
    int x = 0, y = 0;
    if (!find_key(choice, label, x, y))
        fail("no key with a one-character label is shown");
    for (int tap = 0; tap < 2; ++tap) {
        event(EVT_POINTERDOWN, x, y);
        event(EVT_POINTERUP, x, y);
        settle();
    }
    auto const deadline = std::chrono::steady_clock::now() + reply_limit;
    while (!ends_with(read_file(world().typed_path), label)) {
        if (std::chrono::steady_clock::now() > deadline)
            fail("a tapped key did not reach the child");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// Until the child has made its terminal raw: a control byte typed earlier
// would be a signal from the terminal, not input.
void wait_for_child()
{
    auto const deadline = std::chrono::steady_clock::now() + reply_limit;
    while (read_file(world().typed_path + ".pid").empty()) {
        if (std::chrono::steady_clock::now() > deadline)
            fail("the child did not start");
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void close_leaked_masters()
{
    DIR* folder = opendir("/proc/self/fd");
    if (!folder)
        return;
    std::vector<int> masters;
    while (dirent* entry = readdir(folder)) {
        char target[64] = {};
        std::string const link = std::string("/proc/self/fd/") + entry->d_name;
        if (readlink(link.c_str(), target, sizeof target - 1) > 0 && std::strstr(target, "ptmx"))
            masters.push_back(std::atoi(entry->d_name));
    }
    closedir(folder);
    for (int fd : masters)
        close(fd);
}

void end_child()
{
    signal(SIGCHLD, SIG_DFL);
    pid_t const child = static_cast<pid_t>(std::atol(read_file(world().typed_path + ".pid").c_str()));
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    close_leaked_masters();
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    World const& w = world();
    std::remove(w.typed_path.c_str());
    std::remove((w.typed_path + ".pid").c_str());
    host::reset();
    if (event(EVT_INIT) != 1)
        fail("the program did not start");
    event(EVT_SHOW);
    wait_for_child();
    settle();

    Input in{data, size};
    for (std::size_t n = 0; n < max_events && !in.done(); ++n)
        play_event(in);
    check_typing_reaches_child(in.byte());

    event(EVT_EXIT);
    end_child();
    if (usr2_raised % 2 != 0) {
        ++usr2_raised;
        ::raise(SIGUSR2);
    }
    return 0;
}
