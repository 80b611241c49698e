// Display: the terminal's screen, a grid of rows above the on-screen keyboard
// with its cursor, scroll region, attribute modes for new characters and four
// fonts, and the output cycle that shows what the child wrote.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/inkview.h"
#include "platform/rect.h"
#include "terminal/attributes.h"
#include "terminal/line.h"
#include "terminal/output_pace.h"
#include "terminal/saved_cursor.h"
#include "terminal/terminal_modes.h"
#include "terminal/vt102.h"

class Config;
class Messenger;

class Display {
public:
    Display(Messenger& messenger, Config const& config, int keyboard_height);
    ~Display();
    Display(Display const&) = delete;
    Display& operator=(Display const&) = delete;

    void setup_fonts();
    void close_fonts();
    ifont* font(unsigned char attr) const;
    // Whether a combining mark drawn alone in font moves the pen, as in
    // monospaced fonts: drawn after its letter it would then land beside it.
    bool marks_advance(ifont const* font) const;

    int column_count() const { return columns; }
    int row_count() const { return rows; }
    void char_size(int& width, int& height) const;

    // The screen model, as the interpreter drives it. Every call that paints
    // returns the area painted into the screen buffer; none refreshes the panel.
    // The cursor stays on the grid; after the last column is written it
    // stands one past it, the wrap pending, until the next character wraps
    // or the cursor moves.
    void get_pos(int& column, int& row) const;
    // CUP: rows count from the region's top in origin mode, where the cursor
    // cannot leave the region; it is kept on the grid in any case.
    void cursor_to(int column, int row);
    void cursor_to_column(int column);
    void cursor_to_row(int row);
    // The cursor as DSR reports it: on the grid, the row counted from the
    // origin; 0-based.
    void reported_position(int& column, int& row) const;
    // CUU and CUD stop at the region's margin when they start inside it, at
    // the screen's edge otherwise; CUF and CUB at the screen's edges.
    void cursor_up(int count);
    void cursor_down(int count);
    void cursor_forward(int count);
    void cursor_backward(int count);
    void carriage_return();
    // IND and RI: at the region's bottom (top) margin the region scrolls.
    Rect index();
    Rect reverse_index();
    // SU and SD: the region's rows move up (down) by count.
    Rect scroll_up(int count);
    Rect scroll_down(int count);
    // DECSTBM, 0-based and inclusive; a region of less than two rows is
    // ignored. The cursor goes home.
    void set_scroll_region(int top, int bottom);
    void reset_scroll_region() { set_scroll_region(0, rows - 1); }
    // DECOM; the cursor goes home.
    void set_origin_mode(bool on);
    void set_bold_mode(bool on) { set_mode(attribute::bold, on); }
    void set_italic_mode(bool on) { set_mode(attribute::italic, on); }
    void set_reverse_mode(bool on) { set_mode(attribute::reverse, on); }
    void set_blink_mode(bool on) { set_mode(attribute::blink, on); }
    void reset_attributes() { attribute_modes = 0; }
    unsigned char attributes() const { return attribute_modes; }
    // DECAWM: with automatic margins a character written in the last column
    // leaves the wrap pending, and the next one starts the next row; without
    // them the next one replaces it.
    void set_auto_wrap(bool on);
    // IRM: a character written in insert mode pushes the rest of its row right.
    void set_insert_mode(bool on);
    // DECSC and DECRC.
    Saved_Cursor saved_cursor() const;
    void restore_cursor(Saved_Cursor const& saved);
    // Writes c at the cursor in as many cells as it is wide and moves the
    // cursor past them; a combining mark joins the character before the cursor.
    Rect insert(wchar_t c) { return insert(c, attribute_modes); }
    // Printable characters, each with its attributes: insert of each in
    // turn, a row's part at a time where they are one cell wide.
    Rect insert_text(wchar_t const* text, unsigned char const* attrs, std::size_t count);
    // HT: to the next tab stop, or the last column when there is none.
    void tab();
    // HTS, TBC 0 and TBC 3.
    void set_tab_stop();
    void clear_tab_stop();
    void clear_tab_stops();
    // ICH, DCH and ECH at the cursor, cut at the row's end.
    Rect insert_blanks(int count);
    Rect delete_chars(int count);
    Rect erase_chars(int count);
    // EL 0, 1 and 2; ED 0, 1 and 2.
    Rect clear_to_end_of_line();
    Rect clear_from_begin_of_line();
    Rect clear_line();
    Rect clear_to_end_of_screen();
    Rect clear_from_begin_of_screen();
    Rect clear_screen();
    // IL and DL: only with the cursor inside the region, which they move to
    // the left margin.
    Rect insert_lines(int count);
    Rect delete_lines(int count);
    // DECALN: every cell an E, the region the whole screen, the cursor home.
    Rect alignment_pattern();
    // DECSCNM: the whole text area in reverse; the cycle ends in a full refresh.
    void set_screen_reversed(bool on);
    bool screen_reversed() const { return reversed; }
    // What blank cells show: white, or black on a reversed screen.
    int paper() const;
    // RIS: the screen cleared and every mode, stop and margin as at the start.
    Rect reset();
    Rect toggle_cursor();
    void blink();
    void redraw();
    // Bytes for the child that answer its requests (reports).
    void reply(std::string const& bytes);
    Terminal_Modes const& terminal_modes() const { return interpreter.modes(); }

