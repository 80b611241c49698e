// Fills, frames, lines and inversion, and their clipping at and beyond every edge.
#include <gtest/gtest.h>

#include <climits>

#include "host/host.h"
#include "host_test_support.h"

namespace {

using host_test::count_grey;

class HostDrawing : public ::testing::Test {
protected:
    void SetUp() override { host::reset(); }
};

TEST_F(HostDrawing, FillPaintsExactlyItsRectangle)
{
    FillArea(100, 200, 30, 40, BLACK);
    EXPECT_EQ(count_grey(0), 30 * 40);
    EXPECT_EQ(count_grey({100, 200, 30, 40}, 0), 30 * 40);
}

TEST_F(HostDrawing, FillIsClippedAtEveryEdge)
{
    FillArea(-5, -5, 10, 10, BLACK);      // top-left corner
    FillArea(595, 795, 10, 10, BLACK);    // bottom-right corner
    FillArea(300, -3, 1, 5, BLACK);       // over the top edge
    EXPECT_EQ(count_grey({0, 0, 5, 5}, 0), 25);
    EXPECT_EQ(count_grey({595, 795, 5, 5}, 0), 25);
    EXPECT_EQ(count_grey({300, 0, 1, 2}, 0), 2);
    EXPECT_EQ(count_grey(0), 52);
}

TEST_F(HostDrawing, ExtremeArgumentsNeverWriteOutside)
{
    FillArea(INT_MIN, INT_MIN, INT_MAX, INT_MAX, BLACK);
    FillArea(INT_MAX, INT_MAX, INT_MAX, INT_MAX, BLACK);
    FillArea(100, 100, -10, -10, BLACK);
    FillArea(100, 100, 0, 10, BLACK);
    DrawRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, BLACK);
    DrawRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX, BLACK);
    DrawRect(10, 10, -5, 5, BLACK);
    InvertArea(INT_MIN, 0, INT_MAX, INT_MAX);
    InvertArea(INT_MAX, INT_MAX, 10, 10);
    InvertArea(10, 10, -3, -3);
    EXPECT_EQ(count_grey(0), 0);
    EXPECT_EQ(host::buffer().size(), 600u * 800u);

    // The whole screen and more, from far outside.
    FillArea(-1000000, -1000000, INT_MAX, INT_MAX, BLACK);
    EXPECT_EQ(count_grey(0), 600 * 800);
}

TEST_F(HostDrawing, FrameIsOnePixelOfWidthByHeight)
{
    DrawRect(10, 20, 5, 4, BLACK);
    // Ring of a 5 x 4 box: 2 x 5 + 2 x 2.
    EXPECT_EQ(count_grey(0), 14);
    EXPECT_EQ(host::buffer_pixel(10, 20), 0);
    EXPECT_EQ(host::buffer_pixel(14, 23), 0);
    EXPECT_EQ(host::buffer_pixel(12, 21), 255);
    EXPECT_EQ(host::buffer_pixel(15, 20), 255);

    host::reset();
    DrawRect(0, 0, 1, 1, BLACK);
    DrawRect(20, 0, 1, 6, BLACK);  // a key of width 0 is drawn one pixel wide
    EXPECT_EQ(count_grey(0), 7);
}

TEST_F(HostDrawing, FrameAroundTheScreenEdgeKeepsOnlyItsVisibleSides)
{
    DrawRect(-1, -1, 602, 802, BLACK);
    EXPECT_EQ(count_grey(0), 0);
    DrawRect(0, 0, 600, 800, BLACK);
    EXPECT_EQ(count_grey(0), 2 * 600 + 2 * 798);
    host::reset();
    DrawRect(590, 10, 20, 10, BLACK);  // right side off screen
    EXPECT_EQ(count_grey(0), 2 * 10 + 8);
}

TEST_F(HostDrawing, LinesGoEveryWayWithOnePixelPerStep)
{
    DrawLine(0, 0, 599, 799, BLACK);
    EXPECT_EQ(count_grey(0), 800);
    for (int y = 0; y < 800; ++y)
        ASSERT_EQ(count_grey({0, y, 600, 1}, 0), 1) << "row " << y;
    EXPECT_EQ(host::buffer_pixel(599, 799), 0);

    host::reset();
    DrawLine(50, 10, 10, 10, BLACK);  // right to left
    DrawLine(5, 100, 5, 90, BLACK);   // bottom to top
    DrawLine(7, 7, 7, 7, BLACK);      // a point
    EXPECT_EQ(count_grey({10, 10, 41, 1}, 0), 41);
    EXPECT_EQ(count_grey({5, 90, 1, 11}, 0), 11);
    EXPECT_EQ(host::buffer_pixel(7, 7), 0);
    EXPECT_EQ(count_grey(0), 41 + 11 + 1);
}

TEST_F(HostDrawing, LinesBetweenFarPointsAreClippedWithoutHanging)
{
    DrawLine(INT_MIN, 400, INT_MAX, 400, BLACK);
    EXPECT_EQ(count_grey({0, 400, 600, 1}, 0), 600);
    EXPECT_EQ(count_grey(0), 600);

    DrawLine(INT_MIN, INT_MIN, INT_MIN, INT_MAX, BLACK);  // wholly left of the screen
    DrawLine(-10, -10, -1, -20, BLACK);
    DrawLine(610, 5, 2000000000, 5, BLACK);
    EXPECT_EQ(count_grey(0), 600);

    DrawLine(300, -2000000000, 300, 2000000000, BLACK);
    EXPECT_EQ(count_grey({300, 0, 1, 800}, 0), 800);
}

TEST_F(HostDrawing, InvertFlipsGreyAndTwiceRestores)
{
    FillArea(0, 0, 20, 20, 0x404040);
    DrawLine(0, 0, 19, 19, BLACK);
    std::vector<unsigned char> const before = host::buffer();
    unsigned char const grey = host::buffer_pixel(5, 0);

    InvertArea(-5, -5, 15, 15);
    EXPECT_EQ(host::buffer_pixel(5, 0), 255 - grey);
    EXPECT_EQ(host::buffer_pixel(3, 3), 255);
    EXPECT_EQ(host::buffer_pixel(15, 0), grey);
    InvertArea(-5, -5, 15, 15);
    EXPECT_EQ(host::buffer(), before);
}

TEST_F(HostDrawing, ClearScreenWhitensTheBufferOnly)
{
    FillArea(0, 0, 600, 800, BLACK);
    SoftUpdate();
    ClearScreen();
    EXPECT_EQ(count_grey(255), 600 * 800);
    EXPECT_EQ(host::panel_pixel(0, 0), 0);
}

}
