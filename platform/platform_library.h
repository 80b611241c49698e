// The platform library's optional functions, and the layouts of the records
// they return, which differ by generation of the library. Both are found once,
// at start; the rest of the program sees only its own types: a Rect, and two
// touch points as plain x and y.
//
//                       generation 1     generation 2 (5.5 on)   generation 3
//   irect               12 bytes, short  20 bytes, int           as 2
//   touch records       24 bytes         32 bytes                32, active a bool
//   touch call          GetTouchInfo()   also GetTouchInfoI(i)   GetTouchInfoI(i) only
//
// Anything unexpected (a rectangle of neither layout, no record, more points
// than records, a point of a two-point event not active) turns the feature
// off with one line on standard error: it is never read wrongly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/inkview.h"
#include "platform/rect.h"

struct Touch_Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
using Touch_Points = std::array<Touch_Point, 2>;

// Reading the records' bytes, apart from the library so that it can be tested
// on bytes alone.
namespace platform_records {

enum class Rect_Layout { unknown, shorts, ints };

// From what iRect(1, 2, 3, 4, 5) wrote over a filled record: 2 as the 16-bit
// word at byte 2 is the short layout, as the 32-bit word at byte 4 the int one.
Rect_Layout rect_layout(unsigned char const* probe);
// x, y, width and height of a record of a known layout.
Rect read_rect(unsigned char const* record, Rect_Layout layout);

// Touch records are 24 bytes a point when read with GetTouchInfo(), 32 with
// GetTouchInfoI(): x at byte 4, y at byte 8; the point is active when the
// first byte is not 0 (the later flag is one byte, the rest padding).
std::size_t constexpr short_touch_record = 24;
std::size_t constexpr long_touch_record = 32;
// Point `index` of the records; false when it is not active.
bool read_touch_point(unsigned char const* records, std::size_t record_size, int index, Touch_Point& point);

}

class Platform_Library {
public:
    Platform_Library() = default;
    ~Platform_Library();
    Platform_Library(Platform_Library const&) = delete;
    Platform_Library& operator=(Platform_Library const&) = delete;

    // Opens libinkview.so, looks the optional functions up and finds the
    // layouts. Without the library every feature is off, silently.
    void load() noexcept;
    void close() noexcept;

    // The rectangle the menu takes; false when the platform cannot tell.
    bool menu_rect(imenu* menu, Rect& rect) noexcept;
    // The first two touch points of a multi-touch event, from its parameters:
    // the container and the number of points. False when there are none to
    // read (fewer than two points, or no touch records on this platform).
    bool touch_points(int container, int count, Touch_Points& points) noexcept;
    // The full refresh; false when the platform has none.
    bool full_update() noexcept;
    // The quickest of the monochrome updates the platform has; false when
    // it has none.
    bool has_monochrome_update() const noexcept { return monochrome_update_function != nullptr; }
    bool monochrome_update(Rect const& area) noexcept;

private:
    template <typename Function>
    Function look_up(char const* name) const noexcept;
    void find_rect_layout() noexcept;
    bool touch_off(char const* why) noexcept;

    void* handle = nullptr;
    GetMenuRect_fn menu_rect_function = nullptr;
    platform_records::Rect_Layout rect_layout = platform_records::Rect_Layout::unknown;
    GetTouchInfo_fn touch_info_function = nullptr;
    GetTouchInfoI_fn touch_info_by_index = nullptr;
    FullUpdate_fn full_update_function = nullptr;
    MonochromeUpdate_fn monochrome_update_function = nullptr;
};
