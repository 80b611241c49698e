// The configuration file read from real files in a temporary folder: the
// settings it changes, every kind of message with its exact text and order,
// and files that are missing, unreadable, huge or full of junk.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "config/config.h"
#include "host/host.h"
#include "platform/paths.h"

namespace {

class Config_File : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::reset(600, 800);
        char pattern[] = "/tmp/tarn_config_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        path = dir + "/tarn.cfg";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void write_file(std::string const& file, std::string const& contents, mode_t mode = 0644)
    {
        std::ofstream(file, std::ios::binary) << contents;
        chmod(file.c_str(), mode);
    }

    // Reads contents as the configuration file; what it wrote on standard
    // error lands in errors.
    Config load(std::string const& contents)
    {
        write_file(path, contents);
        return load_path(path);
    }
    Config load_path(std::string const& file)
    {
        std::ostringstream captured;
        auto* const original = std::cerr.rdbuf(captured.rdbuf());
        Config config(file);
        std::cerr.rdbuf(original);
        errors = captured.str();
        return config;
    }

    std::string dir;
    std::string path;
    std::string errors;
};

void expect_defaults(Config const& config)
{
    EXPECT_EQ(config.orientation, 0);
    EXPECT_EQ(config.check_interval, 100);
    EXPECT_EQ(config.normal_font, "DejaVuSansMono");
    EXPECT_EQ(config.bold_font, "DejaVuSansMono-Bold");
    EXPECT_EQ(config.italic_font, "DejaVuSansMono-Oblique");
    EXPECT_EQ(config.italic_bold_font, "DejaVuSansMono-BoldOblique");
    EXPECT_EQ(config.kbd_font, "DejaVuSansMono-Bold");
    EXPECT_EQ(config.font_size, 24);
    EXPECT_EQ(config.kbd_font_size, 24);
    EXPECT_EQ(config.font_step, 1);
    EXPECT_EQ(config.line_spacing, 0);
    EXPECT_EQ(config.editor, paths::editor());
    EXPECT_EQ(config.keyboard_file, paths::keyboard_file());
    EXPECT_EQ(config.minimum_keyboard_height, 0);
    EXPECT_EQ(config.full_refresh_every, 0);
    EXPECT_EQ(config.fast_typing, 0);
    EXPECT_EQ(config.fast_typing_pause, 1000);
}

}

TEST_F(Config_File, MissingOrUnreadableFileIsSilentAndKeepsTheDefaults)
{
    expect_defaults(load_path(dir + "/absent.cfg"));
    EXPECT_EQ(errors, "");
    // A folder opens but cannot be read.
    expect_defaults(load_path(dir));
    EXPECT_EQ(errors, "");
}

TEST_F(Config_File, CommentsBlankAndBlankOnlyLinesAreSilent)
{
    expect_defaults(load("# comment\n\n   \n\t \t\n  # indented: comment\n"));
    EXPECT_EQ(errors, "");
    expect_defaults(load(""));
    EXPECT_EQ(errors, "");
}

TEST_F(Config_File, SettingsAreTakenWithAnyKeywordCaseAndBlanks)
{
    Config const config = load("  Editor :  /bin/sh\n"
                               "FONT_SIZE:30\n"
                               "kbd_font_size: +12 # smaller keys\n"
                               "orientation:\t3\r\n"
                               "check_interval: 50\n"
                               "font_step: 10\n"
                               "line_spacing: -30\n"
                               "minimum_keyboard_height: 450\n"
                               "full_refresh_every: 25\n"
                               "Fast_Typing: 1\n"
                               "fast_typing_pause: 200\n"
                               "keyboard_file: /some/where.kbd\n"
                               "normal_font: DejaVuSansMono-Bold\n"
                               "bold_font: DejaVuSansMono\n"
                               "italic_font: DejaVuSansMono-BoldOblique\n"
                               "italic_bold_font: DejaVuSansMono-Oblique\n"
                               "kbd_font: DejaVuSansMono");
    EXPECT_EQ(errors, "");
    EXPECT_EQ(config.editor, "/bin/sh");
    EXPECT_EQ(config.font_size, 30);
    EXPECT_EQ(config.kbd_font_size, 12);
    EXPECT_EQ(config.orientation, 3);
    EXPECT_EQ(config.check_interval, 50);
    EXPECT_EQ(config.font_step, 10);
    EXPECT_EQ(config.line_spacing, -30);
    EXPECT_EQ(config.minimum_keyboard_height, 450);
    EXPECT_EQ(config.full_refresh_every, 25);
    EXPECT_EQ(config.fast_typing, 1);
    EXPECT_EQ(config.fast_typing_pause, 200);
    EXPECT_EQ(config.keyboard_file, "/some/where.kbd");
    EXPECT_EQ(config.normal_font, "DejaVuSansMono-Bold");
    EXPECT_EQ(config.bold_font, "DejaVuSansMono");
    EXPECT_EQ(config.italic_font, "DejaVuSansMono-BoldOblique");
    EXPECT_EQ(config.italic_bold_font, "DejaVuSansMono-Oblique");
    EXPECT_EQ(config.kbd_font, "DejaVuSansMono");
}

