// Reading back the stand-in's NAME.txt snapshots: the screen line, the open
// menu and the text layer, and the terminal's rows rebuilt from the
// characters drawn.
#pragma once

#include <string>
#include <vector>

struct Snapshot_Entry {
    bool rect;  // DrawTextRect (a key label) rather than DrawString
    int x, y, width, height;
    std::string text;
};

struct Snapshot {
    int width = 0, height = 0, orientation = 0;
    long stale = -1;
    // The place the open menu was opened at, when one is open.
    bool menu_open = false;
    int menu_x = 0, menu_y = 0;
    std::vector<Snapshot_Entry> entries;
};

// An empty Snapshot (width 0) when the file is missing or malformed.
Snapshot read_snapshot(std::string const& path);

// The terminal's rows as text: the DrawString entries above keyboard_top,
// each put at its cell of the grid that starts at (10, 10); rows with nothing
// drawn are empty.
std::vector<std::string> terminal_rows(Snapshot const& snapshot, int cell_width, int line_height, int keyboard_top);

// Whether a key label drawn with DrawTextRect reads exactly this.
bool has_key_label(Snapshot const& snapshot, std::string const& label);
