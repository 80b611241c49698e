// Weak timers: one shot, re-armed by the next SetWeakTimer, cancelled by
// ClearTimer, and fired by host::fire_timers.
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/host.h"

namespace {

int first_calls, second_calls, rearming_calls;

void first() { ++first_calls; }
void second() { ++second_calls; }
void rearming()
{
    ++rearming_calls;
    SetWeakTimer("again", rearming, 50);
}
void cancels_second()
{
    ++first_calls;
    ClearTimer(second);
}
void throws() { throw std::runtime_error("timer failed"); }

class HostTimers : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::reset();
        first_calls = second_calls = rearming_calls = 0;
    }
};

TEST_F(HostTimers, ArmedTimerFiresOnce)
{
    SetWeakTimer("tarn_timer", first, 50);
    EXPECT_TRUE(host::timer_armed(first));
    EXPECT_EQ(host::timer_name(first), "tarn_timer");
    EXPECT_EQ(host::timer_delay(first), 50);
    host::fire_timers();
    EXPECT_EQ(first_calls, 1);
    EXPECT_FALSE(host::timer_armed(first));
    host::fire_timers();
    EXPECT_EQ(first_calls, 1);
}

TEST_F(HostTimers, ArmingAgainReplacesNameAndDelay)
{
    SetWeakTimer("one", first, 50);
    SetWeakTimer("two", first, 70);
    EXPECT_EQ(host::timer_name(first), "two");
    EXPECT_EQ(host::timer_delay(first), 70);
    host::fire_timers();
    EXPECT_EQ(first_calls, 1);
}

TEST_F(HostTimers, ClearTimerCancelsOnlyThatTimer)
{
    SetWeakTimer("a", first, 10);
    SetWeakTimer("b", second, 10);
    ClearTimer(first);
    ClearTimer(first);  // twice is harmless
    EXPECT_FALSE(host::timer_armed(first));
    host::fire_timers();
    EXPECT_EQ(first_calls, 0);
    EXPECT_EQ(second_calls, 1);
}

TEST_F(HostTimers, SelfRearmingTimerFiresOncePerRound)
{
    SetWeakTimer("again", rearming, 50);
    host::fire_timers();
    EXPECT_EQ(rearming_calls, 1);
    EXPECT_TRUE(host::timer_armed(rearming));
    host::fire_timers();
    EXPECT_EQ(rearming_calls, 2);
}

TEST_F(HostTimers, TimerCancelledByAnEarlierOneInTheSameRoundDoesNotFire)
{
    SetWeakTimer("canceller", cancels_second, 0);
    SetWeakTimer("victim", second, 10);
    host::fire_timers();
    EXPECT_EQ(first_calls, 1);
    EXPECT_EQ(second_calls, 0);
}

TEST_F(HostTimers, FiringsCountTheFunctionsThatRanUntilReset)
{
    SetWeakTimer("canceller", cancels_second, 0);
    SetWeakTimer("victim", second, 10);
    SetWeakTimer("again", rearming, 50);
    host::fire_timers();
    host::fire_timers();
    EXPECT_EQ(host::timer_firings(), 3u);  // the canceller, then the re-arming one twice
    host::reset();
    EXPECT_EQ(host::timer_firings(), 0u);
}

TEST_F(HostTimers, ThrowingTimerIsDisarmedAndTheExceptionPassesOut)
{
    SetWeakTimer("bad", throws, 0);
    EXPECT_THROW(host::fire_timers(), std::runtime_error);
    EXPECT_FALSE(host::timer_armed(throws));
}

TEST_F(HostTimers, ResetDropsEveryTimer)
{
    SetWeakTimer("a", first, 10);
    host::reset();
    EXPECT_FALSE(host::timer_armed(first));
    EXPECT_EQ(host::timer_delay(first), -1);
    SetWeakTimer("null", nullptr, 10);  // ignored
    host::fire_timers();
    EXPECT_EQ(first_calls, 0);
}

}
