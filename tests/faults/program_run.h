// The whole program as a process in a sandbox device tree, with a shell
// script as its editor: run on an event script under a time limit, so that a
// hang fails instead of stalling the suite, and read back its snapshots.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/support/sandbox.h"

inline std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Program_Run : ::testing::Test {
    Sandbox root;
    std::string errors;

    // Runs tarn on the script with the sandbox as its device tree; the exit
    // status, or 124 when it had to be stopped.
    int run(std::string const& script, int limit_seconds = 60)
    {
        root.write_file("events", script);
        std::string const command = "cd " + root.root() + " && TARN_HOST_EVENTS=events TARN_HOST_OUT=out timeout -k 5 " +
                                    std::to_string(limit_seconds) + " " TARN_BINARY_DIR "/tarn 2>errors";
        int const raw = std::system(command.c_str());
        errors = read_file(root.path("errors"));
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }

    // The editor is a shell script; the configuration names it, and the
    // built-in keyboard unless more_config names a file.
    void use_editor(std::string const& body, std::string const& more_config = "keyboard_file:\n")
    {
        std::string const editor = root.write_script("editor.sh", body);
        root.write_config("editor: " + editor + "\n" + more_config);
    }

    bool shot(std::string const& name) { return access(root.path("out/" + name + ".txt").c_str(), F_OK) == 0; }
    bool shows(std::string const& name, std::string const& text)
    {
        return read_file(root.path("out/" + name + ".txt")).find(text) != std::string::npos;
    }
};