TEST_F(Config_File, ValueKeepsFurtherColonsButNotTheComment)
{
    std::string const program = dir + "/prog:x";
    write_file(program, "#!/bin/sh\n", 0755);
    Config const config = load("editor: " + program + " # the editor\n");
    EXPECT_EQ(errors, "");
    EXPECT_EQ(config.editor, program);
}

TEST_F(Config_File, DoubleQuotesKeepBlanksAndAreNotPartOfNumbers)
{
    EXPECT_EQ(load("keyboard_file: \" spaced.kbd \"\n").keyboard_file, " spaced.kbd ");
    EXPECT_EQ(load("keyboard_file: \"\n").keyboard_file, "");
    EXPECT_EQ(load("keyboard_file: \"\"\n").keyboard_file, "");
    EXPECT_EQ(load("keyboard_file: \"half.kbd\n").keyboard_file, "\"half.kbd");
    EXPECT_EQ(load("keyboard_file: a\"b\"\n").keyboard_file, "a\"b\"");
    EXPECT_EQ(errors, "");
    EXPECT_EQ(load("editor: \"/bin/sh\"\n").editor, "/bin/sh");
    EXPECT_EQ(errors, "");

    EXPECT_EQ(load("font_size: \"30\"\n").font_size, 24);
    EXPECT_EQ(errors, "Value for keyword 'font_size' in configuration file isn't an integer\n");
}

TEST_F(Config_File, EmptyValuesOfTextSettings)
{
    Config const config = load("keyboard_file:\nnormal_font:\neditor:  \n");
    EXPECT_EQ(errors, "");
    EXPECT_EQ(config.keyboard_file, "");
    EXPECT_EQ(config.normal_font, "DejaVuSansMono");
    EXPECT_EQ(config.editor, paths::editor());
}

TEST_F(Config_File, MalformedLinesAreReportedByLineNumber)
{
    Config const config = load("# comment\n"
                               "\n"
                               "just words\n"
                               " : value\n"
                               "font_size = 30\n"
                               "orientation: 2\n");
    EXPECT_EQ(errors,
              "Line 3 of configuration file is invalid (missing colon)\n"
              "Missing keyword on line 4 of configuration file\n"
              "Line 5 of configuration file is invalid (missing colon)\n");
    EXPECT_EQ(config.font_size, 24);
    EXPECT_EQ(config.orientation, 2);
}

TEST_F(Config_File, FirstDefinitionStands)
{
    Config const config = load("orientation: 1\nORIENTATION: 2\n");
    EXPECT_EQ(errors, "Redefinition of keyword 'orientation on line 2 of configuration file, skipped\n");
    EXPECT_EQ(config.orientation, 1);
}

