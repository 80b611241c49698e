// The soak script's generator. It follows what its own actions do to the
// program's state (orientation, touch mode, keyboard) only as far as it must
// to keep every command valid: a long press opens the menu only in arrow-key
// mode, and typed characters must be on the keyboard shown.
#include "tests/soak/soak_script.h"

#include <random>
#include <sstream>
#include <vector>

namespace {

// The shipped keyboard's band: 240 pixel rows of five key rows, plus 2.
constexpr int keyboard_band = 242;
constexpr int key_row = 48;
// Menu indices with the touch submenu present (vim's mouse is on under the
// editor profile): arrow keys, mouse, then the three keyboards.
constexpr int menu_rotate = 2, menu_exit = 3, menu_arrow = 4, menu_mouse = 5, menu_english = 6;
constexpr int key_menu = 23, key_prev = 24, key_next = 25;

// On the English keyboard's normal layout, and safe in insert mode.
char const typeable[] = "1234567890qwertyuiopasdfghjkl;'zxcvbnm.,-+[]:/*";
// Control characters that keep vim in insert mode: not c (leaves it), o (one
// normal-mode command) or z (suspends).
char const control_letters[] = "abdefghijklmnpqrstuvwxy";
// Normal-mode commands that keep the session's descriptors as they were:
// nothing opens a second file or buffer.
std::vector<std::string> const commands{"u", "dd", "x", "p", "yy", "j", "k", "gg", "w", "b", "0", "ou",
                                        ":e", ":w", ":1", ":sp", ":only", "/line", ":redraw", ":set nu",
                                        ":set nonu", "zz", "5j", "3k", "dw"};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : random(seed) {}

    Soak_Script run(int actions)
    {
        out << "settle 400 8000\n";
        checkpoint();
        out << "descriptors start\n";
        for (int i = 0; i < actions; ++i) {
            action();
            if (i % 20 == 19)
                checkpoint();
        }
        checkpoint();
        out << "descriptors end\n";
        open_menu();
        out << "menu " << menu_exit << "\nwait 2000\nsnapshot never\n";
        return {out.str(), checkpoints};
    }

private:
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    // The platform's orientations 1 and 2 are the landscape ones.
    bool landscape() const { return orientation == 1 || orientation == 2; }
    int width() const { return landscape() ? 800 : 600; }
    int height() const { return landscape() ? 600 : 800; }
    int text_bottom() const { return height() - keyboard_band; }
    int text_x() { return between(0, width() - 1); }
    int text_y() { return between(0, text_bottom() - 1); }

    void checkpoint()
    {
        std::string const name = "c" + std::to_string(checkpoints++);
        out << "settle 150 5000\ncheck_panel\nsnapshot " << name << "\nwindow_size " << name << '\n';
    }

    // A long press on the text in arrow-key mode; the menu key otherwise.
    void open_menu()
    {
        if (mouse_mode || chance(30)) {
            out << "key " << key_menu << '\n';
            return;
        }
        int const x = text_x(), y = text_y();
        out << "press " << x << ' ' << y << "\nlong " << x << ' ' << y << '\n';
        pending_release = "release " + std::to_string(x) + ' ' + std::to_string(y) + '\n';
    }

    void close_menu(int answer)
    {
        out << "menu " << answer << '\n';
        if (answer == menu_rotate) {
            orientation = between(0, 3);
            out << "rotate " << orientation << '\n';
        } else if (answer == menu_arrow || answer == menu_mouse) {
            mouse_mode = answer == menu_mouse;
        } else if (answer >= menu_english) {
            keyboard = answer - menu_english;
        }
        out << pending_release;
        pending_release.clear();
    }

    void menu_action()
    {
        open_menu();
        int const answers[] = {-1, 0, 1, menu_rotate, menu_arrow, menu_mouse, menu_english, menu_english + 1,
                               menu_english + 2};
        close_menu(answers[between(0, 8)]);
    }

    // Typing needs the English keyboard; the menu brings it back.
    void ensure_english()
    {
        if (keyboard == 0)
            return;
        open_menu();
        close_menu(menu_english);
    }

