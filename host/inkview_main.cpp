// InkViewMain: the environment picks the screen size and the event source
// (the script named by TARN_HOST_EVENTS, else a window when there is a
// display, else none), then the loop runs. A bad script or setting ends the
// process with status 2 and a message naming it; a failed check, with 3.
#include <cstdlib>
#include <iostream>
#include <memory>

#include "host/environment.h"
#include "host/host.h"
#include "host/main_loop.h"
#include "host/screen.h"
#include "host/script_runner.h"
#include "host/window.h"

using namespace host::detail;

namespace {

[[noreturn]] void fail(std::string const& message)
{
    std::cerr << message << std::endl;
    std::exit(2);
}

std::unique_ptr<Event_Source> source_from_environment()
{
    std::string const path = events_script();
    if (path.empty()) {
        if (auto window = open_window())
            return window;
        return std::make_unique<Idle_Source>();
    }
    return std::make_unique<Script_Source>(host::script::load(path), path, snapshot_folder());
}

}

extern "C" void InkViewMain(iv_handler handler)
{
    if (!handler)
        return;
    std::unique_ptr<Event_Source> source;
    try {
        if (auto const size = screen_size())
            reset_screen(size->first, size->second);
        source = source_from_environment();
    } catch (std::runtime_error const& e) {
        fail(e.what());
    }
    try {
        run_loop(handler, *source);
    } catch (host::script::Error const& e) {
        // The program still gets its exit event, so it ends as after any close.
        std::cerr << e.what() << std::endl;
        try {
            handler(EVT_EXIT, 0, 0);
        } catch (...) {
        }
        // A failed check is told apart from a script that could not be run.
        std::exit(dynamic_cast<host::script::Check_Failed const*>(&e) ? 3 : 2);
    }
}
