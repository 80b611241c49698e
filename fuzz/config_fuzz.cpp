// Fuzz target: arbitrary configuration files. Reading and checking one must
// never fail: every setting ends within its range, each problem is one
// non-empty line on standard error, and the checked settings build a working
// keyboard and display. Only a Tarn_Exception with a message may come out.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "app/tarn_exception.h"
#include "config/config.h"
#include "fuzz/input_file.h"
#include "host/host.h"
#include "keyboard/keyboard_handler.h"
#include "terminal/display.h"
#include "tests/support/fake_messenger.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool in(std::int32_t value, std::int32_t low, std::int32_t high) { return low <= value && value <= high; }

bool usable_name(std::string const& name) { return !name.empty() && name.find('\0') == std::string::npos; }

void check_settings(Config const& config)
{
    require(in(config.orientation, 0, 3));
    require(in(config.check_interval, 50, 10000));
    require(in(config.font_size, Config::smallest_font_size, Config::largest_font_size));
    require(in(config.kbd_font_size, Config::smallest_font_size, Config::largest_font_size));
    require(in(config.font_step, 1, 10));
    require(in(config.line_spacing, -config.font_size, 100));
    require(in(config.minimum_keyboard_height, 0, std::min(host::width(), host::height()) * 3 / 4));
    require(in(config.full_refresh_every, 0, 10000));
    for (std::string const* font : {&config.normal_font, &config.bold_font, &config.italic_font,
                                    &config.italic_bold_font, &config.kbd_font})
        require(usable_name(*font));
    require(usable_name(config.editor));
    require(config.keyboard_file.find('\0') == std::string::npos);
}

// Every warning is a whole line of its own.
void check_warnings(std::string const& warnings)
{
    if (warnings.empty())
        return;
    require(warnings.back() == '\n');
    std::istringstream lines(warnings);
    for (std::string line; std::getline(lines, line);)
        require(!line.empty());
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static Input_File const input(".cfg");
    if (!input.write(data, size))
        return 0;

    host::reset();
    fake::reset();
    std::ostringstream warnings;
    std::streambuf* const standard_error = std::cerr.rdbuf(warnings.rdbuf());
    try {
        Config config(input.path);
        check_settings(config);
        // The built-in keyboard: a keyboard file named here is the keyboard
        // target's to fuzz, and may name anything on this machine.
        config.keyboard_file.clear();
        Messenger messenger(0, nullptr);
        SetOrientation(config.orientation);
        Keyboard_Handler keyboard(messenger, config);
        Display display(messenger, config, keyboard.keyboard_height() + 2);
        require(display.row_count() >= 0 && display.column_count() >= 0);
    } catch (Tarn_Exception const& e) {
        require(e.what() != nullptr && *e.what() != '\0');
    }
    std::cerr.rdbuf(standard_error);
    check_warnings(warnings.str());
    return 0;
}