    void type_text(std::string const& text)
    {
        if (!text.empty())
            out << "type " << text << '\n';
    }

    void enter() { out << "tapkey Ctrl\ntype m\n"; }

    // Esc first: whatever keys tapped at random began (a command line, an
    // operator) is dropped, so random text never runs as a command.
    void typing()
    {
        ensure_english();
        out << "tapkey Esc\n";
        if (chance(40)) {
            std::string const& command = commands[between(0, int(commands.size()) - 1)];
            std::size_t const blank = command.find(' ');
            type_text(command.substr(0, blank));
            if (blank != std::string::npos) {
                out << "tap " << space_x() << ' ' << height() - key_row / 2 << '\n';
                type_text(command.substr(blank + 1));
            }
            if (command[0] == ':' || command[0] == '/')
                enter();
            if (command == "ou")
                out << "tapkey Esc\n";
            return;
        }
        out << "type i\n";
        int const count = between(1, 30);
        std::string run;
        for (int i = 0; i < count; ++i) {
            int const what = between(1, 100);
            if (what <= 85) {
                run += typeable[between(0, sizeof typeable - 2)];
                continue;
            }
            type_text(run);
            run.clear();
            if (what <= 93) {
                out << "tapkey Ctrl\ntype " << control_letters[between(0, sizeof control_letters - 2)] << '\n';
            } else if (what <= 97) {
                enter();
            } else {
                out << "tap " << width() - 10 << ' ' << height() - key_row / 2 << '\n';  // Ok: enter
            }
        }
        type_text(run);
        out << "tapkey Esc\n";
    }

    // The space bar of the English keyboard's last row: units 4 and 5 of 11.
    int space_x() const { return width() * 5 / 11; }

    // Keys of the upper four rows: no shift or ctrl there in any keyboard.
    void keyboard_tap()
    {
        out << "tap " << between(0, width() - 1) << ' ' << between(height() - 236, height() - key_row - 4) << '\n';
    }

    void swipe()
    {
        int const steps = between(1, 20);
        out << "swipe " << text_x() << ' ' << text_y() << ' ' << text_x() << ' ' << text_y() << ' ' << steps << '\n';
    }

    void pinch()
    {
        int const cx = text_x(), cy = text_y();
        int const from = between(10, 200), to = between(10, 300);
        out << "press " << cx << ' ' << cy << '\n';
        out << "touch " << cx - from << ' ' << cy << ' ' << cx + from << ' ' << cy << " 2\n";
        out << "touch " << cx - to << ' ' << cy << ' ' << cx + to << ' ' << cy << " 2\n";
        out << "touch " << cx - to << ' ' << cy << ' ' << cx + to << ' ' << cy << " 1\n";
        out << "release " << cx << ' ' << cy << '\n';
    }

    void hardware_key()
    {
        int const key = chance(50) ? key_prev : key_next;
        int const hold = chance(50) ? 0 : between(1, 4);
        out << "key " << key << ' ' << hold << '\n';
        if (hold != 0)
            return;
        // The pair swaps in the landscape orientations.
        if ((key == key_prev) != landscape())
            mouse_mode = !mouse_mode;
        else
            keyboard = (keyboard + 1) % 3;
    }

    void action()
    {
        int const what = between(1, 100);
        if (what <= 20)
            out << "tap " << text_x() << ' ' << text_y() << '\n';
        else if (what <= 32)
            swipe();
        else if (what <= 52)
            typing();
        else if (what <= 62)
            keyboard_tap();
        else if (what <= 70)
            menu_action();
        else if (what <= 77)
            hardware_key();
        else if (what <= 85)
            pinch();
        else if (what <= 90) {
            open_menu();
            close_menu(menu_rotate);
        } else {
            out << "wait " << between(0, 120) << '\n';
        }
    }

    std::mt19937 random;
    std::ostringstream out;
    int checkpoints = 0;
    int orientation = 0;
    bool mouse_mode = false;
    int keyboard = 0;
    std::string pending_release;
};

}

Soak_Script soak_script(std::uint32_t seed, int actions) { return Generator(seed).run(actions); }
