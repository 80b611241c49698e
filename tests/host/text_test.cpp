// Fonts by name, text drawing and measuring, DrawTextRect alignment and the
// text layer that records what text is on the screen.
#include <gtest/gtest.h>

#include <climits>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "host/host.h"
#include "host/text_layer.h"
#include "host_test_support.h"

namespace {

using host_test::count_not_white;

// The smallest rectangle holding every non-white pixel of the area.
Rect ink_box(Rect const& area)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x)
            if (host::buffer_pixel(x, y) != 255) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (left > right)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

class HostText : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::reset();
        font = OpenFont("DejaVuSansMono", 24, 1);
        ASSERT_NE(font, nullptr);
        SetFont(font, BLACK);
    }
    void TearDown() override { CloseFont(font); }

    ifont* font = nullptr;
};

TEST_F(HostText, FontOpenedByNameHasItsMetrics)
{
    EXPECT_STREQ(font->name, "DejaVuSansMono");
    EXPECT_EQ(font->size, 24);
    // A 24-pixel face is about 24 pixels from ascender to descender.
    EXPECT_GE(font->height, 24);
    EXPECT_LE(font->height, 32);
    EXPECT_GT(font->baseline, font->height / 2);
    EXPECT_LT(font->baseline, font->height);
    EXPECT_GT(font->linespacing, 0);

    ifont* bigger = OpenFont("DejaVuSansMono", 48, 1);
    ASSERT_NE(bigger, nullptr);
    EXPECT_GT(bigger->height, font->height + 20);
    CloseFont(bigger);
}

TEST_F(HostText, UnknownOrUnusableFontsGiveNull)
{
    EXPECT_EQ(OpenFont("NoSuchFontAnywhere", 24, 1), nullptr);
    EXPECT_EQ(OpenFont("../dejavu/DejaVuSansMono", 24, 1), nullptr);
    EXPECT_EQ(OpenFont("", 24, 1), nullptr);
    EXPECT_EQ(OpenFont(nullptr, 24, 1), nullptr);
    EXPECT_EQ(OpenFont("DejaVuSansMono", 0, 1), nullptr);
    EXPECT_EQ(OpenFont("DejaVuSansMono", -3, 1), nullptr);
    CloseFont(nullptr);
}

TEST_F(HostText, FontsAreFoundInAddedAndEnvironmentFolders)
{
    host_test::Temp_Dir added, listed;
    std::string const system = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    std::filesystem::copy_file(system, added.file("AddedFace.ttf"));
    std::filesystem::copy_file(system, listed.file("ListedFace.ttf"));
    // Not a font at all: found by name, refused by the renderer.
    added.write("Broken.ttf", "not a font");

    EXPECT_EQ(OpenFont("AddedFace", 20, 1), nullptr);
    host::add_font_dir(added.path);
    ifont* from_added = OpenFont("AddedFace", 20, 1);
    EXPECT_NE(from_added, nullptr);
    EXPECT_EQ(OpenFont("Broken", 20, 1), nullptr);

    setenv("TARN_HOST_FONTS", ("/nowhere::" + listed.path).c_str(), 1);
    ifont* from_listed = OpenFont("ListedFace", 20, 1);
    unsetenv("TARN_HOST_FONTS");
    EXPECT_NE(from_listed, nullptr);
    CloseFont(from_added);
    CloseFont(from_listed);
}

TEST_F(HostText, WidthIsTheSumOfAdvances)
{
    int const one = StringWidth("a");
    EXPECT_GT(one, 10);
    EXPECT_EQ(StringWidth("abcd"), 4 * one);
    EXPECT_EQ(StringWidth("\xC3\xA9t\xC3\xA9"), 3 * one);  // "été": three characters, five bytes
    EXPECT_EQ(StringWidth(""), 0);
    EXPECT_EQ(StringWidth(nullptr), 0);
}

