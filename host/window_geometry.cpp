// Window and screen geometry in integer arithmetic, wide enough that no
// product of a 16384-pixel screen and a large window overflows.
#include "host/window_geometry.h"

#include <algorithm>

namespace host::detail {

namespace {

int to_screen_axis(long long offset, long long picture, long long screen)
{
    return int(std::clamp<long long>(offset * screen / picture, 0, screen - 1));
}

}

Rect fit_picture(int screen_width, int screen_height, int area_width, int area_height)
{
    long long const sw = std::max(screen_width, 1), sh = std::max(screen_height, 1);
    long long const aw = std::max(area_width, 1), ah = std::max(area_height, 1);
    long long w, h;
    if (aw * sh <= ah * sw) {
        w = aw;
        h = std::max(1LL, aw * sh / sw);
    } else {
        h = ah;
        w = std::max(1LL, ah * sw / sh);
    }
    return {int((aw - w) / 2), int((ah - h) / 2), int(w), int(h)};
}

std::optional<Point> screen_point(Rect const& picture, int screen_width, int screen_height, int x, int y)
{
    long long const dx = (long long)x - picture.x, dy = (long long)y - picture.y;
    if (dx < 0 || dy < 0 || dx >= picture.width || dy >= picture.height)
        return std::nullopt;
    return screen_point_clamped(picture, screen_width, screen_height, x, y);
}

Point screen_point_clamped(Rect const& picture, int screen_width, int screen_height, int x, int y)
{
    long long const dx = std::clamp<long long>((long long)x - picture.x, 0, std::max(picture.width, 1) - 1);
    long long const dy = std::clamp<long long>((long long)y - picture.y, 0, std::max(picture.height, 1) - 1);
    return {to_screen_axis(dx, std::max(picture.width, 1), screen_width),
            to_screen_axis(dy, std::max(picture.height, 1), screen_height)};
}

std::pair<int, int> window_size(int screen_width, int screen_height, int desk_width, int desk_height)
{
    if (screen_width <= desk_width && screen_height <= desk_height)
        return {screen_width, screen_height};
    Rect const fitted = fit_picture(screen_width, screen_height, desk_width, desk_height);
    return {fitted.width, fitted.height};
}

bool whole_scale(Rect const& picture, int screen_width, int screen_height)
{
    if (screen_width <= 0 || screen_height <= 0 || picture.width % screen_width != 0)
        return false;
    int const factor = picture.width / screen_width;
    return factor >= 1 && picture.height == factor * screen_height;
}

}
