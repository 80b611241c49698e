// The records of the platform library's generations read from their bytes:
// the rectangle's layout found by the probe, and the touch points read by
// stride with the flag's first byte only.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "platform/platform_library.h"

namespace {

using namespace platform_records;

struct Short_Rect {
    std::int16_t x, y, w, h;
    std::int32_t flags;
};
struct Int_Rect {
    std::int32_t x, y, w, h, flags;
};

// A 20-byte record filled with the probe's pattern, then written as given.
template <typename Record>
std::array<unsigned char, 20> over_pattern(Record const& record)
{
    std::array<unsigned char, 20> bytes;
    bytes.fill(0xA5);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

void put_int(unsigned char* at, std::int32_t value) { std::memcpy(at, &value, sizeof value); }

}

TEST(PlatformRecords, ProbeTellsTheShortLayoutFromTheIntOne)
{
    EXPECT_EQ(rect_layout(over_pattern(Short_Rect{1, 2, 3, 4, 5}).data()), Rect_Layout::shorts);
    EXPECT_EQ(rect_layout(over_pattern(Int_Rect{1, 2, 3, 4, 5}).data()), Rect_Layout::ints);
    std::array<unsigned char, 20> untouched;
    untouched.fill(0xA5);
    EXPECT_EQ(rect_layout(untouched.data()), Rect_Layout::unknown);
    EXPECT_EQ(rect_layout(over_pattern(Int_Rect{2, 1, 3, 4, 5}).data()), Rect_Layout::unknown);
}

TEST(PlatformRecords, RectIsReadByItsLayout)
{
    EXPECT_EQ(read_rect(over_pattern(Short_Rect{-3, 10, 200, 150, 0}).data(), Rect_Layout::shorts),
              (Rect{-3, 10, 200, 150}));
    EXPECT_EQ(read_rect(over_pattern(Int_Rect{-3, 10, 70000, 150, 0}).data(), Rect_Layout::ints),
              (Rect{-3, 10, 70000, 150}));
    // The int record read as shorts, as the program did on the later
    // generations: x and y taken for the four values.
    EXPECT_EQ(read_rect(over_pattern(Int_Rect{0, 0, 200, 150, 0}).data(), Rect_Layout::shorts), (Rect{0, 0, 0, 0}));
}

TEST(PlatformRecords, TouchPointsAreReadByTheRecordsStride)
{
    unsigned char records[64] = {};
    for (std::size_t size : {short_touch_record, long_touch_record}) {
        std::memset(records, 0, sizeof records);
        for (int i = 0; i < 2; ++i) {
            unsigned char* record = records + size * std::size_t(i);
            put_int(record, 1);
            put_int(record + 4, 100 + i);
            put_int(record + 8, 200 + i);
        }
        // The time stamp of the longer records at byte 24, where the short
        // stride would find the second point.
        if (size == long_touch_record)
            put_int(records + 24, 0x7FFF0001);
        Touch_Point first, second;
        ASSERT_TRUE(read_touch_point(records, size, 0, first));
        ASSERT_TRUE(read_touch_point(records, size, 1, second));
        EXPECT_EQ(first.x, 100);
        EXPECT_EQ(first.y, 200);
        EXPECT_EQ(second.x, 101);
        EXPECT_EQ(second.y, 201);
    }
}

// Generation 3's flag is a one-byte bool, the three bytes after it padding
// holding anything: only its first byte counts.
TEST(PlatformRecords, OnlyTheFlagsFirstByteTellsAnActivePoint)
{
    unsigned char records[64];
    std::memset(records, 0xC3, sizeof records);
    records[0] = 1;
    put_int(records + 4, 30);
    put_int(records + 8, 40);
    records[32] = 0;
    Touch_Point point;
    ASSERT_TRUE(read_touch_point(records, long_touch_record, 0, point));
    EXPECT_EQ(point.x, 30);
    EXPECT_EQ(point.y, 40);
    Touch_Point untouched{-1, -1};
    EXPECT_FALSE(read_touch_point(records, long_touch_record, 1, untouched));
    EXPECT_EQ(untouched.x, -1);
}
