// The optional functions looked up, the rectangle layout probed, and the
// records read by the layout found. Nothing here throws: it runs inside the
// platform's event function.
#include "platform/platform_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace platform_records {

namespace {

std::int32_t int32_at(unsigned char const* bytes, std::size_t offset)
{
    std::int32_t value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

std::int16_t int16_at(unsigned char const* bytes, std::size_t offset)
{
    std::int16_t value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

}

Rect_Layout rect_layout(unsigned char const* probe)
{
    if (int16_at(probe, 2) == 2)
        return Rect_Layout::shorts;
    if (int32_at(probe, 4) == 2)
        return Rect_Layout::ints;
    return Rect_Layout::unknown;
}

Rect read_rect(unsigned char const* record, Rect_Layout layout)
{
    if (layout == Rect_Layout::shorts)
        return Rect{int16_at(record, 0), int16_at(record, 2), int16_at(record, 4), int16_at(record, 6)};
    if (layout == Rect_Layout::ints)
        return Rect{int32_at(record, 0), int32_at(record, 4), int32_at(record, 8), int32_at(record, 12)};
    return Rect{};
}

bool read_touch_point(unsigned char const* records, std::size_t record_size, int index, Touch_Point& point)
{
    unsigned char const* const record = records + record_size * static_cast<std::size_t>(index);
    if (record[0] == 0)
        return false;
    point = Touch_Point{int32_at(record, 4), int32_at(record, 8)};
    return true;
}

}

using namespace platform_records;

namespace {

void report(char const* line)
{
    std::fputs(line, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

// A record returned by value, made in these bytes after they were filled:
// C++17 elides the copy, so the library writes into them itself and what it
// leaves alone (generation 1 writes 12 of the 20) keeps the fill.
struct Rect_Bytes {
    alignas(irect) unsigned char bytes[sizeof(irect)];

    template <typename Call>
    Rect_Bytes(unsigned char fill, Call call)
    {
        std::memset(bytes, fill, sizeof bytes);
        ::new (static_cast<void*>(bytes)) irect(call());
    }
};

unsigned char const probe_fill = 0xA5;

}

Platform_Library::~Platform_Library() { close(); }

template <typename Function>
Function Platform_Library::look_up(char const* name) const noexcept
{
    return reinterpret_cast<Function>(dlsym(handle, name));
}

void Platform_Library::load() noexcept
{
    handle = dlopen("libinkview.so", RTLD_LAZY);
    if (!handle)
        return;
    menu_rect_function = look_up<GetMenuRect_fn>("GetMenuRect");
    touch_info_by_index = look_up<GetTouchInfoI_fn>("GetTouchInfoI");
    // The older call is used only where the newer is missing: beside it, it
    // gives records of the newer layout.
    if (!touch_info_by_index)
        touch_info_function = look_up<GetTouchInfo_fn>("GetTouchInfo");
    full_update_function = look_up<FullUpdate_fn>("FullUpdate");
    // The quickest first; A2 came with later firmware.
    for (char const* name : {"DynamicUpdateA2", "DynamicUpdateBW", "PartialUpdateBW"})
        if (!monochrome_update_function)
            monochrome_update_function = look_up<MonochromeUpdate_fn>(name);
    find_rect_layout();
}

void Platform_Library::close() noexcept
{
    if (handle)
        dlclose(handle);
    handle = nullptr;
    menu_rect_function = nullptr;
    touch_info_function = nullptr;
    touch_info_by_index = nullptr;
    full_update_function = nullptr;
    monochrome_update_function = nullptr;
}

void Platform_Library::find_rect_layout() noexcept
{
    if (!menu_rect_function)
        return;
    auto const make_rect = look_up<iRect_fn>("iRect");
    if (make_rect) {
        Rect_Bytes const probe(probe_fill, [make_rect] { return make_rect(1, 2, 3, 4, 5); });
        rect_layout = platform_records::rect_layout(probe.bytes);
    }
    if (rect_layout != Rect_Layout::unknown)
        return;
    menu_rect_function = nullptr;
    report(make_rect ? "The platform's rectangle record has neither known layout: the menu is placed without its size"
                     : "The platform has GetMenuRect but no iRect to tell its record's layout: the menu is placed "
                       "without its size");
}

bool Platform_Library::menu_rect(imenu* menu, Rect& rect) noexcept
{
    if (!menu_rect_function)
        return false;
    GetMenuRect_fn const function = menu_rect_function;
    Rect_Bytes const record(0, [function, menu] { return function(menu); });
    rect = read_rect(record.bytes, rect_layout);
    return true;
}

bool Platform_Library::touch_off(char const* why) noexcept
{
    touch_info_function = nullptr;
    touch_info_by_index = nullptr;
    report(why);
    return false;
}

bool Platform_Library::touch_points(int container, int count, Touch_Points& points) noexcept
{
    if ((!touch_info_function && !touch_info_by_index) || count < 2)
        return false;
    unsigned char const* records;
    std::size_t record_size;
    if (touch_info_by_index) {
        // The container holds the event's points.
        records = reinterpret_cast<unsigned char const*>(touch_info_by_index(static_cast<unsigned>(container)));
        record_size = long_touch_record;
    } else {
        // The older call gives the records of two points.
        if (count > 2)
            return touch_off("A multi-touch event of more points than the platform has records for: pinch is off");
        records = reinterpret_cast<unsigned char const*>(touch_info_function());
        record_size = short_touch_record;
    }
    if (!records)
        return touch_off("The platform gave no touch records for a multi-touch event: pinch is off");
    for (int i = 0; i < 2; ++i)
        if (!read_touch_point(records, record_size, i, points[static_cast<std::size_t>(i)]))
            return touch_off("A point of a two-finger touch is not active in the platform's records: pinch is off");
    return true;
}

bool Platform_Library::full_update() noexcept
{
    if (!full_update_function)
        return false;
    full_update_function();
    return true;
}

bool Platform_Library::monochrome_update(Rect const& area) noexcept
{
    if (!monochrome_update_function)
        return false;
    monochrome_update_function(area.x, area.y, area.width, area.height);
    return true;
}