    // The output cycle.
    void check();
    // While the cycle applies the child's output, rows only mark what changed
    // and paint_pending paints it, so that a cell rewritten or scrolled many
    // times in one cycle is painted once.
    bool painting_deferred() const { return deferring; }
    void paint_pending();
    void start_timer();
    void stop_timer();
    // Bytes went to the child: the next cycles come quickly, for its echo.
    void input_sent();
    // The user acted: a cycle slowed down by a quiet while comes at the normal period again.
    void wake();
    static void static_timer_handler();
    static Display* s_handling_display;

    void screen_dimensions_changed();
    void change_font_size(int delta);

    // Reading the model back.
    Line const& line(int row) const { return lines.at(static_cast<std::size_t>(row)); }
    void scroll_region(int& top, int& bottom) const;

private:
    // The grid starts this many pixels from the left and top edges.
    static constexpr int margin = 10;

    bool row_exists(int row) const { return row >= 0 && row < static_cast<int>(lines.size()); }
    void set_mode(unsigned char bit, bool on)
    {
        attribute_modes = on ? (attribute_modes | bit) : (attribute_modes & ~bit);
    }
    Rect insert(wchar_t c, unsigned char attr);
    Rect combine(wchar_t mark);
    // The cursor's column on the grid: the last one while the wrap is pending.
    int grid_column() const { return std::max(0, std::min(cursor_column, columns - 1)); }
    // The first and last rows the cursor may reach, and its origin row.
    int top_limit() const { return origin_mode ? scroll_top : 0; }
    int bottom_limit() const { return origin_mode ? scroll_bottom : rows - 1; }
    // Rows first to last of the region move up (down) by count; blank rows fill in.
    Rect rows_up(int first, int count);
    Rect rows_down(int first, int count);
    void default_tab_stops();
    // The areas that rows first to last show, and repaint from their cells.
    Rect shown(int first, int last) const;
    void repaint_whole(int first, int last);
    Rect with_moved(Rect const& area, int count, int first) const;
    // Makes a cycle's painting visible.
    void refresh(Rect const& area);
    void repaint_kept(std::vector<Line> const& old_lines);
    // The screen above the keyboard band.
    Rect text_area() const;

    Messenger& messenger;
    VT102 interpreter;
    std::string normal_font_name;
    std::string bold_font_name;
    std::string italic_font_name;
    std::string italic_bold_font_name;
    int font_size;
    ifont* normal_font = nullptr;
    ifont* bold_font = nullptr;
    ifont* italic_font = nullptr;
    ifont* italic_bold_font = nullptr;
    // The open fonts in which a combining mark has an advance of its own.
    std::vector<ifont const*> fonts_with_advancing_marks;
    int line_spacing;
    int keyboard_height;
    int columns = 0;
    int rows = 0;
    int cursor_column = 0;
    int cursor_row = 0;
    int char_width = 0;
    int line_height = 0;
    int scroll_top = 0;
    int scroll_bottom = -1;
    unsigned char attribute_modes = 0;
    bool auto_wrap = true;
    bool insert_mode = false;
    bool origin_mode = false;
    bool reversed = false;
    // A whole new picture this cycle: it ends in a full refresh.
    bool full_refresh_due = false;
    std::vector<bool> tab_stops;
    std::vector<Line> lines;
    int font_height = 0;
    // The bell refreshed the panel during this cycle, with the cursor hidden.
    bool bell_rang = false;
    bool deferring = false;
    Output_Pace pace;
    bool timer_running = false;
    // What the interpreter left of the child's output for the next cycle:
    // anything beyond it in the next fetch is new.
    std::size_t unconsumed = 0;
    // Every this many refreshing cycles the whole panel gets a full update; 0 never.
    int full_refresh_every;
    int cycles_since_full_refresh = 0;
};
