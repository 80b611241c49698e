// Editor: the configured editor running as a child on a pseudo-terminal. It
// reads the child's output, writes the user's bytes to it, passes on the
// window size, asks for the program to close once the child has ended, and
// ends the child gently when the program ends first.
#pragma once

#include <sys/types.h>

#include <csignal>

#include <string>
#include <vector>

class Config;
class Messenger;

class Editor {
public:
    Editor(Messenger& messenger, Config const& config, int columns, int rows, int argc, char** argv);
    ~Editor();
    Editor(Editor const&) = delete;
    Editor& operator=(Editor const&) = delete;

    void read(std::string& text);
    void write(std::string const& bytes);
    // The terminal's answers to the child's requests: never waited for.
    void reply(std::string const& bytes);
    void size_changed(int columns, int rows);

private:
    void start(std::string const& editor, int columns, int rows, int argc, char** argv);
    static int open_master_pty(std::string& slave_name);
    static void setup(std::string const& slave_name, std::vector<char*> const& arguments);
    bool drain(std::string& text);
    bool wait_until_writable();
    void send_replies();
    bool child_running() const;
    void end_child();
    void close_program();

    Messenger& messenger;
    int master = -1;
    pid_t child = 0;
    struct sigaction previous_child_action {};
    // Output read while a write waited for the child to take its input; it
    // goes ahead of anything read later.
    std::string pending;
    // Replies the child's terminal had no room for yet.
    std::string replies;
};
