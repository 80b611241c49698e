// Keyboard_Handler: the on-screen keyboards read from the keyboard file, drawn
// at the bottom of the screen, turning key presses into text for the child.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "keyboard/keyboard.h"
#include "platform/inkview.h"

class Config;
class Messenger;

class Keyboard_Handler {
public:
    // Reads the keyboards, lays them out and draws the first one. Throws
    // Tarn_Exception when the font or the keyboard file cannot be used.
    Keyboard_Handler(Messenger& messenger, Config const& config);
    ~Keyboard_Handler();
    Keyboard_Handler(Keyboard_Handler const&) = delete;
    Keyboard_Handler& operator=(Keyboard_Handler const&) = delete;

    // Pixel rows of keys; the separator line adds two above them.
    int keyboard_height() const { return height; }
    int keyboard_top() const { return top; }
    std::vector<std::string> const& keyboard_names() const { return names; }
    std::string const& current_keyboard_name() const { return names[static_cast<std::size_t>(current_layout / 2)]; }
    // All layouts, two per keyboard (normal, shifted), and the one shown.
    std::vector<Keyboard> const& keyboard_layouts() const { return layouts; }
    int shown_layout() const { return current_layout; }

    void draw();
    void screen_dimensions_changed();
    void press(int x, int y);
    void release();
    // The touch ended without a release (the system took it over): the held
    // key is let go, its highlight removed, and nothing is typed.
    void cancel();
    void set_keyboard(int k);
    void change_keyboard(int step);

private:
    struct Font_Closer {
        void operator()(ifont* font) const { CloseFont(font); }
    };
    // What getline reports about the next significant line.
    enum Line_Kind { end_of_input = 0, keyboard_marker = 1, layout_marker = 2, data_line = 3 };

    void read_kbd_file(std::string const& path);
    static Line_Kind getline(std::istream& input, std::string& line);
    void default_rows();
    void check_layouts(std::string const& path);
    // Turns a key's highlight on or off and refreshes it.
    void flip(Kbd_Button const& key);
    void disarm_ctrl();

    Messenger& messenger;
    std::vector<std::string> names;
    std::vector<Keyboard> layouts;
    std::int32_t current_layout = 0;  // 2 x keyboard + shift bit
    std::unique_ptr<ifont, Font_Closer> font;
    std::int32_t font_size;
    Kbd_Button const* pressed_button = nullptr;  // held since the touch began
    std::int32_t top = 0;
    std::int32_t height = 0;
    std::int32_t max_units = 0;
    Kbd_Button const* ctrl_button = nullptr;  // armed: the next key becomes a control byte
    std::int32_t minimum_height;
};
