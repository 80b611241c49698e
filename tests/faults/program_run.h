// The whole program as a process in a sandbox device tree, with a shell
// script as its editor: run on an event script under a time limit, so that a
// hang fails instead of stalling the suite, and read back its snapshots.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "tests/support/read_file.h"
#include "tests/support/sandbox.h"
#include "tests/support/tarn_process.h"

struct Program_Run : ::testing::Test {
    Sandbox root;
    std::string errors;

    // Runs tarn on the script with the sandbox as its device tree (and the
    // environment's further VAR=VALUE words); the exit status, or 124 when it
    // had to be stopped.
    int run(std::string const& script, int limit_seconds = 60, std::string const& environment = "")
    {
        root.write_file("events", script);
        int const status = run_tarn(root.root(), "", limit_seconds, environment);
        errors = read_file(root.path("errors"));
        return status;
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
