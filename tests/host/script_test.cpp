// The event-script parser, on text alone, and the parsers of the stand-in's
// environment variables.
#include <gtest/gtest.h>

#include "host/environment.h"
#include "host/script.h"
#include "host_test_support.h"

namespace {

using host::script::Command;
using host::script::Kind;

std::string error_of(std::string const& text)
{
    try {
        host::script::parse(text, "events.txt");
    } catch (host::script::Error const& e) {
        return e.what();
    }
    return "no error";
}

TEST(HostScriptParser, ReadsEveryCommand)
{
    std::string const text =
        "# a comment\n"
        "\n"
        "wait 300\n"
        "settle\n"
        "settle 100\n"
        "settle 100 2000\n"
        "show\n"
        "press 1 2\n"
        "move 3 4\n"
        "release 5 6\n"
        "long 7 8\n"
        "tap -9 10\n"
        "swipe 1 2 3 4\n"
        "swipe 1 2 3 4 5\n"
        "touch 1 2 3 4 2\n"
        "cancel\n"
        "key 23\n"
        "key 24 3\n"
        "type :wq\n"
        "tapkey Esc\n"
        "menu -1\n"
        "rotate 3\n"
        "usr2\n"
        "snapshot start\n"
        "  quit  \r\n";
    std::vector<Command> const c = host::script::parse(text, "events.txt");
    std::vector<Kind> const kinds{Kind::wait, Kind::settle, Kind::settle, Kind::settle, Kind::show, Kind::press,
                                  Kind::move, Kind::release, Kind::long_press, Kind::tap, Kind::swipe, Kind::swipe,
                                  Kind::touch, Kind::cancel, Kind::key, Kind::key, Kind::type, Kind::tapkey, Kind::menu,
                                  Kind::rotate, Kind::usr2, Kind::snapshot, Kind::quit};
    ASSERT_EQ(c.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(c[i].kind, kinds[i]) << "command " << i;
    EXPECT_EQ(c[0].line, 3);
    EXPECT_EQ(c[0].numbers, std::vector<int>{300});
    EXPECT_TRUE(c[1].numbers.empty());
    EXPECT_EQ(c[3].numbers, (std::vector<int>{100, 2000}));
    EXPECT_EQ(c[9].numbers, (std::vector<int>{-9, 10}));
    EXPECT_EQ(c[10].numbers.size(), 4u);
    EXPECT_EQ(c[11].numbers, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(c[12].numbers, (std::vector<int>{1, 2, 3, 4, 2}));
    EXPECT_TRUE(c[13].numbers.empty());
    EXPECT_EQ(c[15].numbers, (std::vector<int>{24, 3}));
    EXPECT_EQ(c[16].text, ":wq");
    EXPECT_EQ(c[17].text, "Esc");
    EXPECT_EQ(c[18].numbers, std::vector<int>{-1});
    EXPECT_EQ(c[21].text, "start");
    EXPECT_EQ(c[22].line, 25);
}

TEST(HostScriptParser, TypeKeepsTheInnerBlanksOfItsText)
{
    auto const c = host::script::parse("type  a b#c  \n", "s");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].text, "a b#c");
}

TEST(HostScriptParser, ErrorsNameTheScriptAndLine)
{
    EXPECT_EQ(error_of("wait 1\n\njump 3\n"), "events.txt:3: unknown command 'jump'");
    EXPECT_EQ(error_of("tap 1 x\n"), "events.txt:1: bad number 'x'");
    EXPECT_EQ(error_of("wait 12ms\n"), "events.txt:1: bad number '12ms'");
    EXPECT_EQ(error_of("wait 99999999999999999999\n"), "events.txt:1: bad number '99999999999999999999'");
    EXPECT_EQ(error_of("wait 99999999999\n").rfind("events.txt:1: bad number '99999999999'", 0), 0u);
    EXPECT_EQ(error_of("# c\ntap 1\n"), "events.txt:2: wrong argument count: 'tap' takes 2 numbers, got 1");
    EXPECT_EQ(error_of("settle 1 2 3\n"),
              "events.txt:1: wrong argument count: 'settle' takes 0 to 2 numbers, got 3");
    EXPECT_EQ(error_of("show now\n"), "events.txt:1: wrong argument count: 'show' takes 0 numbers, got 1");
    EXPECT_EQ(error_of("type   \n"), "events.txt:1: wrong argument count: 'type' needs text");
    EXPECT_EQ(error_of("snapshot a b\n"), "events.txt:1: wrong argument count: 'snapshot' takes one name, got 2");
    EXPECT_EQ(error_of("rotate 4\n"), "events.txt:1: bad number '4': 'rotate' takes 0 to 3 there");
    EXPECT_EQ(error_of("menu -2\n"), "events.txt:1: bad number '-2': 'menu' takes -1 to 2147483647 there");
    EXPECT_EQ(error_of("wait -1\n").rfind("events.txt:1: bad number '-1'", 0), 0u);
    EXPECT_EQ(error_of("swipe 1 2 3 4 -5\n").rfind("events.txt:1: bad number '-5'", 0), 0u);
    EXPECT_EQ(error_of("WAIT 1\n"), "events.txt:1: unknown command 'WAIT'");
}

TEST(HostScriptParser, LoadReadsAFileAndReportsOneThatCannotBeRead)
{
    host_test::Temp_Dir dir;
    auto const commands = host::script::load(dir.write("ok.events", "wait 5\nquit\n"));
    EXPECT_EQ(commands.size(), 2u);

    std::string const missing = dir.file("missing.events");
    try {
        host::script::load(missing);
        FAIL() << "no error";
    } catch (host::script::Error const& e) {
        EXPECT_EQ(std::string(e.what()), missing + ": cannot read the event script: No such file or directory");
    }
    EXPECT_THROW(host::script::load(dir.path), host::script::Error);  // a folder
}

TEST(HostEnvironment, ScreenSizeIsWidthByHeight)
{
    EXPECT_EQ(host::detail::parse_screen_size("800x600"), std::make_pair(800, 600));
    EXPECT_EQ(host::detail::parse_screen_size("1x16384"), std::make_pair(1, 16384));
    for (char const* bad : {"800", "800x", "x600", "0x600", "800x0", "-8x600", "800X600", "800x600x", "16385x10",
                            " 800x600", "99999999999x1"})
        EXPECT_THROW(host::detail::parse_screen_size(bad), host::detail::Environment_Error) << bad;
}

TEST(HostEnvironment, FontFoldersSplitAtColonsSkippingEmptyOnes)
{
    EXPECT_EQ(host::detail::split_folder_list("/a::/b c:"), (std::vector<std::string>{"/a", "/b c"}));
    EXPECT_TRUE(host::detail::split_folder_list("").empty());
    EXPECT_EQ(host::detail::split_folder_list("/only"), std::vector<std::string>{"/only"});
}

}
