// The output cycle: fetch what the child wrote, let the interpreter apply it
// with the cursor hidden, and refresh the union of everything painted with a
// single update; the timer that repeats it at the pace that input and output
// set; the cursor and the bell.
#include <algorithm>
#include <string>

#include "app/messenger.h"
#include "platform/callback_guard.h"
#include "platform/inkview_utils.h"
#include "terminal/display.h"

namespace {

constexpr int bell_height = 30;

}

// The cursor is shown on the grid cell nearest to its position: one past the
// last column (after writing the last column) it sits on the last column, and
// nothing outside the grid is ever inverted. On either half of a wide
// character it covers the whole character.
Rect Display::toggle_cursor()
{
    if (lines.empty() || columns <= 0)
        return Rect{};
    int column = std::clamp(cursor_column, 0, columns - 1);
    int const row = std::clamp(cursor_row, 0, rows - 1);
    Line const& line = lines[static_cast<std::size_t>(row)];
    int cells = 1;
    if (line.is_continuation(static_cast<unsigned int>(column))) {
        --column;
        cells = 2;
    } else if (column + 1 < columns && line.is_continuation(static_cast<unsigned int>(column + 1))) {
        cells = 2;
    }
    Rect const cell{margin + column * char_width, margin + row * line_height, cells * char_width, line_height};
    Inkview_Utils::InvertAreaR(cell);
    return cell;
}

// After the platform cleared the screen: every row from its cells, and the
// cursor shown again so that the next cycle's hiding finds it. The caller
// refreshes the panel.
void Display::redraw()
{
    if (reversed)
        Inkview_Utils::FillAreaR(text_area(), paper());
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
    pace.cycle_done(text.size() > unconsumed);
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
        if (!painted.empty() || shown != hidden || bell_rang || full_refresh_due) {
            Rect area = hidden;
            area += painted;
            area += shown;
            refresh(area);
        }
    }
    unconsumed = text.size();
    start_timer();
}

void Display::reply(std::string const& bytes) { messenger.send(message::Reply{bytes}); }

void Display::paint_pending()
{
    for (Line& line : lines)
        line.paint_pending();
}

void Display::start_timer()
{
    SetWeakTimer("tarn_timer", static_timer_handler, pace.period());
    pace.armed();
    timer_running = true;
}

void Display::stop_timer()
{
    ClearTimer(static_timer_handler);
    timer_running = false;
}

void Display::input_sent() { pace.input_sent(); }

// A timer armed for an idle second is armed again for the normal period; a
// suspended cycle stays suspended.
void Display::wake()
{
    bool const slow = pace.period() > Output_Pace::normal_ms;
    pace.user_acted();
    if (slow && timer_running)
        start_timer();
}

void Display::static_timer_handler()
{
    callback_guard::run([] {
        if (s_handling_display)
            s_handling_display->check();
    });
}
