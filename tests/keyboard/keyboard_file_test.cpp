// The keyboard definition file: its syntax, the built-in keyboard, the key
// tokens, and every message with its exact text.
#include <string>
#include <vector>

#include "app/tarn_exception.h"
#include "tests/keyboard/keyboard_fixture.h"

namespace {

using Keyboard_File = Keyboard_Test;

// Two one-row layouts: the least that makes a keyboard.
std::string keyboard(std::string const& name, std::string const& normal = "a b", std::string const& shifted = "A B")
{
    return "==\n" + name + "\n" + normal + "\n--\n" + shifted + "\n";
}

std::vector<std::string> row_texts(Kbd_Row const& row)
{
    std::vector<std::string> texts;
    for (Kbd_Button const& key : row.buttons)
        texts.push_back(key.text);
    return texts;
}

// Everything a key is made of, for comparing layouts.
std::string describe(Keyboard const& layout)
{
    std::string out;
    for (Kbd_Row const& row : layout.rows) {
        for (Kbd_Button const& key : row.buttons)
            out += key.label + "|" + key.text + "|" + std::to_string(key.units) + (key.sticky ? "s" : "")
                + (key.hidden ? "h" : "") + " ";
        out += "/ " + std::to_string(row.units) + "\n";
    }
    return out;
}

TEST_F(Keyboard_File, EmptyPathGivesTheBuiltInEnglishKeyboard)
{
    Keyboard_Handler& kbd = load_builtin();
    EXPECT_EQ(std::vector<std::string>{"English"}, kbd.keyboard_names());
    ASSERT_EQ(2u, kbd.keyboard_layouts().size());
    for (Keyboard const& layout : kbd.keyboard_layouts()) {
        ASSERT_EQ(5u, layout.rows.size());
        for (Kbd_Row const& row : layout.rows)
            EXPECT_EQ(11, row.units);
    }
    Keyboard const& normal = kbd.keyboard_layouts()[0];
    Keyboard const& shifted = kbd.keyboard_layouts()[1];
    EXPECT_EQ((std::vector<std::string>{"q", "w", "e", "r", "t", "y", "u", "i", "o", "p", "\x1B"}),
        row_texts(normal.rows[1]));
    EXPECT_EQ((std::vector<std::string>{key_marker::ctrl, key_marker::shift, "[", "]", " ", ":", "/", "*", "\r"}),
        row_texts(normal.rows[4]));
    EXPECT_EQ((std::vector<std::string>{"A", "S", "D", "F", "G", "H", "J", "K", "L", ":", "\""}),
        row_texts(shifted.rows[2]));
    EXPECT_EQ((std::vector<std::string>{key_marker::ctrl, key_marker::shift, "{", "}", " ", "|", "\\", "`", "\r"}),
        row_texts(shifted.rows[4]));
    EXPECT_EQ("English", kbd.current_keyboard_name());
}

TEST_F(Keyboard_File, ShippedFileStartsWithTheBuiltInKeyboardAndHasThreeOfFiveRows)
{
    std::vector<std::string> built_in;
    for (Keyboard const& layout : load_builtin().keyboard_layouts())
        built_in.push_back(describe(layout));

    Keyboard_Handler& kbd = load_shipped();
    EXPECT_EQ((std::vector<std::string>{"English", "Symbols", "Русский"}), kbd.keyboard_names());
    ASSERT_EQ(6u, kbd.keyboard_layouts().size());
    EXPECT_EQ(built_in[0], describe(kbd.keyboard_layouts()[0]));
    EXPECT_EQ(built_in[1], describe(kbd.keyboard_layouts()[1]));
    for (Keyboard const& layout : kbd.keyboard_layouts()) {
        EXPECT_EQ(5u, layout.rows.size());
        EXPECT_EQ(11, layout.units);
    }
}

TEST_F(Keyboard_File, EveryFailureHasItsMessage)
{
    std::string const path = sandbox.path("test.kbd");
    struct Case {
        std::string text;
        std::string message;
    } const cases[] = {
        {"\xEF\xBB", "Keyboard definition file '" + path + "' starts with unexpected data"},
        {"\xEF\xBB\xBE==\nA\na\n--\nA\n", "Keyboard definition file '" + path + "' starts with unexpected data"},
        {"==\nA\n==\nB\na\n--\nb\n", "Keyboard with without layouts in '" + path + "'"},
        {"==\nA\na\n==\nB\nb\n--\nc\n", "Keyboard with uneven number of layouts in '" + path + "'"},
        {"## only a comment\n\n   \n", "No keyboards found in '" + path + "'"},
        {"", "No keyboards found in '" + path + "'"},
        {keyboard("A") + "==\nB\nx\n", "Number of keyboard names and layouts doesn't fit in '" + path + "'"},
        {"a b\n--\nA B\n", "Number of keyboard names and layouts doesn't fit in '" + path + "'"},
        {keyboard("A") + "==\nB\nx\ny\n--\nX\nY\n", "Number of rows of layouts differ in '" + path + "'"},
        {keyboard("A", "a qq"), "Invalid key specification 'qq'"},
        {keyboard("A", "a:-1 b"), "Keyboard definition file '" + path + "' has a key of negative width"},
        {keyboard("A", "na:-2 b:3"), "Keyboard definition file '" + path + "' has a key of negative width"},
        {keyboard("A", "a:0 b:0", "na"), "Keyboard definition file '" + path + "' has no key of positive width"},
        {keyboard("A", "a:2147483647 b"), "Keyboard row too wide: 'a:2147483647 b'"},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.message, error_for(c.text)) << c.text;
}

TEST_F(Keyboard_File, MissingFileAndFontAreReported)
{
    config.keyboard_file = sandbox.path("nowhere.kbd");
    try {
        load();
        ADD_FAILURE() << "a missing file loaded";
    } catch (Tarn_Exception const& e) {
        EXPECT_EQ("Can't open keyboard definition file '" + sandbox.path("nowhere.kbd") + "'", std::string(e.what()));
    }
    config.kbd_font = "NoSuchFontAnywhere";
    try {
        load_builtin();
        ADD_FAILURE() << "a missing font opened";
    } catch (Tarn_Exception const& e) {
        EXPECT_EQ("Can't open keyboard font 'NoSuchFontAnywhere'", std::string(e.what()));
    }
}

TEST_F(Keyboard_File, InvalidKeyIsReportedBeforeTheChecksThatFollowIt)
{
    // The first layout's bad key comes before the uneven count at the next marker.
    EXPECT_EQ("Invalid key specification 'Ok'", error_for("==\nA\na Ok\n==\nB\nb\n--\nc\n"));
}

TEST_F(Keyboard_File, ByteOrderMarkIsSkipped)
{
    std::string const text = "## keys\n" + keyboard("First", "q w", "Q W") + keyboard("Second");
    std::string const plain = describe(load_text(text).keyboard_layouts()[0]);
    Keyboard_Handler& kbd = load_text("\xEF\xBB\xBF" + text);
    EXPECT_EQ((std::vector<std::string>{"First", "Second"}), kbd.keyboard_names());
    EXPECT_EQ(plain, describe(kbd.keyboard_layouts()[0]));
    EXPECT_EQ(4u, kbd.keyboard_layouts().size());
}

TEST_F(Keyboard_File, MarkersIgnoreTrailingTextAndExtraLayoutMarkers)
{
    Keyboard_Handler& kbd = load_text(
        "  == not the name\r\n\tMy keys  \r\n-- nothing\n--\n\n## note\na b\n\n c  d \n-- shifted below\n--\nA B\nC D\n");
    EXPECT_EQ(std::vector<std::string>{"My keys"}, kbd.keyboard_names());
    ASSERT_EQ(2u, kbd.keyboard_layouts().size());
    Keyboard const& normal = kbd.keyboard_layouts()[0];
    ASSERT_EQ(2u, normal.rows.size());
    EXPECT_EQ((std::vector<std::string>{"c", "d"}), row_texts(normal.rows[1]));
    EXPECT_EQ((std::vector<std::string>{"C", "D"}), row_texts(kbd.keyboard_layouts()[1].rows[1]));
}

TEST_F(Keyboard_File, OneCharacterLinesAreRowsEvenWhenTheyLookLikeMarkers)
{
    Keyboard_Handler& kbd = load_text("==\nN\n#\n=\n-\n--\na\nb\nc");
    Keyboard const& normal = kbd.keyboard_layouts()[0];
    ASSERT_EQ(3u, normal.rows.size());
    EXPECT_EQ(std::vector<std::string>{"#"}, row_texts(normal.rows[0]));
    EXPECT_EQ(std::vector<std::string>{"="}, row_texts(normal.rows[1]));
    EXPECT_EQ(std::vector<std::string>{"-"}, row_texts(normal.rows[2]));
    // The last line has no line feed and still counts.
    EXPECT_EQ(3u, kbd.keyboard_layouts()[1].rows.size());
}

TEST_F(Keyboard_File, RowsAreCountedPerLayout)
{
    EXPECT_EQ(3u, load_text(keyboard("A", "a\nb\nc", "A\nB\nC") + keyboard("B", "x\ny\nz", "X\nY\nZ"))
                      .keyboard_layouts()[3]
                      .rows.size());
    std::string const path = sandbox.path("test.kbd");
    EXPECT_EQ("Number of rows of layouts differ in '" + path + "'", error_for(keyboard("A", "a\nb", "A")));
}

TEST(Kbd_Button_Parsing, WidthSuffixes)
{
    struct Case {
        char const* token;
        char const* text;
        int units;
    } const valid[] = {
        {":", ":", 1}, {"::2", ":", 2}, {"a:0", "a", 0}, {"a:3", "a", 3}, {"space:2", " ", 2}, {"€", "€", 1},
        {"€:4", "€", 4}, {"ok:2", "\r", 2},
    };
    for (Case const& c : valid) {
        Kbd_Button const key(c.token);
        EXPECT_EQ(c.text, key.text) << c.token;
        EXPECT_EQ(c.units, key.units) << c.token;
    }
    for (char const* token : {"a:", "a:x", "a:2x", "a:99999999999", "::", "space:"}) {
        try {
            Kbd_Button const key(token);
            ADD_FAILURE() << token << " was accepted";
        } catch (Tarn_Exception const& e) {
            EXPECT_EQ(std::string("Invalid key specification '") + token + "'", e.what());
        }
    }
}

TEST(Kbd_Button_Parsing, KeywordsAreExactAndEverythingElseIsOneCharacter)
{
    struct Case {
        char const* token;
        char const* label;
        std::string text;
        bool sticky;
        bool hidden;
    } const valid[] = {
        {"na", "", "", false, true},
        {"cn", "", "", false, true},
        {"shift", "sh", key_marker::shift, false, false},
        {"ctrl", "Ctrl", key_marker::ctrl, true, false},
        {"bs", "bs", "\x08", false, false},
        {"space", "", " ", false, false},
        {"esc", "Esc", "\x1B", false, false},
        {"ok", "Ok", "\r", false, false},
        {"ж", "ж", "ж", false, false},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", false, false},
    };
    for (Case const& c : valid) {
        Kbd_Button const key(c.token);
        EXPECT_EQ(c.label, key.label) << c.token;
        EXPECT_EQ(c.text, key.text) << c.token;
        EXPECT_EQ(c.sticky, key.sticky) << c.token;
        EXPECT_EQ(c.hidden, key.hidden) << c.token;
    }
    for (char const* token : {"", "Esc", "Ok", "OK", "ab", "Shift", "Tab", "PgUp", "Home", "UP", "\xFF", "\x80", "\xC3",
                              "\xE2\x82", "é!"}) {
        try {
            Kbd_Button const key(token);
            ADD_FAILURE() << "'" << token << "' was accepted";
        } catch (Tarn_Exception const& e) {
            EXPECT_EQ(std::string("Invalid key specification '") + token + "'", e.what());
        }
    }
}

TEST(Kbd_Row_Parsing, TrailingGapsTakeNoRoomButLeadingOnesDo)
{
    Kbd_Row const trailing("a b na cn:3");
    EXPECT_EQ(2u, trailing.buttons.size());
    EXPECT_EQ(2, trailing.units);

    Kbd_Row const leading("na:2 a\t\tb");
    ASSERT_EQ(3u, leading.buttons.size());
    EXPECT_TRUE(leading.buttons[0].hidden);
    EXPECT_EQ(4, leading.units);

    EXPECT_EQ(0u, Kbd_Row("na cn").buttons.size());
    EXPECT_EQ(0, Kbd_Row("na cn").units);
}

}
