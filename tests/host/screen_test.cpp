// The screen buffer, the panel, the update log and orientation.
#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "host/host.h"
#include "host_test_support.h"

namespace {

class HostScreen : public ::testing::Test {
protected:
    void SetUp() override { host::reset(); }
};

TEST_F(HostScreen, PanelChangesOnlyWhenUpdated)
{
    FillArea(10, 10, 5, 5, BLACK);
    EXPECT_EQ(host::buffer_pixel(12, 12), 0);
    EXPECT_EQ(host::panel_pixel(12, 12), 255);
    EXPECT_EQ(host::stale_pixels(), 25);

    PartialUpdate(10, 10, 2, 5);
    EXPECT_EQ(host::panel_pixel(11, 12), 0);
    EXPECT_EQ(host::panel_pixel(12, 12), 255);
    EXPECT_EQ(host::stale_pixels(), 15);
    EXPECT_EQ(host::stale_pixels({10, 10, 2, 5}), 0);
    EXPECT_EQ(host::stale_pixels({12, 10, 3, 5}), 15);

    SoftUpdate();
    EXPECT_EQ(host::stale_pixels(), 0);
    EXPECT_EQ(host::panel(), host::buffer());
}

TEST_F(HostScreen, UpdateLogClipsToTheScreenAndCounts)
{
    PartialUpdate(-10, -10, 20, 30);
    PartialUpdate(590, 790, 100, 100);
    PartialUpdate(700, 0, 10, 10);  // wholly off the screen: logged, nothing refreshed
    SoftUpdate();
    FullUpdate();

    auto const& log = host::updates();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0].kind, host::Update::partial);
    EXPECT_EQ(log[0].area, (Rect{0, 0, 10, 20}));
    EXPECT_EQ(log[1].area, (Rect{590, 790, 10, 10}));
    EXPECT_TRUE(log[2].area.empty());
    EXPECT_EQ(log[3].kind, host::Update::soft);
    EXPECT_EQ(log[3].area, (Rect{0, 0, 600, 800}));
    EXPECT_EQ(log[4].kind, host::Update::full);
    EXPECT_EQ(log[4].area, (Rect{0, 0, 600, 800}));
    EXPECT_EQ(host::refreshed_pixels(), 200 + 100 + 2 * 600 * 800);

    host::clear_updates();
    EXPECT_TRUE(host::updates().empty());
    EXPECT_EQ(host::refreshed_pixels(), 0);
}

// A monochrome update shows each pixel black or white, split at mid grey,
// until a grey one shows the buffer again; an update overlapping one still
// running starts when it ends, each lasting as its kind does on a reader.
TEST_F(HostScreen, MonochromeUpdatesSplitAtMidGreyAndWaitForTheUpdatesTheyOverlap)
{
    unsigned char const greys[] = {0, 32, 127, 128, 250};
    for (int x = 0; x < 5; ++x)
        FillArea(x, 0, 1, 1, greys[x] * 0x010101);
    DynamicUpdateBW(0, 0, 5, 1);
    unsigned char const shown[] = {0, 0, 0, 255, 255};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(host::panel_pixel(x, 0), shown[x]) << x;
    EXPECT_EQ(host::stale_pixels(), 4);
    PartialUpdate(0, 0, 5, 1);
    EXPECT_EQ(host::stale_pixels(), 0);
    PartialUpdateBW(100, 100, 10, 10);
    FullUpdate();
    PartialUpdate(700, 0, 10, 10);

    struct Expected {
        char const* kind;
        long long waits_for;  // the log entry it starts after, or -1: starts at once
        int lasts;
    } const expected[] = {{"du", -1, 260}, {"partial", 0, 450}, {"bw", -1, 260}, {"full", 1, 600}, {"partial", -1, 0}};
    auto const& log = host::updates();
    ASSERT_EQ(log.size(), 5u);
    for (std::size_t i = 0; i < log.size(); ++i) {
        Expected const& e = expected[i];
        EXPECT_STREQ(host::kind_name(log[i].kind), e.kind) << i;
        EXPECT_EQ(log[i].end_ms - log[i].start_ms, e.lasts) << i;
        if (e.waits_for >= 0)
            EXPECT_EQ(log[i].start_ms, log[std::size_t(e.waits_for)].end_ms) << i;
        else
            EXPECT_LT(log[i].start_ms, log[0].end_ms) << i;
    }
}