TEST_F(Config_File, IntegerMessagesInTheOrderOfTheChecks)
{
    Config const config = load("fast_typing_pause: 10001\n"
                               "fast_typing: 2\n"
                               "full_refresh_every: 10001\n"
                               "minimum_keyboard_height: 451\n"
                               "line_spacing: -25\n"
                               "font_step:\n"
                               "check_interval: big\n"
                               "orientation: 3\n"
                               "kbd_font_size: 5\n"
                               "font_size: 73\n");
    EXPECT_EQ(errors,
              "Value for keyword 'font_size' in configuration file isn't in the range [6, 72]\n"
              "Value for keyword 'kbd_font_size' in configuration file isn't in the range [6, 72]\n"
              "Value for keyword 'check_interval' in configuration file isn't an integer\n"
              "Missing value for keyword 'font_step' in configuration file\n"
              "Value for keyword 'line_spacing' in configuration file isn't in the range [-24, 100]\n"
              "Value for keyword 'minimum_keyboard_height' in configuration file isn't in the range "
              "[0, 450]\n"
              "Value for keyword 'full_refresh_every' in configuration file isn't in the range [0, 10000]\n"
              "Value for keyword 'fast_typing' in configuration file isn't in the range [0, 1]\n"
              "Value for keyword 'fast_typing_pause' in configuration file isn't in the range [200, 10000]\n");
    EXPECT_EQ(config.orientation, 3);
    EXPECT_EQ(config.font_size, 24);
    EXPECT_EQ(config.kbd_font_size, 24);
    EXPECT_EQ(config.check_interval, 100);
    EXPECT_EQ(config.font_step, 1);
    EXPECT_EQ(config.line_spacing, 0);
    EXPECT_EQ(config.minimum_keyboard_height, 0);
    EXPECT_EQ(config.full_refresh_every, 0);
    EXPECT_EQ(config.fast_typing, 0);
    EXPECT_EQ(config.fast_typing_pause, 1000);
}

TEST_F(Config_File, LineSpacingFloorFollowsTheCheckedFontSize)
{
    Config const accepted = load("font_size: 20\nline_spacing: -20\n");
    EXPECT_EQ(errors, "");
    EXPECT_EQ(accepted.line_spacing, -20);

    Config const refused = load("line_spacing: -21\nfont_size: 20\n");
    EXPECT_EQ(errors, "Value for keyword 'line_spacing' in configuration file isn't in the range [-20, 100]\n");
    EXPECT_EQ(refused.line_spacing, 0);

    // A refused font size leaves the default as the floor.
    load("font_size: 5\nline_spacing: -24\n");
    EXPECT_EQ(errors, "Value for keyword 'font_size' in configuration file isn't in the range [6, 72]\n");
}

TEST_F(Config_File, KeyboardHeightBoundComesFromTheShorterScreenSide)
{
    host::reset(1000, 400);
    EXPECT_EQ(load("minimum_keyboard_height: 300\n").minimum_keyboard_height, 300);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(load("minimum_keyboard_height: 301\n").minimum_keyboard_height, 0);
    EXPECT_EQ(errors,
              "Value for keyword 'minimum_keyboard_height' in configuration file isn't in the range "
              "[0, 300]\n");
}

TEST_F(Config_File, FontsThatCannotBeOpenedKeepTheirDefaults)
{
    Config const config = load("kbd_font: NoSuchFont4\n"
                               "italic_bold_font: NoSuchFont3\n"
                               "italic_font: NoSuchFont2\n"
                               "bold_font: NoSuchFont1\n"
                               "normal_font: \"NoSuchFont0 \"\n");
    EXPECT_EQ(errors,
              "Can't use normal font 'NoSuchFont0 ' requested in configuartion file\n"
              "Can't use bold font 'NoSuchFont1' requested in configuartion file\n"
              "Can't use italic font 'NoSuchFont2' requested in configuartion file\n"
              "Can't use italic-bold font 'NoSuchFont3' requested in configuartion file\n"
              "Can't use keyboard font 'NoSuchFont4' requested in configuartion file\n");
    Config const defaults = load("");
    EXPECT_EQ(config.normal_font, defaults.normal_font);
    EXPECT_EQ(config.bold_font, defaults.bold_font);
    EXPECT_EQ(config.italic_font, defaults.italic_font);
    EXPECT_EQ(config.italic_bold_font, defaults.italic_bold_font);
    EXPECT_EQ(config.kbd_font, defaults.kbd_font);
}

