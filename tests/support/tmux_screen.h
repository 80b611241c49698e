// The reference screen: a command run in a detached tmux session of a given
// size, keys sent to it, and the text it shows, for tests that hold Tarn's
// screen against a terminal in wide use.
#pragma once

#include <string>
#include <vector>

class Tmux_Session {
public:
    // Starts command (through sh) in folder at columns x rows, on a tmux
    // server of this process's own.
    Tmux_Session(std::string const& folder, std::string const& command, int columns, int rows);
    ~Tmux_Session();
    Tmux_Session(Tmux_Session const&) = delete;
    Tmux_Session& operator=(Tmux_Session const&) = delete;

    // tmux key names, or literal text after a leading '='.
    void send(std::vector<std::string> const& keys);
    // The rows once the screen has stayed still for a while, cut as trimmed_rows cuts them.
    std::vector<std::string> screen() const;

private:
    std::string tmux() const;
    std::string capture() const;

    std::string socket;
    std::string config;
};

// Rows without trailing blanks, and without the empty rows at the end.
std::vector<std::string> trimmed_rows(std::vector<std::string> rows);
