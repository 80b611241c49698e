// Taps on the drawn keys and the bytes they send: plain keys, shift as a
// lock, one-shot ctrl, and choosing and stepping through keyboards.
#include <string>
#include <vector>

#include "tests/keyboard/keyboard_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class Keyboard_Input : public Keyboard_Test {
protected:
    Texts sent() const { return fake::log().texts; }
};

TEST_F(Keyboard_Input, CharacterAndSpecialKeysSendTheirBytes)
{
    load_builtin();
    for (char const* text : {"q", "\x1B", "\r", "\x08", " ", ";", "'"})
        tap(text);
    EXPECT_EQ((Texts{"q", "\x1B", "\r", "\x08", " ", ";", "'"}), sent());
}

// The same bytes as the tap zones, the long swipes and ctrl then i.
TEST_F(Keyboard_Input, KeysForMovingSendWhatTheTerminalsModesAsk)
{
    load_text("==\nMoving\ntab up down left right pgup pgdn home end ok\nctrl\n--\nshift\nctrl\n");
    Texts const normal = {"\x09",    "\x1B[A",  "\x1B[B",  "\x1B[D",  "\x1B[C",
                          "\x1B[5~", "\x1B[6~", "\x1B[1~", "\x1B[4~", "\r"};
    Texts const application = {"\x09",    "\x1BOA",  "\x1BOB",  "\x1BOD",  "\x1BOC",
                               "\x1B[5~", "\x1B[6~", "\x1B[1~", "\x1B[4~", "\r\n"};
    std::vector<Kbd_Button> const keys = shown().rows[0].buttons;
    auto tap_all = [&](bool with_ctrl) {
        for (Kbd_Button const& key : keys) {
            if (with_ctrl)
                tap(key_marker::ctrl);
            tap_at(key.x + key.width / 2, key.y + key.height / 2);
        }
    };
    tap_all(false);
    EXPECT_EQ(normal, sent());
    // DECCKM and LNM set by the child.
    fake::log().texts.clear();
    fake::log().key_modes = Terminal_Modes{true, true};
    tap_all(false);
    EXPECT_EQ(application, sent());
    // Like esc and ok, none gives a control byte.
    tap_all(true);
    EXPECT_EQ(application, sent());
}

TEST_F(Keyboard_Input, NonLatinKeysSendTheirUtf8Bytes)
{
    Keyboard_Handler& kbd = load_shipped();
    kbd.set_keyboard(2);
    tap("ж");
    tap(key_marker::shift);
    tap("Ё");
    EXPECT_EQ((Texts{"\xD0\xB6", "\xD0\x81"}), sent());
}

TEST_F(Keyboard_Input, ShiftIsALockUntilPressedAgain)
{
    Keyboard_Handler& kbd = load_builtin();
    Kbd_Button const& q = key("q");
    int const x = q.x + q.width / 2;
    int const y = q.y + q.height / 2;
    tap(key_marker::shift);
    EXPECT_EQ(1, kbd.shown_layout());
    tap_at(x, y);
    tap_at(x, y);
    EXPECT_EQ(1, kbd.shown_layout());
    tap(key_marker::shift);
    EXPECT_EQ(0, kbd.shown_layout());
    tap_at(x, y);
    EXPECT_EQ((Texts{"Q", "Q", "q"}), sent());
    // The shifted layout was drawn and then the normal one again.
    EXPECT_FALSE(highlighted(key(key_marker::shift)));
}

TEST_F(Keyboard_Input, CtrlTurnsTheNextKeyIntoAControlByte)
{
    load_builtin();
    tap(key_marker::ctrl);
    EXPECT_TRUE(highlighted(key(key_marker::ctrl)));
    tap("c");
    EXPECT_FALSE(highlighted(key(key_marker::ctrl)));
    for (char const* text : {"[", "a", "z", "]"}) {
        tap(key_marker::ctrl);
        tap(text);
    }
    tap(key_marker::shift);
    for (char const* text : {"C", "\\", "A"}) {
        tap(key_marker::ctrl);
        tap(text);
    }
    EXPECT_EQ((Texts{"\x03", "\x1B", "\x01", "\x1A", "\x1D", "\x03", "\x1C", "\x01"}), sent());
}

