// What each script command does to the program: events through the loop,
// answers to open dialogs, waiting, signals and snapshots.
#include "host/script_runner.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include "host/generation.h"
#include "host/host.h"
#include "host/keyboard_typing.h"
#include "host/main_loop.h"
#include "host/onscreen_keys.h"
#include "host/script_reports.h"
#include "host/utf8.h"

namespace host::detail {

using script::Kind;

namespace {

void swipe(Loop& loop, std::vector<int> const& n)
{
    long long const x1 = n[0], y1 = n[1], x2 = n[2], y2 = n[3];
    int const steps = n.size() > 4 ? n[4] : 10;
    loop.dispatch(EVT_POINTERDOWN, n[0], n[1]);
    for (int i = 1; i <= steps; ++i)
        loop.dispatch(EVT_POINTERMOVE, int(x1 + (x2 - x1) * i / steps), int(y1 + (y2 - y1) * i / steps));
    loop.dispatch(EVT_POINTERUP, n[2], n[3]);
}

void key(Loop& loop, std::vector<int> const& n)
{
    int const code = n[0];
    int const hold = n.size() > 1 ? n[1] : 0;
    loop.dispatch(EVT_KEYPRESS, code, 0);
    for (int i = 1; i <= hold; ++i)
        loop.dispatch(EVT_KEYREPEAT, code, i);
    loop.dispatch(EVT_KEYRELEASE, code, hold);
}

// The system takes the touch over: EVT_POINTERCANCEL where the generation
// has it. Generation 1 has none; there the system's window closing over the
// program stands for it, with the screen-shown event, after which the
// program too takes the touch in progress as over.
void cancel_touch(Loop& loop)
{
    clear_touch_points();
    if (generation().cancel_event)
        loop.dispatch(EVT_POINTERCANCEL, 0, 0);
    else
        loop.dispatch(EVT_SHOW, 0, 0);
}

std::chrono::milliseconds ms(int value) { return std::chrono::milliseconds(value); }

}

Script_Source::Script_Source(std::vector<script::Command> c, std::string s, std::string folder)
    : commands(std::move(c)), script(std::move(s)), snapshot_folder(std::move(folder))
{
}

bool Script_Source::pump(Loop& loop, Clock::time_point)
{
    if (next >= commands.size())
        return false;
    run(loop, commands[next++]);
    return true;
}

void Script_Source::tap_key(Loop& loop, script::Command const& command, std::string const& name)
{
    if (!type_key(loop, name))
        throw script::error_at(script, command.line, "no key '" + name + "' on any keyboard");
}

void Script_Source::report(script::Command const& command, std::string const& failure)
{
    if (!failure.empty())
        throw script::error_at(script, command.line, failure);
}

void Script_Source::run(Loop& loop, script::Command const& command)
{
    std::vector<int> const& n = command.numbers;
    switch (command.kind) {
    case Kind::wait:
        loop.run_for(ms(n[0]));
        break;
    case Kind::settle:
        loop.settle(ms(n.size() > 0 ? n[0] : 300), ms(n.size() > 1 ? n[1] : 5000));
        break;
    case Kind::show:
        loop.dispatch(EVT_SHOW, 0, 0);
        break;
    case Kind::press:
        loop.dispatch(EVT_POINTERDOWN, n[0], n[1]);
        break;
    case Kind::move:
        loop.dispatch(EVT_POINTERMOVE, n[0], n[1]);
        break;
    case Kind::release:
        loop.dispatch(EVT_POINTERUP, n[0], n[1]);
        break;
    case Kind::long_press:
        loop.dispatch(EVT_POINTERLONG, n[0], n[1]);
        break;
    case Kind::tap:
        tap(loop, n[0], n[1]);
        break;
    case Kind::swipe:
        swipe(loop, n);
        break;
    case Kind::touch:
        loop.dispatch(EVT_MTSYNC, set_touch_points(n[0], n[1], n[2], n[3], n[4]), n[4]);
        break;
    case Kind::cancel:
        cancel_touch(loop);
        break;
    case Kind::key:
        key(loop, n);
        break;
    case Kind::type: {
        char const* p = command.text.data();
        char const* const end = p + command.text.size();
        while (p < end && !loop.closing()) {
            char const* const start = p;
            next_code_point(p, end);
            tap_key(loop, command, key_for_character(std::string(start, p)));
            loop.run_due_timers();
        }
        break;
    }
    case Kind::tapkey:
        tap_key(loop, command, command.text);
        break;
    case Kind::menu:
        if (!menu_open())
            throw script::error_at(script, command.line, "no menu is open");
        answer_menu(n[0]);
        break;
    case Kind::rotate:
        if (!rotate_box_open())
            throw script::error_at(script, command.line, "no orientation chooser is open");
        answer_rotate_box(n[0]);
        break;
    case Kind::usr2:
        std::raise(SIGUSR2);
        break;
    case Kind::snapshot:
        if (!save_snapshot(snapshot_folder, command.text))
            throw script::error_at(script, command.line, "cannot write snapshot '" + command.text + "' in '" +
                                                             snapshot_folder + "': " + std::strerror(errno));
        break;
    case Kind::check_panel:
        if (long const stale = stale_pixels())
            throw script::Check_Failed(script + ":" + std::to_string(command.line) + ": the panel differs from the buffer in " +
                                       std::to_string(stale) + " pixels");
        break;
    case Kind::window_size:
        report(command, write_window_size(snapshot_folder, command.text));
        break;
    case Kind::descriptors:
        report(command, write_descriptors(snapshot_folder, command.text));
        break;
    case Kind::updates:
        report(command, write_updates(snapshot_folder, command.text));
        break;
    case Kind::quit:
        loop.close();
        break;
    }
}

}
