// Submenu: a growing list of menu items with running indices, kept in the
// layout the platform reads (contiguous, closed by a type-0 record).
#include "input/submenu.h"

Submenu::Submenu(int first_index, int reversed_order)
    : items{imenu{0, 0, nullptr, nullptr}}, first(first_index), reversed(reversed_order)
{
}

int Submenu::added() const { return int(items.size()) - 1; }

int Submenu::next_index() const { return first + added(); }

void Submenu::add(short type, char const* text)
{
    imenu const item{type, short(next_index()), const_cast<char*>(text), nullptr};
    items.insert(reversed ? items.begin() : items.end() - 1, item);
}

bool Submenu::has(int index) const { return first <= index && index < next_index(); }

int Submenu::position(int index) const
{
    return reversed ? added() - 1 - (index - first) : index - first;
}

imenu& Submenu::at(int index) { return items[position(index)]; }

imenu const& Submenu::at(int index) const { return items[position(index)]; }

imenu* Submenu::addr() { return items.empty() ? nullptr : items.data(); }
