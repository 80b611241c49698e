// Clamping of 64-bit intermediate results into the 32-bit range in which
// positions, counts and sizes are kept, so that a position plus a huge count
// from the child's output, or a point far off the screen, never overflows.
#pragma once

#include <cstdint>
#include <limits>

inline std::int32_t saturate(std::int64_t value)
{
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < lowest ? lowest : value > highest ? highest : value);
}