TEST_F(Keyboard_Input, CtrlWithAKeyOutsideTheControlRangeSendsNothingAndIsUsedUp)
{
    load_builtin();
    for (char const* text : {"1", " ", "\r", "\x1B", "\x08", ";", "+"}) {
        tap(key_marker::ctrl);
        tap(text);
        EXPECT_FALSE(highlighted(key(key_marker::ctrl))) << text;
    }
    tap(key_marker::shift);
    for (char const* text : {"@", "^", "_", "`", "{", "|"}) {
        tap(key_marker::ctrl);
        tap(text);
    }
    EXPECT_EQ(Texts{}, sent());
    tap("Q");
    EXPECT_EQ(Texts{"Q"}, sent());
}

TEST_F(Keyboard_Input, CtrlOnANonLatinLetterSendsNothing)
{
    Keyboard_Handler& kbd = load_shipped();
    kbd.set_keyboard(2);
    tap(key_marker::ctrl);
    tap("ф");
    tap("ф");
    EXPECT_EQ(Texts{"\xD1\x84"}, sent());
}

TEST_F(Keyboard_Input, CtrlTwiceDisarms)
{
    load_builtin();
    tap(key_marker::ctrl);
    tap(key_marker::ctrl);
    EXPECT_FALSE(highlighted(key(key_marker::ctrl)));
    tap("c");
    EXPECT_EQ(Texts{"c"}, sent());
}

TEST_F(Keyboard_Input, ShiftDropsCtrlAndToggles)
{
    Keyboard_Handler& kbd = load_builtin();
    tap(key_marker::ctrl);
    tap(key_marker::shift);
    EXPECT_EQ(1, kbd.shown_layout());
    EXPECT_FALSE(highlighted(key(key_marker::ctrl)));
    tap("C");
    EXPECT_EQ(Texts{"C"}, sent());
}

TEST_F(Keyboard_Input, KeyActsOnReleaseAndATouchBesideTheKeysDoesNothing)
{
    Keyboard_Handler& kbd = load_builtin();
    Kbd_Button const& w = key("w");
    kbd.press(w.x + 1, w.y + 1);
    EXPECT_TRUE(highlighted(w));
    EXPECT_EQ(Texts{}, sent());
    kbd.release();
    EXPECT_FALSE(highlighted(w));
    EXPECT_EQ(Texts{"w"}, sent());
    // The left margin holds no key; an armed ctrl survives such a touch.
    tap(key_marker::ctrl);
    tap_at(1, w.y + 5);
    EXPECT_TRUE(highlighted(key(key_marker::ctrl)));
    tap("w");
    EXPECT_EQ((Texts{"w", "\x17"}), sent());
}

TEST_F(Keyboard_Input, HoldingTheArmedCtrlKeyKeepsItHighlightedUntilRelease)
{
    Keyboard_Handler& kbd = load_builtin();
    tap(key_marker::ctrl);
    Kbd_Button const& ctrl = key(key_marker::ctrl);
    kbd.press(ctrl.x + 5, ctrl.y + 5);
    EXPECT_TRUE(highlighted(ctrl));
    kbd.release();
    EXPECT_FALSE(highlighted(ctrl));
    tap("x");
    EXPECT_EQ(Texts{"x"}, sent());
}

TEST_F(Keyboard_Input, SecondCtrlKeyDisarmsAndNeitherStaysHighlighted)
{
    load_text("==\nTwo ctrl\nctrl a b ctrl\n--\nctrl A B ctrl\n");
    Kbd_Row const& row = shown().rows[0];
    Kbd_Button const& first = row.buttons[0];
    Kbd_Button const& second = row.buttons[3];
    tap_at(first.x + 5, first.y + 5);
    EXPECT_TRUE(highlighted(first));
    tap_at(second.x + 5, second.y + 5);
    EXPECT_FALSE(highlighted(first));
    EXPECT_FALSE(highlighted(second));
    tap("a");
    EXPECT_EQ(Texts{"a"}, sent());
}

TEST_F(Keyboard_Input, StepsThroughKeyboardsBothWaysWrapping)
{
    Keyboard_Handler& kbd = load_shipped();
    std::vector<std::string> shown_names;
    for (int step : {1, 1, 1, -1, -1, -1, 4, -5}) {
        kbd.change_keyboard(step);
        shown_names.push_back(kbd.current_keyboard_name());
    }
    EXPECT_EQ((std::vector<std::string>{"Symbols", "Русский", "English", "Русский", "Symbols", "English",
                  "Symbols", "Русский"}),
        shown_names);
}

TEST_F(Keyboard_Input, SingleKeyboardNeverChangesOrRedraws)
{
    Keyboard_Handler& kbd = load_builtin();
    host::clear_updates();
    kbd.change_keyboard(1);
    kbd.change_keyboard(-1);
    EXPECT_EQ(0, kbd.shown_layout());
    EXPECT_TRUE(host::updates().empty());
}

