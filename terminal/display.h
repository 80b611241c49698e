// Display: the terminal's screen, a grid of rows above the on-screen keyboard
// with its cursor, scroll region, attribute modes for new characters and four
// fonts, and the output cycle that shows what the child wrote.
#pragma once

#include <string>
#include <vector>

#include "platform/inkview.h"
#include "platform/rect.h"
#include "terminal/line.h"
#include "terminal/output_pace.h"
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
    void get_pos(int& column, int& row) const;
    Rect set_pos(int column, int row);
    void set_scroll_region(int top, int bottom);
    void set_bold_mode(bool on);
    void set_italic_mode(bool on);
    void set_reverse_mode(bool on);
    // DECAWM: with automatic margins a character written in the last column
    // leaves the wrap pending, and the next one starts the next row.
    void set_auto_wrap(bool on);
    // IRM: a character written in insert mode pushes the rest of its row right.
    void set_insert_mode(bool on);
    // Writes c at the cursor in as many cells as it is wide and moves the
    // cursor past them; a combining mark joins the character before the cursor.
    Rect insert(wchar_t c);
    // Printable characters: insert of each in turn, a row's part at a time
    // where they are one cell wide.
    Rect insert_text(wchar_t const* text, std::size_t count);
    // HT: to the next tab stop (every eighth column), never past the last.
    Rect tab();
    Rect delete_chars(int count);
    Rect clear_to_end_of_line();
    Rect clear_from_begin_of_line();
    Rect clear_to_end_of_screen();
    Rect clear_screen();
    Rect delete_lines(int count, int start);
    Rect insert_lines(int count);
    Rect toggle_cursor();
    void blink();
    void redraw();

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
    void set_mode(unsigned char bit, bool on);
    Rect combine(wchar_t mark);
    // The areas that rows first to last show, and repaint from their cells.
    Rect shown(int first, int last) const;
    Rect repaint_whole(int first, int last);
    // Makes a cycle's painting visible.
    void refresh(Rect const& area);
    void repaint_kept(std::vector<Line> const& old_lines);

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
    // The last column was written: the cursor column is one past it until
    // the next character wraps or the cursor moves.
    bool wrap_pending = false;
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
