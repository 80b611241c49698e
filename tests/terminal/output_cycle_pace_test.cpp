// How soon the output cycle comes again, read from the stand-in's timer as
// the cycles run: quickly after input, at the normal period while output
// flows, slowly once all is quiet, and at once again when the user acts.
#include "host/host.h"
#include "tests/support/fake_messenger.h"
#include "tests/terminal/terminal_fixture.h"

namespace terminal_test {
namespace {

class Output_Cycle_Pace : public Terminal {
protected:
    void SetUp() override
    {
        Terminal::SetUp();
        open_grid(20, 6);
        display->check();
    }

    static int armed_delay() { return host::timer_delay(Display::static_timer_handler); }

    // The delays the timer is armed with, cycle after cycle, with output
    // only where the child writes it.
    std::vector<int> delays(int cycles, std::vector<std::string> const& output = {})
    {
        std::vector<int> seen;
        for (int i = 0; i < cycles; ++i) {
            if (static_cast<std::size_t>(i) < output.size())
                fake::log().text += output[static_cast<std::size_t>(i)];
            host::fire_timers();
            seen.push_back(armed_delay());
        }
        return seen;
    }

    void go_idle() { delays(30); }
};

}

TEST_F(Output_Cycle_Pace, AfterInputTheAnswerIsLookedForWithinAMillisecond)
{
    // Regression: the cycle after a key found no echo yet, and the echo
    // waited for the next one, 50 ms later.
    display->input_sent();
    display->check();
    EXPECT_EQ(armed_delay(), 1);
    EXPECT_EQ(delays(6, {"", "echo"}), (std::vector<int>{2, 4, 8, 16, 32, 50}));
    EXPECT_EQ(row(0), "echo");
}

TEST_F(Output_Cycle_Pace, QuietSlowsTheCycleDownToOnceASecond)
{
    // Regression: an idle reader woke twenty times a second for ever.
    // Twenty empty cycles at 50 ms, the first the one at start, are a quiet second.
    std::vector<int> const seen = delays(25);
    EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + 18), std::vector<int>(18, 50));
    EXPECT_EQ(std::vector<int>(seen.begin() + 18, seen.end()), (std::vector<int>{100, 200, 400, 800, 1000, 1000, 1000}));
}

TEST_F(Output_Cycle_Pace, OutputWhileIdleIsShownAndBringsBackTheNormalPeriod)
{
    go_idle();
    EXPECT_EQ(delays(2, {"done"}), (std::vector<int>{50, 50}));
    EXPECT_EQ(row(0), "done");
    // A sequence cut short is no news: waiting for its end does not keep the pace up.
    fake::log().text += "\x1b[";
    EXPECT_EQ(delays(21).back(), 100);
}

TEST_F(Output_Cycle_Pace, UserActingWhileIdleRearmsTheNormalPeriodButNotASuspendedCycle)
{
    go_idle();
    display->wake();
    EXPECT_EQ(armed_delay(), 50);

    go_idle();
    display->stop_timer();
    display->wake();
    EXPECT_FALSE(host::timer_armed(Display::static_timer_handler));
    display->start_timer();
    EXPECT_EQ(armed_delay(), 50);
}

}
