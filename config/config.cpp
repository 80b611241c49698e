// Reading and checking the configuration file: "keyword: value" lines with
// "#" comments, each value checked in a fixed order, each problem one line on
// standard error while the setting keeps its default.
#include "config/config.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iostream>

#include "config/utils.h"
#include "platform/inkview.h"

namespace {

void warn(std::string const& message) { std::cerr << message << std::endl; }

// Byte by byte, A to Z only, so that the result does not depend on the locale.
std::string lower_case(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The platform and the system see names up to their first zero byte; a name
// with one inside would be checked and used as a different, shorter name.
bool has_zero_byte(std::string const& name) { return name.find('\0') != std::string::npos; }

}

Config::Config(std::string const& path)
{
    parse_cfg_file(path);
    // Fonts are tried at the sizes already checked, and line_spacing's lower
    // bound is the checked font size: the order matters.
    checked_int("font_size", smallest_font_size, largest_font_size, font_size);
    checked_normal_font();
    checked_bold_font();
    checked_italic_font();
    checked_italic_bold_font();
    checked_int("kbd_font_size", smallest_font_size, largest_font_size, kbd_font_size);
    checked_kbd_font();
    checked_keyboard_file();
    checked_editor();
    checked_int("orientation", 0, 3, orientation);
    checked_int("check_interval", 50, 10000, check_interval);
    checked_int("font_step", 1, 10, font_step);
    checked_int("line_spacing", -font_size, 100, line_spacing);
    checked_int("minimum_keyboard_height", 0, std::min(ScreenWidth(), ScreenHeight()) * 3 / 4,
                minimum_keyboard_height);
    checked_int("full_refresh_every", 0, 10000, full_refresh_every);
    checked_int("fast_typing", 0, 1, fast_typing);
    checked_int("fast_typing_pause", 200, 10000, fast_typing_pause);
    report_unsupported_keywords();
}

// A file that cannot be opened is no error: the defaults simply stand.
void Config::parse_cfg_file(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string line;
    for (int number = 1; std::getline(file, line); ++number)
        parse_line(std::move(line), number);
}

void Config::parse_line(std::string line, int number)
{
    line.erase(std::min(line.find('#'), line.size()));
    if (Utils::trim(line).empty())
        return;
    auto const colon = line.find(':');
    if (colon == std::string::npos) {
        warn("Line " + std::to_string(number) + " of configuration file is invalid (missing colon)");
        return;
    }
    std::string const keyword = lower_case(Utils::const_trim(line.substr(0, colon)));
    if (keyword.empty()) {
        warn("Missing keyword on line " + std::to_string(number) + " of configuration file");
        return;
    }
    if (keyword_table.count(keyword) != 0) {
        warn("Redefinition of keyword '" + keyword + " on line " + std::to_string(number)
             + " of configuration file, skipped");
        return;
    }
    keyword_table.emplace(keyword, Utils::const_trim(line.substr(colon + 1)));
}

// Surrounding double quotes are the only way to keep blanks at either end.
std::string Config::get_cleaned_string(std::string const& keyword) const
{
    auto const entry = keyword_table.find(keyword);
    if (entry == keyword_table.end())
        return "";
    std::string const& value = entry->second;
    if (value == "\"")
        return "";
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

void Config::checked_int(std::string const& keyword, int min, int max, std::int32_t& out)
{
    auto const entry = keyword_table.find(keyword);
    if (entry == keyword_table.end())
        return;
    std::string const value = entry->second;
    keyword_table.erase(entry);
    int number = 0;
    if (value.empty())
        warn("Missing value for keyword '" + keyword + "' in configuration file");
    else if (!Utils::to_int(number, value, 10))
        warn("Value for keyword '" + keyword + "' in configuration file isn't an integer");
    else if (number < min || number > max)
        warn("Value for keyword '" + keyword + "' in configuration file isn't in the range ["
             + std::to_string(min) + ", " + std::to_string(max) + "]");
    else
        out = number;
}

void Config::checked_normal_font() { checked_font("normal_font", "normal", font_size, normal_font); }
void Config::checked_bold_font() { checked_font("bold_font", "bold", font_size, bold_font); }
void Config::checked_italic_font() { checked_font("italic_font", "italic", font_size, italic_font); }
void Config::checked_italic_bold_font()
{
    checked_font("italic_bold_font", "italic-bold", font_size, italic_bold_font);
}
void Config::checked_kbd_font() { checked_font("kbd_font", "keyboard", kbd_font_size, kbd_font); }

// A font is accepted only if the platform can open it at the size it will be
// used at; it is closed again at once, its users open their own.
void Config::checked_font(std::string const& keyword, char const* kind, int size, std::string& out)
{
    std::string const name = get_cleaned_string(keyword);
    if (!name.empty()) {
        if (ifont* font = has_zero_byte(name) ? nullptr : OpenFont(name.c_str(), size, 0)) {
            CloseFont(font);
            out = name;
        } else {
            warn(std::string("Can't use ") + kind + " font '" + name
                 + "' requested in configuartion file");
        }
    }
    keyword_table.erase(keyword);
}

void Config::checked_editor()
{
    std::string const path = get_cleaned_string("editor");
    if (!path.empty()) {
        if (!has_zero_byte(path) && access(path.c_str(), X_OK) == 0)
            editor = path;
        else
            warn("Can't use editor executable '" + path + "' requested in configuration file");
    }
    keyword_table.erase("editor");
}

// The empty path is a valid choice (the built-in keyboards); a file that
// cannot be read is the keyboard's to report.
void Config::checked_keyboard_file()
{
    auto const entry = keyword_table.find("keyboard_file");
    if (entry == keyword_table.end())
        return;
    std::string const path = get_cleaned_string("keyboard_file");
    if (has_zero_byte(path))
        warn("Can't use keyboard file '" + path + "' requested in configuration file");
    else
        keyboard_file = path;
    keyword_table.erase(entry);
}

void Config::report_unsupported_keywords() const
{
    for (auto const& entry : keyword_table)
        warn("Unsupported keyword '" + entry.first + "' found in configuration file");
}