TEST_F(HostText, InvalidUtf8CostsOneCharacterPerBadByte)
{
    int const replacement = StringWidth("\xEF\xBF\xBD");
    EXPECT_EQ(StringWidth("\xFF\xFE"), 2 * replacement);
    EXPECT_EQ(StringWidth("\xC3"), replacement);              // cut short
    EXPECT_EQ(StringWidth("\xC0\xAF"), 2 * replacement);      // overlong
    EXPECT_EQ(StringWidth("\xED\xA0\x80"), 3 * replacement);  // a surrogate
    EXPECT_EQ(StringWidth("a\xE2\x82"), StringWidth("a") + 2 * replacement);
    DrawString(10, 10, "\xFF\xE2\x82\xF4\x90\x80\x80");
    EXPECT_GT(count_not_white({0, 0, 600, 100}), 0);
}

TEST_F(HostText, DrawStringPaintsBelowItsTopLeftOriginAndIsRecorded)
{
    DrawString(100, 200, "Hello");
    int const width = StringWidth("Hello");
    Rect const ink = ink_box({0, 0, 600, 800});
    EXPECT_GE(ink.x, 100);
    EXPECT_GE(ink.y, 200);
    EXPECT_LE(ink.x + ink.width, 100 + width);
    EXPECT_LE(ink.y + ink.height, 200 + font->height);
    EXPECT_GT(ink.height, font->height / 2);
    EXPECT_EQ(host::panel_pixel(ink.x, ink.y), 255);  // not shown before an update

    auto const layer = host::text_layer();
    ASSERT_EQ(layer.size(), 1u);
    EXPECT_EQ(layer[0].kind, host::Text_Entry::string);
    EXPECT_EQ(layer[0].area, (Rect{100, 200, width, font->height}));
    EXPECT_EQ(layer[0].font, "DejaVuSansMono");
    EXPECT_EQ(layer[0].size, 24);
    EXPECT_EQ(layer[0].text, "Hello");
}

TEST_F(HostText, AntialiasingGivesGreysAndMonochromeDoesNot)
{
    DrawString(10, 10, "Sw@");
    std::set<unsigned char> smooth;
    for (unsigned char v : host::buffer())
        smooth.insert(v);
    EXPECT_GT(smooth.size(), 3u);

    host::reset();
    ifont* sharp = OpenFont("DejaVuSansMono", 24, 0);
    ASSERT_NE(sharp, nullptr);
    SetFont(sharp, BLACK);
    DrawString(10, 10, "Sw@");
    std::set<unsigned char> mono(host::buffer().begin(), host::buffer().end());
    EXPECT_EQ(mono, (std::set<unsigned char>{0, 255}));
    CloseFont(sharp);
}

TEST_F(HostText, TextTakesTheSelectedColour)
{
    FillArea(0, 0, 200, 100, BLACK);
    SetFont(font, WHITE);
    DrawString(10, 10, "M");
    EXPECT_GT(host_test::count_grey({0, 0, 200, 100}, 255), 20);
}

TEST_F(HostText, TextAtAndBeyondTheEdgesIsClipped)
{
    DrawString(590, 790, "WWWW");
    DrawString(-10, -10, "WWWW");
    DrawString(INT_MAX - 5, INT_MIN, "W");
    DrawString(INT_MIN, 400, "W");
    DrawTextRect(INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX, "W", 34);
    DrawTextRect(-100, -100, 90, 90, "W", 0);
    EXPECT_GT(count_not_white({590, 790, 10, 10}), 0);
    EXPECT_GT(count_not_white({0, 0, 30, 30}), 0);
    EXPECT_EQ(host::buffer().size(), 600u * 800u);
}

TEST_F(HostText, NothingIsDrawnWithoutAFont)
{
    CloseFont(font);  // closing the selected font deselects it
    font = nullptr;
    DrawString(10, 10, "abc");
    EXPECT_EQ(DrawTextRect(10, 10, 100, 50, "abc", 0), std::string("abc"));
    EXPECT_EQ(StringWidth("abc"), 0);
    EXPECT_EQ(count_not_white({0, 0, 600, 800}), 0);
    EXPECT_TRUE(host::text_layer().empty());
}

