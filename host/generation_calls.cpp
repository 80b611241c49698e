// What differs between the generations of the platform library, compiled once
// for each with TARN_HOST_GENERATION set to 1, 2 or 3: the rectangle record
// and the touch records as each one lays them out, the touch and monochrome
// update calls it exports, and its event numbers.
#include "host/generation.h"

#include <cstddef>
#include <cstring>

#include "host/dialogs.h"
#include "host/menu_layout.h"
#include "host/screen.h"

#ifndef TARN_HOST_GENERATION
#error "TARN_HOST_GENERATION must be 1, 2 or 3"
#endif
#define GENERATION TARN_HOST_GENERATION
static_assert(GENERATION >= 1 && GENERATION <= 3, "TARN_HOST_GENERATION must be 1, 2 or 3");
// 0 for a library of firmware without the monochrome updates, which tests
// build to see the program do without them.
#ifndef TARN_HOST_MONOCHROME_UPDATES
#define TARN_HOST_MONOCHROME_UPDATES 1
#endif

namespace host::detail {

Generation const& generation()
{
    static Generation const g{GENERATION, GENERATION >= 2, GENERATION == 3 ? 47 : 40, GENERATION == 3,
                              GENERATION >= 2};
    return g;
}

namespace {

#if GENERATION == 1
// short x, y, w, h; int flags.
struct Rect_Record {
    short x, y, w, h;
    int flags;
};
static_assert(sizeof(Rect_Record) == 12, "generation 1's irect is 12 bytes");

short to_short(int value) { return static_cast<short>(value < -32768 ? -32768 : value > 32767 ? 32767 : value); }

Rect_Record rect_record(int x, int y, int w, int h, int flags)
{
    return Rect_Record{to_short(x), to_short(y), to_short(w), to_short(h), flags};
}
#else
struct Rect_Record {
    int x, y, w, h, flags;
};
static_assert(sizeof(Rect_Record) == 20, "the later generations' irect is 20 bytes");

Rect_Record rect_record(int x, int y, int w, int h, int flags) { return Rect_Record{x, y, w, h, flags}; }
#endif

#if GENERATION == 1
struct Touch_Record {
    int active, x, y, pressure, rsv_1, rsv_2;
};
static_assert(sizeof(Touch_Record) == 24, "generation 1's iv_mtinfo is 24 bytes");

Touch_Record touch_record(Touch_Frame const& frame, int i)
{
    bool const active = i < frame.count;
    return Touch_Record{active, frame.x[i], frame.y[i], active, 0, 0};
}
#elif GENERATION == 2
struct Touch_Record {
    int active, x, y, pressure, devtype, rsv_2;
    long long time_ms;
};
static_assert(sizeof(Touch_Record) == 32 && offsetof(Touch_Record, time_ms) == 24,
              "generation 2's iv_mtinfo is 32 bytes, its time at byte 24");

Touch_Record touch_record(Touch_Frame const& frame, int i)
{
    bool const active = i < frame.count;
    return Touch_Record{active, frame.x[i], frame.y[i], active, 1, 0, frame.time_ms};
}
#else
// active is a one-byte bool; the three bytes after it are padding that the
// library leaves holding anything: here a pattern that makes an int read of
// the flag wrong.
struct Touch_Record {
    bool active;
    unsigned char padding[3];
    int x, y, pressure, devtype, rsv_2;
    long long time_ms;
};
static_assert(sizeof(Touch_Record) == 32 && offsetof(Touch_Record, x) == 4,
              "generation 3's iv_mtinfo is 32 bytes, x at byte 4");

Touch_Record touch_record(Touch_Frame const& frame, int i)
{
    bool const active = i < frame.count;
    return Touch_Record{active, {0xA5, 0x5A, 0xC3}, frame.x[i], frame.y[i], active, 1, 0, frame.time_ms};
}
#endif

using Touch_Records = Touch_Record[2];

void fill(Touch_Records& records, Touch_Frame const& frame)
{
    records[0] = touch_record(frame, 0);
    records[1] = touch_record(frame, 1);
}

#if GENERATION >= 2
// Records of the frames kept, each in the slot of its container, so that the
// records of an earlier event stay where they were given.
Touch_Records& slot(unsigned index)
{
    static Touch_Records slots[kept_touch_frames];
    return slots[index % kept_touch_frames];
}
#endif

// Writes the record the way the device's library returns one, through memory
// the caller provides (see GetMenuRect below); generation 1 writes its 12
// bytes and leaves the rest of the caller's record as it was.
void* write_rect(void* result, Rect_Record const& record)
{
    std::memcpy(result, &record, sizeof record);
    return result;
}

}

}

using namespace host::detail;

// The program declares these two as returning the 20-byte record (irect in
// platform/inkview.h). A record over 16 bytes comes back through memory on
// x86-64, as any over 4 does on ARM EABI: the caller passes its address as a
// hidden first argument (%rdi, or r0 on ARM) and, on x86-64, gets it back in
// %rax. So a function of the record's address and the declared arguments,
// returning that address, has the very ABI of `irect GetMenuRect(imenu*)`,
// whatever size it writes: a 12-byte record returned by value would come
// back in registers on x86-64, and the program's one declaration could not
// serve generation 1 as it does on the reader.
extern "C" {

void* GetMenuRect(void* result, imenu* menu)
{
    Rect const size = menu_size(menu);
    return write_rect(result, rect_record(0, 0, size.width, size.height, 0));
}

void* iRect(void* result, int x, int y, int w, int h, int flags)
{
    return write_rect(result, rect_record(x, y, w, h, flags));
}

#if GENERATION <= 2
// The records of the latest multi-touch event; null until points are set and
// after they are cleared. Generation 3 has no such call.
iv_mtinfo* GetTouchInfo()
{
    Touch_Frame const* const frame = latest_touch_frame();
    if (!frame)
        return nullptr;
    static Touch_Records latest;
    fill(latest, *frame);
    return reinterpret_cast<iv_mtinfo*>(latest);
}
#endif

#if TARN_HOST_MONOCHROME_UPDATES
void DynamicUpdateBW(int x, int y, int w, int h) { update_panel(host::Update::du, x, y, w, h); }

void PartialUpdateBW(int x, int y, int w, int h) { update_panel(host::Update::bw, x, y, w, h); }

#if GENERATION >= 2
void DynamicUpdateA2(int x, int y, int w, int h) { update_panel(host::Update::a2, x, y, w, h); }
#endif
#endif

#if GENERATION >= 2
// The records of the multi-touch event whose first parameter was index; null
// for a container not given, or no longer kept.
iv_mtinfo* GetTouchInfoI(unsigned index)
{
    Touch_Frame const* const frame = touch_frame(index);
    if (!frame)
        return nullptr;
    Touch_Records& records = slot(index);
    fill(records, *frame);
    return reinterpret_cast<iv_mtinfo*>(records);
}
#endif
}
