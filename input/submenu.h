// Submenu: one list of platform menu items ending in the end-of-list record,
// whose item indices run on from a first index so that several lists and the
// main menu never share one.
#pragma once

#include <vector>

#include "platform/inkview.h"

class Submenu {
public:
    // reversed != 0: new items go to the front and positions count from the back.
    Submenu(int first, int reversed);

    // The platform never writes through text; it must outlive the menu's showing.
    void add(short type, char const* text);
    bool has(int index) const;
    int position(int index) const;
    // index must satisfy has().
    imenu& at(int index);
    imenu const& at(int index) const;
    imenu* addr();
    // The index the next added item would get; where a following list can start.
    int next_index() const;

private:
    int added() const;

    std::vector<imenu> items;
    int first;
    int reversed;
};