TEST_F(Keyboard_Input, ShiftCarriesOverToTheSelectedKeyboard)
{
    Keyboard_Handler& kbd = load_shipped();
    tap(key_marker::shift);
    kbd.set_keyboard(1);
    EXPECT_EQ(3, kbd.shown_layout());
    EXPECT_EQ("Symbols", kbd.current_keyboard_name());
    tap("G");
    EXPECT_EQ(Texts{"G"}, sent());
}

TEST_F(Keyboard_Input, SelectingTheShownOrAMissingKeyboardDoesNothing)
{
    Keyboard_Handler& kbd = load_shipped();
    host::clear_updates();
    for (int k : {0, -1, 3, 1000})
        kbd.set_keyboard(k);
    EXPECT_EQ(0, kbd.shown_layout());
    EXPECT_TRUE(host::updates().empty());
    kbd.set_keyboard(2);
    EXPECT_EQ(4, kbd.shown_layout());
    EXPECT_FALSE(host::updates().empty());
}

TEST_F(Keyboard_Input, ChangingKeyboardDropsCtrlAndTheHeldKey)
{
    Keyboard_Handler& kbd = load_shipped();
    tap(key_marker::ctrl);
    Kbd_Button const& q = key("q");
    kbd.press(q.x + 5, q.y + 5);
    kbd.change_keyboard(1);
    kbd.release();
    EXPECT_EQ(Texts{}, sent());
    EXPECT_FALSE(highlighted(key(key_marker::ctrl)));
    tap("(");
    EXPECT_EQ(Texts{"("}, sent());
}

TEST_F(Keyboard_Input, RotationDropsCtrl)
{
    Keyboard_Handler& kbd = load_builtin();
    tap(key_marker::ctrl);
    SetOrientation(1);
    kbd.screen_dimensions_changed();
    EXPECT_FALSE(highlighted(key(key_marker::ctrl)));
    tap("c");
    EXPECT_EQ(Texts{"c"}, sent());
}

// The show event's full redraw used to paint the armed ctrl key plain, so the
// next key's disarm flipped it to highlighted with ctrl off.
TEST_F(Keyboard_Input, RedrawKeepsTheArmedCtrlKeyHighlightedInOneRefresh)
{
    Keyboard_Handler& kbd = load_builtin();
    tap(key_marker::ctrl);
    ClearScreen();
    host::clear_updates();
    kbd.draw();
    ASSERT_EQ(1u, host::updates().size());
    EXPECT_EQ((Rect{0, kbd.keyboard_top() - 2, 600, 800 - kbd.keyboard_top() + 2}), host::updates()[0].area);
    EXPECT_TRUE(highlighted(key(key_marker::ctrl)));
    EXPECT_EQ(0, host::stale_pixels());
    tap("c");
    EXPECT_FALSE(highlighted(key(key_marker::ctrl)));
    EXPECT_EQ(Texts{"\x03"}, sent());
}

TEST_F(Keyboard_Input, RedrawWhileAKeyIsHeldKeepsItHighlighted)
{
    Keyboard_Handler& kbd = load_builtin();
    Kbd_Button const& e = key("e");
    kbd.press(e.x + 5, e.y + 5);
    kbd.draw();
    EXPECT_TRUE(highlighted(e));
    kbd.release();
    EXPECT_FALSE(highlighted(e));
    EXPECT_EQ(Texts{"e"}, sent());
}

// The system took the touch over: the held key is let go untyped, an armed
// ctrl stays armed for the next key.
TEST_F(Keyboard_Input, CancelledKeyIsLetGoWithoutTyping)
{
    Keyboard_Handler& kbd = load_builtin();
    Kbd_Button const& e = key("e");
    kbd.press(e.x + 5, e.y + 5);
    ASSERT_TRUE(highlighted(e));
    kbd.cancel();
    EXPECT_FALSE(highlighted(e));
    EXPECT_EQ(0, host::stale_pixels());
    kbd.release();
    EXPECT_TRUE(sent().empty());

    tap(key_marker::ctrl);
    Kbd_Button const& ctrl = key(key_marker::ctrl);
    kbd.press(e.x + 5, e.y + 5);
    kbd.cancel();
    EXPECT_TRUE(highlighted(ctrl));
    EXPECT_FALSE(highlighted(e));
    tap("c");
    EXPECT_EQ(Texts{"\x03"}, sent());
}

}
