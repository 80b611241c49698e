// The stand-in finds every key by the name scripts and the window give it,
// where the keyboard drew it: labels by their text, icons by their picture,
// on every layout of the shipped file and of one with every key word, from
// the smallest icons drawn to a 300 dpi reader.
#include <map>
#include <string>

#include "host/onscreen_keys.h"
#include "tests/keyboard/keyboard_fixture.h"

namespace {

class Key_Finding : public Keyboard_Test {
protected:
    // Every key of the layout shown found where it is, or at a key of the same name.
    void expect_every_key_found(std::string const& where)
    {
        for (Kbd_Row const& row : shown().rows)
            for (Kbd_Button const& key : row.buttons) {
                std::string const wanted = name(key);
                auto const found = host::detail::find_key(wanted);
                ASSERT_TRUE(found) << wanted << " on " << where;
                Kbd_Button const* there = shown().find_button(found->x + found->width / 2, found->y + found->height / 2);
                ASSERT_NE(there, nullptr) << wanted << " on " << where;
                EXPECT_EQ(name(*there), wanted) << where;
                EXPECT_EQ(there->area(), *found) << wanted << " on " << where;
            }
    }

    static std::string name(Kbd_Button const& key)
    {
        static std::map<std::string, std::string> const icons = {
            {"sh", "Shift"}, {"Ok", "Enter"}, {"bs", "Backspace"}, {"", "Space"},
            {"up", "Up"},    {"down", "Down"}, {"left", "Left"},   {"right", "Right"}};
        auto const icon = icons.find(key.label);
        return icon == icons.end() ? key.label : icon->second;
    }
};

TEST_F(Key_Finding, EveryKeyIsFoundByItsNameOnEveryLayoutAndScreen)
{
    struct Screen {
        int width, height, font_size;
    } const screens[] = {{600, 800, 24}, {1072, 1448, 43}, {800, 600, 24}, {360, 480, 12}, {600, 800, 6}};
    std::string const every_word = "==\nWords\ntab up down left right esc\npgup pgdn home end ctrl bs\n"
                                   "shift space:2 ok:2 q\n--\nup down\nleft right\nshift q\n";
    for (Screen const& s : screens) {
        std::string const where = std::to_string(s.width) + "x" + std::to_string(s.height);
        host::reset(s.width, s.height);
        config.kbd_font_size = s.font_size;
        Keyboard_Handler& shipped = load_shipped();
        for (int k = 0; k < 3; ++k) {
            shipped.set_keyboard(k);
            expect_every_key_found(where + " " + shipped.current_keyboard_name());
            tap(key_marker::shift);
            expect_every_key_found(where + " shifted " + shipped.current_keyboard_name());
            tap(key_marker::shift);
        }
        host::reset(s.width, s.height);  // the shipped keyboard is gone, as after a restart
        load_text(every_word);
        expect_every_key_found(where + " every word");
        tap(key_marker::shift);
        expect_every_key_found(where + " every word shifted");
    }
}

TEST_F(Key_Finding, KeyWordsAreTakenInAnyCaseAndAsTheFileWritesThem)
{
    load_shipped();
    Rect const enter = key("\r").area();
    for (char const* name : {"Enter", "enter", "ENTER", "ok"})
        EXPECT_EQ(host::detail::find_key(name), enter) << name;
    EXPECT_EQ(host::detail::find_key("bs"), key("\x08").area());
    EXPECT_EQ(host::detail::find_key("esc"), key("\x1B").area());
    // Characters are labels, case and all: no "Q" is shown, nor a tab key here.
    EXPECT_FALSE(host::detail::find_key("Q"));
    EXPECT_FALSE(host::detail::find_key("Tab"));
    EXPECT_FALSE(host::detail::find_key("Enterprise"));
}

}
