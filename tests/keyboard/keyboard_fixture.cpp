// Helpers shared by the keyboard tests.
#include "tests/keyboard/keyboard_fixture.h"

#include <stdexcept>

#include "app/tarn_exception.h"

Keyboard_Test::Keyboard_Test()
{
    host::reset(600, 800);
    fake::reset();
}

Keyboard_Handler& Keyboard_Test::load()
{
    handler = std::make_unique<Keyboard_Handler>(messenger, config);
    return *handler;
}

Keyboard_Handler& Keyboard_Test::load_builtin()
{
    config.keyboard_file = "";
    return load();
}

Keyboard_Handler& Keyboard_Test::load_text(std::string const& file_text)
{
    sandbox.write_file("test.kbd", file_text);
    config.keyboard_file = sandbox.path("test.kbd");
    return load();
}

Keyboard_Handler& Keyboard_Test::load_shipped()
{
    config.keyboard_file = TARN_SOURCE_DIR "/data/tarn.kbd";
    return load();
}

std::string Keyboard_Test::error_for(std::string const& file_text)
{
    try {
        load_text(file_text);
    } catch (Tarn_Exception const& e) {
        return e.what();
    }
    ADD_FAILURE() << "no exception for:\n" << file_text;
    return "";
}

Keyboard const& Keyboard_Test::shown() const
{
    return handler->keyboard_layouts()[static_cast<std::size_t>(handler->shown_layout())];
}

Kbd_Button const& Keyboard_Test::key(std::string const& text) const
{
    for (Kbd_Row const& row : shown().rows)
        for (Kbd_Button const& button : row.buttons)
            if (button.text == text)
                return button;
    throw std::logic_error("no key for '" + text + "' in the shown layout");
}

void Keyboard_Test::tap(std::string const& text)
{
    Kbd_Button const& k = key(text);
    tap_at(k.x + k.width / 2, k.y + k.height / 2);
}

void Keyboard_Test::tap_at(int x, int y)
{
    handler->press(x, y);
    handler->release();
}

std::vector<unsigned char> Keyboard_Test::pixels(Rect const& area)
{
    std::vector<unsigned char> out;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x)
            out.push_back(host::buffer_pixel(x, y));
    return out;
}

bool highlighted(Kbd_Button const& key)
{
    // Label-free spots: just inside the highlight's corner.
    return host::buffer_pixel(key.x + 3, key.y + 3) == 0;
}