// The hook sees each update with the panel already showing it, clipped as logged.
std::vector<std::pair<Rect, unsigned char>> hooked;

void record_update(host::Update const& update)
{
    hooked.emplace_back(update.area, host::panel_pixel(update.area.x, update.area.y));
}

TEST_F(HostScreen, UpdateHookSeesEachUpdateAsThePanelShowsIt)
{
    hooked.clear();
    host::set_update_hook(record_update);
    FillArea(0, 0, 10, 10, BLACK);
    PartialUpdate(-5, 0, 10, 10);
    host::reset();  // the hook stays
    SoftUpdate();
    host::set_update_hook(nullptr);
    PartialUpdate(0, 0, 1, 1);

    ASSERT_EQ(hooked.size(), 2u);
    EXPECT_EQ(hooked[0].first, (Rect{0, 0, 5, 10}));
    EXPECT_EQ(hooked[0].second, 0);
    EXPECT_EQ(hooked[1].first, (Rect{0, 0, 600, 800}));
    EXPECT_EQ(hooked[1].second, 255);
}

TEST_F(HostScreen, UpdateOfHugeOrNegativeSizesStaysInside)
{
    PartialUpdate(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    PartialUpdate(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    PartialUpdate(100, 100, -50, -50);
    PartialUpdate(-5, -5, INT_MAX, INT_MAX);
    auto const& log = host::updates();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_TRUE(log[0].area.empty());
    EXPECT_TRUE(log[1].area.empty());
    EXPECT_TRUE(log[2].area.empty());
    EXPECT_EQ(log[3].area, (Rect{0, 0, 600, 800}));
}

TEST_F(HostScreen, ColoursBecomeGrey)
{
    FillArea(0, 0, 1, 1, 0xFF0000);
    FillArea(1, 0, 1, 1, 0x00FF00);
    FillArea(2, 0, 1, 1, 0x808080);
    FillArea(3, 0, 1, 1, WHITE);
    FillArea(4, 0, 1, 1, 0x7F000000);  // bits above the colour are ignored
    EXPECT_EQ(host::buffer_pixel(0, 0), 76);
    EXPECT_EQ(host::buffer_pixel(1, 0), 150);
    EXPECT_EQ(host::buffer_pixel(2, 0), 128);
    EXPECT_EQ(host::buffer_pixel(3, 0), 255);
    EXPECT_EQ(host::buffer_pixel(4, 0), 0);
}

TEST_F(HostScreen, OrientationSwapsTheSizeAndBlanksOnAShapeChange)
{
    FillArea(0, 0, 50, 50, BLACK);
    SoftUpdate();

    SetOrientation(1);
    EXPECT_EQ(GetOrientation(), 1);
    EXPECT_EQ(ScreenWidth(), 800);
    EXPECT_EQ(ScreenHeight(), 600);
    EXPECT_EQ(host::buffer().size(), 800u * 600u);
    EXPECT_EQ(host::panel().size(), 800u * 600u);
    EXPECT_EQ(host_test::count_grey(0), 0);
    EXPECT_EQ(host::panel_pixel(0, 0), 255);

    // Landscape to landscape keeps what is drawn.
    FillArea(0, 0, 10, 10, BLACK);
    SetOrientation(2);
    EXPECT_EQ(ScreenWidth(), 800);
    EXPECT_EQ(host_test::count_grey(0), 100);

    SetOrientation(3);
    EXPECT_EQ(ScreenWidth(), 600);
    EXPECT_EQ(ScreenHeight(), 800);
    EXPECT_EQ(host_test::count_grey(0), 0);

    SetOrientation(7);
    SetOrientation(-1);
    EXPECT_EQ(GetOrientation(), 3);
}

TEST_F(HostScreen, ResetGivesAFreshScreenOfTheAskedSize)
{
    SetOrientation(1);
    FillArea(0, 0, 10, 10, BLACK);
    PartialUpdate(0, 0, 10, 10);
    CloseApp();

    host::reset(320, 240);
    EXPECT_EQ(GetOrientation(), 0);
    EXPECT_EQ(ScreenWidth(), 320);
    EXPECT_EQ(ScreenHeight(), 240);
    EXPECT_EQ(host_test::count_grey(0), 0);
    EXPECT_TRUE(host::updates().empty());
    EXPECT_FALSE(host::close_requested());
    EXPECT_THROW(host::reset(0, 100), std::invalid_argument);
    EXPECT_THROW(host::buffer_pixel(320, 0), std::out_of_range);
}

}
