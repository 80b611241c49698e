// Device paths, relocated under a sandbox root in desktop builds.
#include "platform/paths.h"

#include <cstdlib>

#ifndef TARN_ROOT
#define TARN_ROOT "/mnt/ext1"
#endif

namespace paths {

std::string root()
{
#ifdef TARN_DESKTOP
    if (char const* sandbox = std::getenv("TARN_ROOT"); sandbox && *sandbox)
        return sandbox;
#endif
    return TARN_ROOT;
}

std::string config_file() { return root() + "/system/config/tarn.cfg"; }
std::string keyboard_file() { return root() + "/system/share/cobble/tarn.kbd"; }
std::string editor() { return root() + "/system/bin/vim"; }
std::string vim_home() { return root() + "/system/share/vim"; }
std::string vim_etc() { return root() + "/system/share/vim/etc"; }
std::string vim_runtime() { return root() + "/system/share/vim/runtime"; }

}
