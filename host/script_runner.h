// Runs a parsed event script as the loop's event source, one command per
// turn of the loop, so that due timers run between commands.
#pragma once

#include <string>
#include <vector>

#include "host/event_source.h"
#include "host/script.h"

namespace host::detail {

class Script_Source : public Event_Source {
public:
    Script_Source(std::vector<script::Command> commands, std::string script, std::string snapshot_folder);

    // Runs the next command; false when none is left. script::Error when a
    // command cannot be carried out (no menu open, no such key on screen...).
    bool pump(Loop& loop, Clock::time_point until) override;

private:
    void run(Loop& loop, script::Command const& command);
    // Ends the script with the failure a report command met, if any.
    void report(script::Command const& command, std::string const& failure);
    void tap_key(Loop& loop, script::Command const& command, std::string const& name);

    std::vector<script::Command> commands;
    std::size_t next = 0;
    std::string script;
    std::string snapshot_folder;
};

}
