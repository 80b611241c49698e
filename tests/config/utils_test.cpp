// The string helpers at their boundaries: cut-off and malformed UTF-8, the
// 32-bit limits of integer conversion, trimming and splitting at the ends.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "config/utils.h"

using Utils::utf8_len;

namespace {

std::vector<std::string> fields(std::string const& text) { return Utils::split_string(text, " \t"); }

}

TEST(Utf8Len, CompleteCharactersOfEachLength)
{
    EXPECT_EQ(utf8_len("A"), 1);
    EXPECT_EQ(utf8_len("\x7F"), 1);
    EXPECT_EQ(utf8_len("\xC3\xA9 rest"), 2);
    EXPECT_EQ(utf8_len("\xE2\x82\xAC"), 3);
    EXPECT_EQ(utf8_len("\xF0\x9F\x98\x80"), 4);
    EXPECT_EQ(utf8_len(std::string("\xF0\x9F\x98\x80")), 4);
}

TEST(Utf8Len, CutOffCharacterIsIncompleteEvenWhenItsFollowersAreBad)
{
    EXPECT_EQ(utf8_len("\xC3"), -1);
    EXPECT_EQ(utf8_len("\xE2" "A"), -1);
    EXPECT_EQ(utf8_len("\xF0\x9F\x98"), -1);
    EXPECT_EQ(utf8_len("\xF7"), -1);
    // The string form sees the same end at an embedded zero byte.
    EXPECT_EQ(utf8_len(std::string("\xE2\x82\0\xAC", 4)), -1);
}

TEST(Utf8Len, MalformedOrMissingCharacterIsZero)
{
    EXPECT_EQ(utf8_len(""), 0);
    EXPECT_EQ(utf8_len(std::string()), 0);
    EXPECT_EQ(utf8_len("\x80"), 0);
    EXPECT_EQ(utf8_len("\xBF"), 0);
    EXPECT_EQ(utf8_len("\xF8\x80\x80\x80\x80"), 0);
    EXPECT_EQ(utf8_len("\xFF"), 0);
    EXPECT_EQ(utf8_len("\xE2" "AB"), 0);
    EXPECT_EQ(utf8_len("\xC3" "A"), 0);
    EXPECT_EQ(utf8_len("\xF0\x9F\x98" "A"), 0);
}

TEST(Utf8Len, OnlyTheStructureIsChecked)
{
    EXPECT_EQ(utf8_len("\xC0\x80"), 2);          // overlong
    EXPECT_EQ(utf8_len("\xED\xA0\x80"), 3);      // surrogate
    EXPECT_EQ(utf8_len("\xF4\x90\x80\x80"), 4);  // above U+10FFFF
    EXPECT_EQ(utf8_len("\xF7\xBF\xBF\xBF"), 4);
}

TEST(ToInt, WholeDecimalNumbersAreConverted)
{
    int out = 0;
    EXPECT_TRUE(Utils::to_int(out, "42", 10));
    EXPECT_EQ(out, 42);
    EXPECT_TRUE(Utils::to_int(out, "-7", 10));
    EXPECT_EQ(out, -7);
    EXPECT_TRUE(Utils::to_int(out, " +42", 10));
    EXPECT_EQ(out, 42);
    EXPECT_TRUE(Utils::to_int(out, "2147483647", 10));
    EXPECT_EQ(out, INT_MAX);
    EXPECT_TRUE(Utils::to_int(out, "-2147483648", 10));
    EXPECT_EQ(out, INT_MIN);
    EXPECT_TRUE(Utils::to_int(out, "0x1f", 16));
    EXPECT_EQ(out, 31);
}

TEST(ToInt, AnythingButOneNumberFailsAndLeavesTheOutputAlone)
{
    std::vector<std::string> const bad{"42 ", "4x", "", " ", "-", "+", "2147483648", "-2147483649",
                                       "99999999999999999999", std::string("1\0" "2", 3), "\"30\""};
    for (auto const& text : bad) {
        int out = 1234;
        EXPECT_FALSE(Utils::to_int(out, text, 10)) << "text: " << text;
        EXPECT_EQ(out, 1234) << "text: " << text;
    }
    int out = 1234;
    EXPECT_FALSE(Utils::to_int(out, "1", 1));
    EXPECT_FALSE(Utils::to_int(out, "1", 37));
    EXPECT_EQ(out, 1234);
}

TEST(Trim, RemovesBlanksTabsAndLineEndsAtBothEndsOnly)
{
    std::string text = "  key: value \r";
    EXPECT_EQ(&Utils::trim(text), &text);
    EXPECT_EQ(text, "key: value");

    std::string blank = " \t \r\n";
    EXPECT_EQ(Utils::trim(blank), "");
    std::string empty;
    EXPECT_EQ(Utils::trim(empty), "");
    std::string letter = "x";
    EXPECT_EQ(Utils::trim(letter), "x");
    std::string other_space = "\v a\t b \f";
    EXPECT_EQ(Utils::trim(other_space), "\v a\t b \f");
}

TEST(Trim, ConstTrimLeavesItsArgumentAlone)
{
    std::string const text = "\t a b \n";
    EXPECT_EQ(Utils::const_trim(text), "a b");
    EXPECT_EQ(text, "\t a b \n");
}

TEST(SplitString, RunsOfSeparatorsCountAsOne)
{
    EXPECT_EQ(fields("q w  e"), (std::vector<std::string>{"q", "w", "e"}));
    EXPECT_EQ(fields("q \t\t w"), (std::vector<std::string>{"q", "w"}));
    EXPECT_EQ(Utils::split_string("a,b;;c", ";,"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(SplitString, SeparatorsAtTheEnds)
{
    EXPECT_EQ(fields(" q w"), (std::vector<std::string>{"", "q", "w"}));
    EXPECT_EQ(fields("\t q w"), (std::vector<std::string>{"", "q", "w"}));
    EXPECT_EQ(fields("q w "), (std::vector<std::string>{"q", "w"}));
    EXPECT_EQ(fields("q w \t "), (std::vector<std::string>{"q", "w"}));
    EXPECT_EQ(fields(""), (std::vector<std::string>{""}));
    EXPECT_EQ(fields("   "), (std::vector<std::string>{""}));
    EXPECT_EQ(Utils::split_string("a b", ""), (std::vector<std::string>{"a b"}));
}
