// Config: every setting with its default, read once from the configuration
// file at start-up. Problems in the file are reported on standard error and
// never stop the program.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/paths.h"

class Config {
public:
    explicit Config(std::string const& path = paths::config_file());

    // The font sizes a setting may name; font size changes stay within them too.
    static constexpr std::int32_t smallest_font_size = 6;
    static constexpr std::int32_t largest_font_size = 72;

private:
    // What the file defined, by lower-case keyword; the checks consume it and
    // whatever is left is reported as unsupported.
    std::map<std::string, std::string> keyword_table;

public:
    std::int32_t orientation = 0;
    std::int32_t check_interval = 100;
    std::string normal_font = "DejaVuSansMono";
    std::string bold_font = "DejaVuSansMono-Bold";
    std::string italic_font = "DejaVuSansMono-Oblique";
    std::string italic_bold_font = "DejaVuSansMono-BoldOblique";
    std::string kbd_font = "DejaVuSansMono-Bold";
    std::int32_t font_size = 24;
    std::int32_t kbd_font_size = 24;
    std::int32_t font_step = 1;
    std::int32_t line_spacing = 0;
    std::string editor = paths::editor();
    std::string keyboard_file = paths::keyboard_file();
    std::int32_t minimum_keyboard_height = 0;
    std::int32_t full_refresh_every = 0;  // output cycles; 0: never
    std::int32_t fast_typing = 0;         // 1: monochrome updates while typing
    std::int32_t fast_typing_pause = 1000;  // ms without them before the grey update

private:
    void parse_cfg_file(std::string const& path);
    void parse_line(std::string line, int number);
    std::string get_cleaned_string(std::string const& keyword) const;
    void checked_int(std::string const& keyword, int min, int max, std::int32_t& out);
    void checked_normal_font();
    void checked_bold_font();
    void checked_italic_font();
    void checked_italic_bold_font();
    void checked_kbd_font();
    void checked_font(std::string const& keyword, char const* kind, int size, std::string& out);
    void checked_editor();
    void checked_keyboard_file();
    void report_unsupported_keywords() const;
};
