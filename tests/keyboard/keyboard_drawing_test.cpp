// What the keyboard paints into the stand-in's screen buffer, what it puts
// in the text layer, and which areas it refreshes on the panel.
#include <string>
#include <vector>

#include "tests/keyboard/keyboard_fixture.h"

namespace {

using Keyboard_Drawing = Keyboard_Test;

Rect keyboard_area(Keyboard_Handler const& kbd)
{
    return {0, kbd.keyboard_top() - 2, ScreenWidth(), ScreenHeight() - kbd.keyboard_top() + 2};
}

Rect inner(Kbd_Button const& key) { return {key.x + 2, key.y + 2, key.width - 4, key.height - 4}; }

bool icon_label(std::string const& label) { return label == "sh" || label == "Ok" || label == "bs"; }

TEST_F(Keyboard_Drawing, FullDrawPaintsOnlyTheKeyboardAreaAndRefreshesIt)
{
    Keyboard_Handler& kbd = load_builtin();
    int const top = kbd.keyboard_top();
    FillArea(0, 0, 600, top - 2, BLACK);
    host::clear_updates();
    kbd.draw();
    ASSERT_EQ(1u, host::updates().size());
    EXPECT_EQ(host::Update::partial, host::updates()[0].kind);
    EXPECT_EQ(keyboard_area(kbd), host::updates()[0].area);
    EXPECT_EQ(0, host::stale_pixels(keyboard_area(kbd)));
    for (int y : {0, top / 2, top - 3})
        EXPECT_EQ(0, host::buffer_pixel(300, y)) << y;
}

TEST_F(Keyboard_Drawing, SeparatorMarginsAndFrames)
{
    Keyboard_Handler& kbd = load_builtin();
    Keyboard const& layout = kbd.keyboard_layouts()[0];
    int const top = kbd.keyboard_top();
    for (int x : {0, 150, 599})
        for (int y : {top - 2, top - 1, top})
            EXPECT_EQ(0, host::buffer_pixel(x, y)) << x << "," << y;
    EXPECT_EQ(255, host::buffer_pixel(300, top - 3));
    for (int y : {top + 1, 700, 799}) {
        for (int x = 0; x < layout.left; ++x) {
            EXPECT_EQ(0, host::buffer_pixel(x, y));
            EXPECT_EQ(0, host::buffer_pixel(599 - x, y));
        }
    }
    for (Kbd_Row const& row : layout.rows)
        for (Kbd_Button const& key : row.buttons) {
            EXPECT_EQ(0, host::buffer_pixel(key.x, key.y + key.height / 2)) << key.label;
            EXPECT_EQ(0, host::buffer_pixel(key.x + key.width, key.y + key.height / 2)) << key.label;
            EXPECT_EQ(0, host::buffer_pixel(key.x + key.width / 2, key.y)) << key.label;
            EXPECT_EQ(255, host::buffer_pixel(key.x + 1, key.y + 1)) << key.label;
        }
}

TEST_F(Keyboard_Drawing, GapsStayWhite)
{
    Keyboard_Handler& kbd = load_text("==\nGap\na na:3 b\n--\nA B\n");
    Kbd_Button const& gap = kbd.keyboard_layouts()[0].rows[0].buttons[1];
    ASSERT_TRUE(gap.hidden);
    // The neighbours' frames take its outermost columns.
    for (int x = gap.x + 1; x < gap.x + gap.width; ++x)
        for (int y = gap.y + 1; y < gap.y + gap.height; ++y)
            ASSERT_EQ(255, host::buffer_pixel(x, y)) << x << "," << y;
    std::vector<unsigned char> const before = host::buffer();
    EXPECT_TRUE(gap.invert_area().empty());
    EXPECT_TRUE(host::buffer() == before);
}

TEST_F(Keyboard_Drawing, LabelsAreInTheTextLayerAtTheKeyRectangles)
{
    Keyboard_Handler& kbd = load_builtin();
    std::vector<host::Text_Entry> const layer = host::text_layer();
    int labelled = 0;
    for (Kbd_Row const& row : kbd.keyboard_layouts()[0].rows)
        for (Kbd_Button const& key : row.buttons) {
            std::vector<std::string> texts_here;
            for (host::Text_Entry const& entry : layer)
                if (entry.area == key.area())
                    texts_here.push_back(entry.text);
            if (key.label.empty() || icon_label(key.label)) {
                EXPECT_EQ(std::vector<std::string>{}, texts_here) << key.label;
                continue;
            }
            ++labelled;
            EXPECT_EQ(std::vector<std::string>{key.label}, texts_here);
        }
    EXPECT_EQ(labelled, static_cast<int>(layer.size()));
    EXPECT_EQ(49, labelled);  // every key but bs, shift, space and ok
    for (host::Text_Entry const& entry : layer) {
        EXPECT_EQ(host::Text_Entry::rect, entry.kind);
        EXPECT_EQ(24, entry.size);
        EXPECT_EQ(config.kbd_font, entry.font);
    }
}

TEST_F(Keyboard_Drawing, ShiftRedrawReplacesTheLabels)
{
    load_builtin();
    tap(key_marker::shift);
    std::vector<std::string> texts;
    for (host::Text_Entry const& entry : host::text_layer())
        texts.push_back(entry.text);
    std::vector<std::string> const first_row = {"!", "@", "#", "$", "%", "^", "&", "?", "(", ")"};
    EXPECT_EQ(first_row, std::vector<std::string>(texts.begin(), texts.begin() + 10));
    for (std::string const& text : texts)
        EXPECT_NE("q", text);
}

TEST_F(Keyboard_Drawing, IconsAreDrawnInsideTheirKeys)
{
    load_builtin();
    for (std::string const& text : {key_marker::shift, std::string("\r"), std::string("\x08")}) {
        Kbd_Button const& k = key(text);
        int const cx = k.x + k.width / 2;
        int const cy = k.y + k.height / 2;
        int black = 0;
        Rect const in = inner(k);
        for (unsigned char p : pixels(in))
            black += p == 0;
        EXPECT_GT(black, 100) << k.label;
        // The icon keeps clear of the frame.
        EXPECT_EQ(255, host::buffer_pixel(in.x + 1, cy)) << k.label;
        // The shaft runs through the centre, sideways or down.
        EXPECT_EQ(0, host::buffer_pixel(cx + 1, cy)) << k.label;
        EXPECT_EQ(0, host::buffer_pixel(cx, cy + 2)) << k.label;
    }
}

TEST_F(Keyboard_Drawing, HighlightFlipsAndRefreshesOnlyTheInnerRectangle)
{
    Keyboard_Handler& kbd = load_builtin();
    Rect const area = keyboard_area(kbd);
    for (Kbd_Row const& row : kbd.keyboard_layouts()[0].rows)
        for (Kbd_Button const& key : row.buttons) {
            if (key.text == key_marker::shift || key.text == key_marker::ctrl)
                continue;
            std::vector<unsigned char> const before = pixels(area);
            host::clear_updates();
            kbd.press(key.x + key.width / 2, key.y + key.height / 2);
            ASSERT_EQ(1u, host::updates().size()) << key.label;
            EXPECT_EQ(inner(key), host::updates()[0].area) << key.label;
            std::vector<unsigned char> const pressed = pixels(area);
            long flipped = 0;
            long elsewhere = 0;
            for (std::size_t i = 0; i < before.size(); ++i) {
                int const x = area.x + static_cast<int>(i % static_cast<std::size_t>(area.width));
                int const y = area.y + static_cast<int>(i / static_cast<std::size_t>(area.width));
                Rect const in = inner(key);
                bool const inside = x >= in.x && x < in.x + in.width && y >= in.y && y < in.y + in.height;
                if (inside)
                    flipped += pressed[i] == 255 - before[i];
                else
                    elsewhere += pressed[i] != before[i];
            }
            EXPECT_EQ(static_cast<long>(inner(key).width) * inner(key).height, flipped) << key.label;
            EXPECT_EQ(0, elsewhere) << key.label;
            kbd.release();
            ASSERT_EQ(2u, host::updates().size()) << key.label;
            EXPECT_EQ(inner(key), host::updates()[1].area) << key.label;
            EXPECT_TRUE(before == pixels(area)) << key.label << " not restored";
            EXPECT_EQ(0, host::stale_pixels()) << key.label;
        }
}

}
