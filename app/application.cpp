// Start-up, the event function and the Messenger's lifetime.
#include "app/application.h"

#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/messenger.h"
#include "platform/callback_guard.h"
#include "platform/inkview.h"
#include "platform/paths.h"

namespace application {

namespace {

// The program's arguments after its name, passed on to the editor.
int editor_argc = 0;
char** editor_argv = nullptr;

std::unique_ptr<Messenger> messenger;

// The character type for the program's own conversions: the editor writes
// UTF-8, and a locale of another encoding would lose every character outside
// ASCII. A UTF-8 locale named in LC_TYPE is kept; otherwise ours is used.
void select_utf8_character_type()
{
    char const* const candidates[] = {std::getenv("LC_TYPE"), "en_US.utf8", "C.UTF-8"};
    for (char const* name : candidates)
        if (name && std::setlocale(LC_CTYPE, name) && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0)
            return;
}

int route_event(int type, int par1, int par2)
{
    switch (type) {
    case EVT_INIT:
        messenger = std::make_unique<Messenger>(editor_argc, editor_argv);
        return 1;
    case EVT_EXIT:
        messenger.reset();
        return 1;
    default:
        if (!messenger)
            return 0;
        request::Handle_Event event{type, par1, par2};
        return messenger->send(event).result;
    }
}

}

void prepare_environment()
{
    select_utf8_character_type();
    setenv("LANG", "en_US.utf8", 0);
    setenv("VIM", paths::vim_etc().c_str(), 0);
    setenv("VIMRUNTIME", paths::vim_runtime().c_str(), 0);
    char const* home = std::getenv("HOME");
    if (!home || std::strcmp(home, "/") == 0)
        setenv("HOME", paths::vim_home().c_str(), 1);
}

// Nothing is thrown into the platform: a failure, such as a Messenger that
// could not be built, is reported, the platform asked to close, and 0 returned.
int event_function(int type, int par1, int par2)
{
    return callback_guard::run([&] { return route_event(type, par1, par2); }, 0);
}

int run(int argc, char** argv)
{
    if (argc > 1) {
        editor_argc = argc - 1;
        editor_argv = argv + 1;
    }
    prepare_environment();
    InkViewMain(event_function);
    messenger.reset();
    return 0;
}

}