TEST_F(Config_File, EditorThatCannotBeExecutedKeepsTheDefault)
{
    std::string const plain = dir + "/not_executable";
    write_file(plain, "#!/bin/sh\n", 0644);
    Config const config = load("editor: " + plain + "\n");
    EXPECT_EQ(errors, "Can't use editor executable '" + plain + "' requested in configuration file\n");
    EXPECT_EQ(config.editor, paths::editor());
}

TEST_F(Config_File, UnsupportedKeywordsComeLastInByteOrder)
{
    load("zeta: 1\n"
         "colour: red\n"
         "font_size: big\n"
         "orientation: 9\n"
         "nocolon\n"
         "Alpha: x\n");
    EXPECT_EQ(errors,
              "Line 5 of configuration file is invalid (missing colon)\n"
              "Value for keyword 'font_size' in configuration file isn't an integer\n"
              "Value for keyword 'orientation' in configuration file isn't in the range [0, 3]\n"
              "Unsupported keyword 'alpha' found in configuration file\n"
              "Unsupported keyword 'colour' found in configuration file\n"
              "Unsupported keyword 'zeta' found in configuration file\n");
}

TEST_F(Config_File, CarriageReturnLineEndsReadLikeLineFeeds)
{
    Config const config = load("font_size: 30\r\norientation: 2\r\n# note\r\nnocolon\r\n\r\n");
    EXPECT_EQ(errors, "Line 4 of configuration file is invalid (missing colon)\n");
    EXPECT_EQ(config.font_size, 30);
    EXPECT_EQ(config.orientation, 2);
}

TEST_F(Config_File, BinaryJunkIsReportedNotCrashedOn)
{
    // Random bytes with no line end, colon or comment: one line, one message.
    std::mt19937 random(7);
    std::string junk(100000, '\0');
    for (char& c : junk) {
        c = static_cast<char>(random() & 0xFF);
        if (c == '\n' || c == ':' || c == '#')
            c = 'x';
    }
    junk[0] = 'j';
    std::string const nul_keyword("\0\x80", 2);
    Config const config = load("\x01\x02\xFF\xFE\n" + nul_keyword + ":junk\n"
                               + std::string("font_size: 3\0" "0\n", 15)
                               + std::string("editor: /bin/sh\0junk\n", 21) + junk);
    EXPECT_EQ(errors,
              "Line 1 of configuration file is invalid (missing colon)\n"
              "Line 5 of configuration file is invalid (missing colon)\n"
              "Value for keyword 'font_size' in configuration file isn't an integer\n"
              "Can't use editor executable '" + std::string("/bin/sh\0junk", 12)
                  + "' requested in configuration file\n"
                  "Unsupported keyword '" + nul_keyword + "' found in configuration file\n");
    EXPECT_EQ(config.font_size, 24);
    EXPECT_EQ(config.editor, paths::editor());
}

TEST_F(Config_File, TenThousandLinesAreAllCounted)
{
    std::string contents;
    for (int line = 1; line <= 10000; ++line)
        contents += "orientation: " + std::to_string(line % 4) + "\n";
    Config const config = load(contents);
    EXPECT_EQ(config.orientation, 1);
    std::istringstream lines(errors);
    std::string line;
    int count = 0;
    std::string last;
    while (std::getline(lines, line)) {
        ++count;
        last = line;
    }
    EXPECT_EQ(count, 9999);
    EXPECT_EQ(last, "Redefinition of keyword 'orientation on line 10000 of configuration file, skipped");
}

// Regression: a keyboard file name with a zero byte was taken, and the
// keyboard then opened the shorter name before it, a file nobody named.
TEST_F(Config_File, KeyboardFileWithAZeroByteKeepsTheDefault)
{
    write_file(dir + "/my.kbd", "==\nMine\na\n--\nA\n");
    std::string const named = dir + "/my.kbd" + std::string("\0.old", 5);
    Config const config = load("keyboard_file: " + named + "\n");
    EXPECT_EQ(errors, "Can't use keyboard file '" + named + "' requested in configuration file\n");
    EXPECT_EQ(config.keyboard_file, paths::keyboard_file());
}
