// Temporary sandbox trees for whole-program tests.
#include "tests/support/sandbox.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

void make_parents(std::string const& file)
{
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos; slash = file.find('/', slash + 1))
        mkdir(file.substr(0, slash).c_str(), 0755);
}

int remove_entry(char const* path, struct stat const*, int, struct FTW*) { return ::remove(path); }

}

Sandbox::Sandbox()
{
    char pattern[] = "/tmp/tarn-sandbox-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    setenv("TARN_ROOT", root_.c_str(), 1);
}

Sandbox::~Sandbox()
{
    unsetenv("TARN_ROOT");
    nftw(root_.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS);
}

void Sandbox::write_file(std::string const& relative, std::string const& text) const
{
    std::string const file = path(relative);
    make_parents(file);
    std::ofstream(file, std::ios::binary) << text;
}

void Sandbox::write_config(std::string const& text) const { write_file("system/config/tarn.cfg", text); }

std::string Sandbox::write_script(std::string const& name, std::string const& body) const
{
    write_file(name, "#!/bin/sh\n" + body);
    std::string const file = path(name);
    chmod(file.c_str(), 0755);
    return file;
}
