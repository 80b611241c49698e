// Placing the panel's picture in the window and mapping window points back
// to screen pixels, as the window does for every mouse event.
#include <gtest/gtest.h>

#include "host/window_geometry.h"

namespace {

using host::detail::fit_picture;
using host::detail::Point;
using host::detail::screen_point;
using host::detail::screen_point_clamped;
using host::detail::whole_scale;
using host::detail::window_size;

bool same(Rect const& a, Rect const& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(WindowGeometry, PictureKeepsTheAspectAndIsCentred)
{
    EXPECT_TRUE(same(fit_picture(600, 800, 600, 800), {0, 0, 600, 800}));
    // A wide window: bars left and right.
    EXPECT_TRUE(same(fit_picture(600, 800, 1000, 400), {350, 0, 300, 400}));
    // A tall window: bars above and below.
    EXPECT_TRUE(same(fit_picture(600, 800, 300, 1000), {0, 300, 300, 400}));
    // Landscape after a rotation, in a window still shaped for portrait.
    EXPECT_TRUE(same(fit_picture(800, 600, 600, 800), {0, 175, 600, 450}));
    // A window shrunk to nothing still has a pixel to show.
    Rect const tiny = fit_picture(600, 800, 0, 0);
    EXPECT_GE(tiny.width, 1);
    EXPECT_GE(tiny.height, 1);
}

TEST(WindowGeometry, WindowPointsMapToTheScreenPixelUnderThem)
{
    Rect const picture{350, 0, 300, 400};  // a 600 x 800 screen at half size
    EXPECT_EQ(screen_point(picture, 600, 800, 350, 0), (Point{0, 0}));
    EXPECT_EQ(screen_point(picture, 600, 800, 351, 1), (Point{2, 2}));
    EXPECT_EQ(screen_point(picture, 600, 800, 649, 399), (Point{598, 798}));
    EXPECT_EQ(screen_point(picture, 600, 800, 500, 200), (Point{300, 400}));
    // The bars beside the picture are not on the screen.
    EXPECT_FALSE(screen_point(picture, 600, 800, 349, 10));
    EXPECT_FALSE(screen_point(picture, 600, 800, 650, 10));
    EXPECT_FALSE(screen_point(picture, 600, 800, 400, 400));
    EXPECT_FALSE(screen_point(picture, 600, 800, 400, -1));
}

TEST(WindowGeometry, EnlargedPictureMapsEveryScreenPixel)
{
    Rect const picture{0, 0, 1200, 1600};
    EXPECT_EQ(screen_point(picture, 600, 800, 1199, 1599), (Point{599, 799}));
    EXPECT_EQ(screen_point(picture, 600, 800, 3, 5), (Point{1, 2}));
}

TEST(WindowGeometry, PointsOffThePictureClampToItsEdge)
{
    Rect const picture{100, 50, 600, 800};
    EXPECT_EQ(screen_point_clamped(picture, 600, 800, 0, 0), (Point{0, 0}));
    EXPECT_EQ(screen_point_clamped(picture, 600, 800, 5000, 5000), (Point{599, 799}));
    EXPECT_EQ(screen_point_clamped(picture, 600, 800, 400, -30), (Point{300, 0}));
    EXPECT_EQ(screen_point_clamped(picture, 600, 800, -2000000000, 2000000000), (Point{0, 799}));
}

TEST(WindowGeometry, WindowIsPixelForPixelWhenTheDesktopHasRoom)
{
    EXPECT_EQ(window_size(600, 800, 1920, 1000), std::make_pair(600, 800));
    EXPECT_EQ(window_size(600, 800, 600, 800), std::make_pair(600, 800));
    // Too tall for the desktop: scaled down, aspect kept.
    EXPECT_EQ(window_size(1072, 1448, 1920, 1000), std::make_pair(740, 1000));
    EXPECT_EQ(window_size(1200, 800, 600, 1000), std::make_pair(600, 400));
}

TEST(WindowGeometry, OnlyWholeFactorsCountAsCrispScaling)
{
    EXPECT_TRUE(whole_scale({0, 0, 600, 800}, 600, 800));
    EXPECT_TRUE(whole_scale({7, 9, 1200, 1600}, 600, 800));
    EXPECT_FALSE(whole_scale({0, 0, 300, 400}, 600, 800));
    EXPECT_FALSE(whole_scale({0, 0, 900, 1200}, 600, 800));
    EXPECT_FALSE(whole_scale({0, 0, 1200, 1601}, 600, 800));
}

}
