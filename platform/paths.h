// The device's file locations, in one place. The device build keeps "/mnt/ext1";
// the desktop build compiles in a sandbox root instead, and lets the
// environment variable TARN_ROOT move it again (tests use their own sandboxes).
#pragma once

#include <string>

namespace paths {

std::string root();
std::string config_file();
std::string keyboard_file();
std::string editor();
std::string vim_home();
std::string vim_etc();
std::string vim_runtime();

}
