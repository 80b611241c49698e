// The full refreshes against e-ink ghosting, in the whole program with a
// child on a real pseudo-terminal that prints back each line typed: the
// menu's "Refresh screen" and the configured refresh every few output cycles.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/application.h"
#include "host/host.h"
#include "host/onscreen_keys.h"
#include "host/text_layer.h"
#include "platform/inkview.h"
#include "tests/support/sandbox.h"

namespace {

int event(int type, int par1 = 0, int par2 = 0) { return application::event_function(type, par1, par2); }

struct Refresh : ::testing::Test {
    Sandbox sandbox;

    void start(std::string const& settings)
    {
        host::reset();
        // Without the terminal's echo, as an editor sets it: each line shows
        // once, in one cycle. Typing waits until the child is ready.
        std::string const child = sandbox.write_script(
            "lines.sh", "stty -echo\necho ready\nwhile read line; do printf '%s\\r\\n' \"$line\"; done\n");
        sandbox.write_config("editor: " + child + "\nkeyboard_file:\n" + settings);
        ASSERT_EQ(event(EVT_INIT), 1);
        event(EVT_SHOW);
        host::clear_updates();
        ASSERT_TRUE(cycle_until([] { return cycle_updates().size() == 1; }));
    }
    void TearDown() override { event(EVT_EXIT); }

    void tap(std::string const& key)
    {
        auto const area = host::detail::find_key(key);
        ASSERT_TRUE(area) << key;
        event(EVT_POINTERDOWN, area->x + area->width / 2, area->y + area->height / 2);
        event(EVT_POINTERUP, area->x + area->width / 2, area->y + area->height / 2);
    }

    // Runs the output cycles until the condition holds, at most two seconds.
    static bool cycle_until(std::function<bool()> const& condition)
    {
        for (int i = 0; i < 200 && !condition(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            host::fire_timers();
        }
        return condition();
    }

    // The updates of output cycles: the keys' highlights lie below the text.
    static std::vector<host::Update> cycle_updates()
    {
        int const keyboard_top = host::detail::frames().front().y;
        std::vector<host::Update> found;
        for (host::Update const& update : host::updates())
            if (update.kind == host::Update::full || update.area.y < keyboard_top)
                found.push_back(update);
        return found;
    }
};

}

TEST_F(Refresh, RefreshScreenRepaintsEverythingWithOneFullUpdate)
{
    start("");
    for (int line = 0; line < 40; ++line) {
        tap("l");
        tap("Enter");
    }
    // All printed: the text rows full of lines, and no cycle refreshing any more.
    std::size_t refreshes = 0;
    ASSERT_TRUE(cycle_until([&] {
        int lines = 0;
        for (host::Text_Entry const& entry : host::text_layer())
            lines += entry.kind == host::Text_Entry::string && entry.text == "l";
        bool const quiet = host::updates().size() == refreshes;
        refreshes = host::updates().size();
        return lines >= 15 && quiet;
    }));
    std::vector<unsigned char> const screen = host::buffer();

    event(EVT_KEYRELEASE, KEY_MENU, 0);
    ASSERT_TRUE(host::menu_open());
    host::clear_updates();
    host::answer_menu(1);

    int full = 0;
    for (host::Update const& update : host::updates())
        full += update.kind == host::Update::full;
    EXPECT_EQ(full, 1);
    ASSERT_FALSE(host::updates().empty());
    EXPECT_EQ(host::updates().back().kind, host::Update::full);
    EXPECT_EQ(host::updates().back().area, (Rect{0, 0, 600, 800}));
    // Drawn again from the cells and the keyboard, pixel for pixel.
    EXPECT_TRUE(host::buffer() == screen);
    EXPECT_EQ(host::stale_pixels(), 0);
}

TEST_F(Refresh, EveryFifthRefreshingCycleIsAFullUpdate)
{
    start("full_refresh_every: 5\n");
    // The child's "ready", then one printed line a cycle; the cycles that
    // find nothing in between count not.
    for (std::size_t typed = 1; typed <= 12; ++typed) {
        tap("q");
        tap("Enter");
        ASSERT_TRUE(cycle_until([&] { return cycle_updates().size() == typed + 1; })) << typed;
        for (int idle = 0; idle < 3; ++idle)
            host::fire_timers();
    }
    std::vector<host::Update> const cycles = cycle_updates();
    ASSERT_EQ(cycles.size(), 13u);
    for (std::size_t i = 0; i < cycles.size(); ++i)
        EXPECT_EQ(cycles[i].kind, i % 5 == 4 ? host::Update::full : host::Update::partial) << "cycle " << i + 1;
    EXPECT_EQ(host::stale_pixels(), 0);
}
