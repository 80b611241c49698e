// Fast typing in the whole program, run on each kind of platform library
// with a child whose terminal echoes what is typed: the updates while typing
// and after the pause, as the update log gives them, and the panel then.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rect.h"
#include "tests/support/read_file.h"
#include "tests/support/sandbox.h"
#include "tests/support/tarn_process.h"

namespace {

struct Logged {
    std::string kind;
    Rect area;
};

std::vector<Logged> read_updates(std::string const& path)
{
    std::vector<Logged> log;
    std::istringstream lines(read_file(path));
    Logged u;
    long long start, end;
    while (lines >> u.kind >> u.area.x >> u.area.y >> u.area.width >> u.area.height >> start >> end)
        log.push_back(u);
    return log;
}

// The updates of later after those of earlier, which it starts with.
std::vector<Logged> since(std::vector<Logged> const& earlier, std::vector<Logged> const& later)
{
    return std::vector<Logged>(later.begin() + std::min(earlier.size(), later.size()), later.end());
}

// The program on a library (a folder under the build's host/) with a child
// whose terminal echoes what is typed; every check_panel of the script must pass.
struct Fast_Typing_Run : ::testing::Test {
    Sandbox sandbox;

    void run(std::string const& settings, std::string const& events, std::string const& library = "generation-3")
    {
        std::string const child = sandbox.write_script("echoing.sh", "exec cat >/dev/null\n");
        sandbox.write_config("editor: " + child + "\nkeyboard_file:\n" + settings);
        sandbox.write_file("events", events);
        ASSERT_EQ(run_tarn(sandbox.root(), "", 60, "LD_LIBRARY_PATH=" TARN_BINARY_DIR "/host/" + library), 0)
            << read_file(sandbox.path("errors"));
    }
    std::vector<Logged> updates(std::string const& report)
    {
        return read_updates(sandbox.path("out/" + report + ".updates"));
    }
    // The updates of one report after those of an earlier one.
    std::vector<Logged> between(std::string const& earlier, std::string const& later)
    {
        return since(updates(earlier), updates(later));
    }
};

struct Case {
    char const* name;
    char const* library;
    char const* setting;   // the fast_typing line
    bool menu_switches;    // the menu's "Fast typing" is chosen before typing
    char const* typing;    // the kind of every update while typing
    char const* errors;
};

void PrintTo(Case const& c, std::ostream* out) { *out << c.name; }

struct Fast_Typing : Fast_Typing_Run, ::testing::WithParamInterface<Case> {};

}

TEST_P(Fast_Typing, TypingUpdatesAndTheGreyUpdateAfterThePause)
{
    Case const& c = GetParam();
    // The log is read soon after typing, long before the pause ends.
    ASSERT_NO_FATAL_FAILURE(run(std::string("fast_typing_pause: 2500\n") + c.setting + "\n",
                                std::string("settle 300\n") + (c.menu_switches ? "key 23\nmenu 100\n" : "") +
                                    "settle 300\nupdates before\ntype abc\nsettle 300\nupdates typed\nwait 3000\n"
                                    "updates after\ncheck_panel\nquit\n",
                                c.library));
    EXPECT_EQ(read_file(sandbox.path("errors")), c.errors);

    std::vector<Logged> const typed = between("before", "typed");
    std::vector<Logged> const after = between("typed", "after");
    // Three keys on and off, and at least one cycle with the echo.
    ASSERT_GE(typed.size(), 7u);
    // The built-in keyboard's keys start here on the 600 x 800 screen: their
    // labels have no anti-aliasing, and the grey update leaves them out.
    constexpr int keys_top = 560;
    Rect traced;
    for (Logged const& u : typed) {
        EXPECT_EQ(u.kind, c.typing);
        if (u.area.y < keys_top)
            traced += u.area;
    }
    if (std::string(c.typing) == "partial") {
        EXPECT_TRUE(after.empty());
        return;
    }
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].kind, "partial");
    EXPECT_EQ(after[0].area, traced);
    EXPECT_LE(traced.y + traced.height, keys_top);
}

// Switched off by the menu, what was typed in black and white is restored at once.
TEST_F(Fast_Typing_Run, SwitchingOffRestoresAtOnceAndTypingIsGreyAgain)
{
    ASSERT_NO_FATAL_FAILURE(run("fast_typing: 1\nfast_typing_pause: 5000\n",
                                "settle 300\ntype ab\nsettle 300\nupdates typed\nkey 23\nmenu 100\nupdates off\n"
                                "check_panel\ntype c\nsettle 300\nupdates grey\ncheck_panel\nquit\n"));
    std::vector<Logged> const off = between("typed", "off");
    ASSERT_EQ(off.size(), 1u);
    EXPECT_EQ(off[0].kind, "partial");
    std::vector<Logged> const grey = between("off", "grey");
    ASSERT_FALSE(grey.empty());
    for (Logged const& u : grey)
        EXPECT_EQ(u.kind, "partial");
}

// The traces stay where the panel is, which a rotation turns under them.
TEST_F(Fast_Typing_Run, AfterARotationTheGreyUpdateCoversTheWholeScreen)
{
    // A pause long enough that a loaded machine cannot end it before the rotation.
    ASSERT_NO_FATAL_FAILURE(run("fast_typing: 1\nfast_typing_pause: 4000\n",
                                "settle 300\ntype ab\nsettle 300\nkey 23\nmenu 2\nrotate 1\nsettle 300\n"
                                "updates turned\nwait 4500\nupdates after\ncheck_panel\nquit\n"));
    std::vector<Logged> const after = between("turned", "after");
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].kind, "partial");
    EXPECT_EQ(after[0].area, (Rect{0, 0, 800, 600}));
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, Fast_Typing,
    ::testing::Values(Case{"A2", "generation-3", "fast_typing: 1", false, "a2", ""},
                      Case{"DUWithoutA2", "generation-1", "fast_typing: 1", false, "du", ""},
                      Case{"SwitchedOnByTheMenu", "generation-3", "fast_typing: 0", true, "a2", ""},
                      Case{"OffByDefault", "generation-3", "", false, "partial", ""},
                      // Not offered: the setting is reported once, the menu's item does nothing.
                      Case{"NoMonochromeUpdate", "without-monochrome-updates", "fast_typing: 1", true, "partial",
                           "The platform has no monochrome update: fast typing is off\n"}),
    [](::testing::TestParamInfo<Case> const& info) { return std::string(info.param.name); });
