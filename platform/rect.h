// Rect: an area of screen pixels, and the union by which changed areas are
// collected before one partial refresh.
#pragma once

#include <algorithm>
#include <cstdint>

struct Rect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool empty() const { return width == 0 || height == 0; }

    // Bounding box of both; an empty side adds nothing.
    Rect& operator+=(Rect const& other)
    {
        if (other.empty())
            return *this;
        if (empty())
            return *this = other;
        std::int32_t const right = std::max(x + width, other.x + other.width);
        std::int32_t const bottom = std::max(y + height, other.y + other.height);
        x = std::min(x, other.x);
        y = std::min(y, other.y);
        width = right - x;
        height = bottom - y;
        return *this;
    }

    bool operator==(Rect const& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool operator!=(Rect const& o) const { return !(*this == o); }
};
