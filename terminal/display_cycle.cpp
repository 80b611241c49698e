// The output cycle: fetch what the child wrote, let the interpreter apply it
// with the cursor hidden, and refresh the union of everything painted with a
// single partial update; the timer that repeats it; the cursor and the bell.
#include <algorithm>
#include <string>

#include "app/messenger.h"
#include "platform/inkview_utils.h"
#include "terminal/display.h"

namespace {

constexpr int cycle_ms = 50;
constexpr int bell_height = 30;

}

// The cursor is shown on the grid cell nearest to its position: one past the
// last column (after writing the last column) it sits on the last column, and
// nothing outside the grid is ever inverted.
Rect Display::toggle_cursor()
{
    if (lines.empty() || columns <= 0)
        return Rect{};
    int const column = std::clamp(cursor_column, 0, columns - 1);
    int const row = std::clamp(cursor_row, 0, rows - 1);
    Rect const cell{margin + column * char_width, margin + row * line_height, char_width, line_height};
    Inkview_Utils::InvertAreaR(cell);
    return cell;
}

// After the platform cleared the screen: every row from its cells, and the
// cursor shown again so that the next cycle's hiding finds it. The caller
// refreshes the panel.
void Display::redraw()
{
    for (Line& line : lines)
        line.draw();
    toggle_cursor();
}

// The visual bell: the band just above the keyboard flashes once.
void Display::blink()
{
    // The band shows what was written before the bell.
    paint_pending();
    Rect const band{0, ScreenHeight() - keyboard_height - bell_height, ScreenWidth(), bell_height};
    Inkview_Utils::InvertAreaR(band);
    Inkview_Utils::PartialUpdateR(band);
    Inkview_Utils::InvertAreaR(band);
    Inkview_Utils::PartialUpdateR(band);
    bell_rang = true;
}

void Display::check()
{
    stop_timer();
    request::Get_Text fetch;
    messenger.send(fetch);
    std::string& text = *fetch.text;
    if (!text.empty()) {
        bell_rang = false;
        Rect const hidden = toggle_cursor();
        deferring = true;
        Rect const painted = interpreter.interpret(text);
        paint_pending();
        deferring = false;
        Rect const shown = toggle_cursor();
        // Input that only waits for the rest of a sequence paints nothing and
        // leaves the cursor in place: the panel shows all there is already,
        // unless the bell refreshed it while the cursor was hidden.
        if (!painted.empty() || shown != hidden || bell_rang) {
            Rect area = hidden;
            area += painted;
            area += shown;
            refresh(area);
        }
    }
    start_timer();
}

void Display::paint_pending()
{
    for (Line& line : lines)
        line.paint_pending();
}

void Display::start_timer() { SetWeakTimer("tarn_timer", static_timer_handler, cycle_ms); }

void Display::stop_timer() { ClearTimer(static_timer_handler); }

void Display::static_timer_handler()
{
    if (s_handling_display)
        s_handling_display->check();
}
