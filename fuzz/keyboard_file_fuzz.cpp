// Fuzz target: arbitrary keyboard definition files. A bad file may only be
// refused with a Tarn_Exception that has a message. A good one is laid out at
// several screen sizes in all four orientations; each time every key must lie
// in the keyboard's band, the band's height must not depend on the
// orientation, hit-testing must find keys under the point, and drawing and
// key presses must paint nothing above the band and leave no stale pixels.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/tarn_exception.h"
#include "config/config.h"
#include "fuzz/input_file.h"
#include "host/host.h"
#include "keyboard/keyboard_handler.h"
#include "tests/support/fake_messenger.h"

namespace {

struct Size {
    int width, height;
};
Size const screen_sizes[] = {{600, 800}, {758, 1024}, {1072, 1448}, {320, 240}};

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Nothing above the band (the separator's two rows and the keys) is painted.
bool blank_above(int band_top)
{
    std::vector<unsigned char> const& buffer = host::buffer();
    std::size_t const end = static_cast<std::size_t>(std::clamp(band_top, 0, host::height())) *
                            static_cast<std::size_t>(host::width());
    return std::all_of(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(end),
                       [](unsigned char pixel) { return pixel == 255; });
}

void check_layout(Keyboard_Handler const& keyboard)
{
    require(keyboard.keyboard_top() + keyboard.keyboard_height() == host::height());
    for (Keyboard const& layout : keyboard.keyboard_layouts())
        for (Kbd_Row const& row : layout.rows)
            for (Kbd_Button const& key : row.buttons) {
                if (key.hidden || key.width == 0)
                    continue;
                require(key.x >= 0 && key.x + key.width <= host::width());
                require(key.y >= keyboard.keyboard_top() && key.y + key.height <= host::height());
            }
}

// The key found under a point holds it, counting the separator's two rows
// as part of the first row.
void check_hit(Keyboard_Handler const& keyboard, int x, int y)
{
    Keyboard const& layout = keyboard.keyboard_layouts()[static_cast<std::size_t>(keyboard.shown_layout())];
    Kbd_Button const* key = layout.find_button(x, y);
    if (!key)
        return;
    int const top = key->y == layout.top ? key->y - 2 : key->y;
    require(!key->hidden && key->is_on(x) && top <= y && y < key->y + key->height);
}

void press_keys(Keyboard_Handler& keyboard, std::uint8_t const* data, std::size_t size)
{
    int const band_top = keyboard.keyboard_top() - 2;
    Rect const band{0, band_top, host::width(), host::height() - band_top};
    for (std::size_t i = 0; i + 1 < size && i < 16; i += 2) {
        int const x = data[i] * (host::width() - 1) / 255;
        int const y = band_top + data[i + 1] * (keyboard.keyboard_height() + 1) / 255;
        check_hit(keyboard, x, y);
        keyboard.press(x, y);
        require(host::stale_pixels(band) == 0);
        keyboard.release();
        require(host::stale_pixels(band) == 0);
    }
    require(blank_above(band_top) && host::stale_pixels() == 0);
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static Input_File const input(".kbd");
    if (!input.write(data, size))
        return 0;
    host::reset(screen_sizes[0].width, screen_sizes[0].height);
    fake::reset();
    Messenger messenger(0, nullptr);
    Config config("/nonexistent");
    config.keyboard_file = input.path;
    try {
        Keyboard_Handler keyboard(messenger, config);
        for (Size const& size_of_screen : screen_sizes) {
            host::reset(size_of_screen.width, size_of_screen.height);
            int band_height = -1;
            for (int orientation = 0; orientation < 4; ++orientation) {
                SetOrientation(orientation);
                ClearScreen();
                SoftUpdate();
                keyboard.screen_dimensions_changed();
                require(band_height == -1 || keyboard.keyboard_height() == band_height);
                band_height = keyboard.keyboard_height();
                require(host::stale_pixels() == 0);
                check_layout(keyboard);
                press_keys(keyboard, data, size);
                keyboard.change_keyboard(1);
                require(host::stale_pixels() == 0);
            }
        }
    } catch (Tarn_Exception const& e) {
        require(*e.what() != '\0');
    }
    return 0;
}
