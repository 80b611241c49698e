// Damage merged per cycle with scrolls apart (VTERM_DAMAGE_SCROLL); with no
// pixels to move, a moved area is repainted like a damaged one, the cycle's
// bounding box of both, as our display refreshes one rectangle per cycle.
// Answers the stream asks for (cursor position reports) are dropped.
#include "bench/libvterm_terminal.h"

#include <vterm.h>

#include <algorithm>
#include <stdexcept>

namespace bench {

namespace {

Libvterm_Terminal& of(void* user) { return *static_cast<Libvterm_Terminal*>(user); }

int on_damage(VTermRect rect, void* user)
{
    of(user).damage(rect.start_row, rect.end_row, rect.start_col, rect.end_col);
    return 1;
}

int on_move(VTermRect dest, VTermRect, void* user)
{
    of(user).damage(dest.start_row, dest.end_row, dest.start_col, dest.end_col);
    return 1;
}

VTermScreenCallbacks const callbacks = {on_damage, on_move, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

void drop_output(char const*, std::size_t, void*) {}

}

Libvterm_Terminal::Libvterm_Terminal(Grid g)
    : grid(g), terminal(vterm_new(g.rows, g.columns)), screen(nullptr), top(0), bottom(0), left(0), right(0)
{
    if (!terminal)
        throw std::runtime_error("vterm_new failed");
    vterm_set_utf8(terminal, 1);
    vterm_output_set_callback(terminal, drop_output, nullptr);
    screen = vterm_obtain_screen(terminal);
    vterm_screen_set_callbacks(screen, &callbacks, this);
    vterm_screen_set_damage_merge(screen, VTERM_DAMAGE_SCROLL);
    vterm_screen_reset(screen, 1);
    vterm_screen_flush_damage(screen);
    paint_damage();
}

Libvterm_Terminal::~Libvterm_Terminal() { vterm_free(terminal); }

void Libvterm_Terminal::feed(std::string const& bytes)
{
    for (std::size_t at = 0; at < bytes.size(); at += cycle_bytes) {
        vterm_input_write(terminal, bytes.data() + at, std::min(cycle_bytes, bytes.size() - at));
        vterm_screen_flush_damage(screen);
        paint_damage();
    }
}

void Libvterm_Terminal::damage(int t, int b, int l, int r)
{
    if (top >= bottom) {
        top = t, bottom = b, left = l, right = r;
        return;
    }
    top = std::min(top, t);
    bottom = std::max(bottom, b);
    left = std::min(left, l);
    right = std::max(right, r);
}

void Libvterm_Terminal::paint_damage()
{
    VTermScreenCell cell;
    for (VTermPos pos{top, 0}; pos.row < bottom; ++pos.row)
        for (pos.col = left; pos.col < right; ++pos.col) {
            vterm_screen_get_cell(screen, pos, &cell);
            ++read;
        }
    top = bottom = 0;
}

char32_t Libvterm_Terminal::character(int row, int column) const
{
    VTermScreenCell cell;
    vterm_screen_get_cell(screen, VTermPos{row, column}, &cell);
    return cell.chars[0] ? cell.chars[0] : U' ';
}

}