TEST_F(HostText, WhitePaintOverTheOriginRemovesAnEntry)
{
    DrawString(100, 100, "one");
    DrawString(100, 200, "two");
    DrawString(100, 300, "three");
    FillArea(90, 90, 20, 20, WHITE);     // covers the origin of "one"
    FillArea(105, 205, 50, 50, WHITE);   // covers "two" but not its origin
    FillArea(100, 300, 10, 10, BLACK);   // not white
    auto const layer = host::text_layer();
    ASSERT_EQ(layer.size(), 2u);
    EXPECT_EQ(layer[0].text, "two");
    EXPECT_EQ(layer[1].text, "three");

    ClearScreen();
    EXPECT_TRUE(host::text_layer().empty());
}

// The frames of keys are kept beside the text, by the same rules, and apart
// from a label at the same origin.
TEST_F(HostText, FramesStayUntilWhitePaintCoversTheirOrigin)
{
    DrawRect(300, 600, 55, 49, BLACK);
    DrawRect(10, 600, 55, 49, BLACK);
    DrawTextRect(10, 600, 54, 48, "q", 34);
    DrawRect(10, 600, 60, 49, BLACK);  // redrawn at the same origin
    DrawRect(10, 700, 55, 49, WHITE);  // no frame to see
    EXPECT_EQ(host::detail::frames(), (std::vector<Rect>{{10, 600, 60, 49}, {300, 600, 55, 49}}));
    EXPECT_TRUE(host::detail::text_rect_at(10, 600));
    EXPECT_FALSE(host::detail::text_rect_at(300, 600));

    FillArea(0, 590, 100, 20, WHITE);
    EXPECT_EQ(host::detail::frames(), (std::vector<Rect>{{300, 600, 55, 49}}));
    EXPECT_FALSE(host::detail::text_rect_at(10, 600));
    ClearScreen();
    EXPECT_TRUE(host::detail::frames().empty());
}

TEST_F(HostText, LayerIsSortedAndTheSameOriginIsReplaced)
{
    DrawString(300, 50, "c");
    DrawString(10, 50, "b");
    DrawString(500, 10, "a");
    DrawTextRect(10, 50, 40, 40, "B", 34);  // same origin as "b"
    auto const layer = host::text_layer();
    ASSERT_EQ(layer.size(), 3u);
    EXPECT_EQ(layer[0].text, "a");
    EXPECT_EQ(layer[1].text, "B");
    EXPECT_EQ(layer[1].kind, host::Text_Entry::rect);
    EXPECT_EQ(layer[1].area, (Rect{10, 50, 40, 40}));
    EXPECT_EQ(layer[2].text, "c");
}

TEST_F(HostText, MarksDrawnAloneOverAStringJoinItAndNothingElse)
{
    DrawString(10, 50, "a");
    DrawString(10, 50, "\xcc\xb1\xcc\x81");  // macron below and acute, on the "a"
    DrawString(10, 90, "x");
    DrawString(10, 90, "y\xcc\x81");           // not marks alone: replaces
    DrawTextRect(300, 50, 40, 40, "K", 0);
    DrawString(300, 50, "\xcc\x81");           // over a label, not a string: replaces
    auto const layer = host::text_layer();
    ASSERT_EQ(layer.size(), 3u);
    EXPECT_EQ(layer[0].text, "a\xcc\xb1\xcc\x81");
    EXPECT_EQ(layer[1].text, "\xcc\x81");
    EXPECT_EQ(layer[1].kind, host::Text_Entry::string);
    EXPECT_EQ(layer[2].text, "y\xcc\x81");
}

TEST_F(HostText, TextRectCentresBothWays)
{
    Rect const key{100, 100, 200, 100};
    EXPECT_EQ(DrawTextRect(key.x, key.y, key.width, key.height, "H", ALIGN_CENTER | VALIGN_MIDDLE), nullptr);
    Rect const ink = ink_box(key);
    int const ink_centre_x = ink.x + ink.width / 2, ink_centre_y = ink.y + ink.height / 2;
    EXPECT_NEAR(ink_centre_x, 200, 2);
    EXPECT_NEAR(ink_centre_y, 150, 4);

    host::reset();
    SetFont(font, BLACK);
    DrawTextRect(key.x, key.y, key.width, key.height, "H", 0);
    Rect const left_top = ink_box(key);
    EXPECT_LT(left_top.x, 100 + StringWidth("H"));
    EXPECT_LT(left_top.y, 100 + font->baseline);
    EXPECT_GT(left_top.y + left_top.height, 100 + font->baseline - 4);

    host::reset();
    SetFont(font, BLACK);
    DrawTextRect(key.x, key.y, key.width, key.height, "H", ALIGN_CENTER);
    EXPECT_NEAR(ink_box(key).x, ink.x, 1);
    EXPECT_LT(ink_box(key).y, ink.y);
}

TEST_F(HostText, TextRectDrawsOneLineAndReturnsTheRest)
{
    char const* text = "ab\ncd";
    EXPECT_EQ(DrawTextRect(0, 0, 300, 40, text, 0), text + 3);
    EXPECT_EQ(DrawTextRect(0, 200, 100, 40, "", 0), nullptr);
    EXPECT_EQ(DrawTextRect(0, 200, 100, 40, "last\n", 0), nullptr);
    EXPECT_EQ(DrawTextRect(0, 300, 0, 40, "x", 0), std::string("x"));   // no room at all
    EXPECT_EQ(DrawTextRect(0, 300, 40, -1, "x", 0), std::string("x"));
    auto const layer = host::text_layer();
    ASSERT_EQ(layer.size(), 2u);
    EXPECT_EQ(layer[0].text, "ab");
    EXPECT_EQ(layer[1].text, "last");
}

// A label one pixel wider than its key was recorded cut short ("Ctr"), so
// the key could not be found by its label.
TEST_F(HostText, TextRectKeepsALabelWiderThanItsRectangle)
{
    int const width = StringWidth("Ctrl");
    EXPECT_EQ(DrawTextRect(100, 100, width - 2, 40, "Ctrl", ALIGN_CENTER | VALIGN_MIDDLE), nullptr);
    auto const layer = host::text_layer();
    ASSERT_EQ(layer.size(), 1u);
    EXPECT_EQ(layer[0].text, "Ctrl");
    EXPECT_EQ(count_not_white({0, 0, 600, 800}), count_not_white({100, 100, width - 2, 40}));
}

TEST_F(HostText, TextRectInkStaysInsideItsRectangle)
{
    DrawTextRect(100, 100, 30, 10, "WWWWW", ALIGN_CENTER | VALIGN_MIDDLE);
    EXPECT_EQ(count_not_white({0, 0, 600, 800}), count_not_white({100, 100, 30, 10}));
    EXPECT_GT(count_not_white({100, 100, 30, 10}), 0);
}

}

// Regression: glyphs wider than their advance (W at 24 pixels) inked the
// next cell, a pixel no cell-sized refresh ever showed.
TEST_F(HostText, StringInkStaysInsideItsAdvanceBox)
{
    int const width = StringWidth("W");
    for (char const* glyph : {"W", "M", "#", "@"}) {
        FillArea(0, 0, 200, 100, WHITE);
        DrawString(50, 20, glyph);
        Rect const ink = ink_box({0, 0, 200, 100});
        EXPECT_GE(ink.x, 50) << glyph;
        EXPECT_LE(ink.x + ink.width, 50 + width) << glyph;
        EXPECT_LE(ink.y + ink.height, 20 + font->height) << glyph;
    }
}
