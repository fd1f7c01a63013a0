#include "diskindex/core/display_format.h"

#include <gtest/gtest.h>

#include "platform/dates.h"

namespace diskindex {
namespace {

TEST(DisplayFormat, SizesGroupThreeDigitsWithDotsAndEndInByte) {
  EXPECT_EQ(byteText(1474560), "1.474.560   Byte");
  EXPECT_EQ(groupDigits(0), "0");
  EXPECT_EQ(groupDigits(999), "999");
  EXPECT_EQ(groupDigits(1000), "1.000");
  EXPECT_EQ(groupDigits(-1234567), "-1.234.567");
  EXPECT_EQ(groupDigits(INT64_MIN), "-9.223.372.036.854.775.808");
}

TEST(DisplayFormat, UsedAndFreeNeedKnownCapacityAndFreeSpace) {
  const SpaceTexts full = spaceTexts(1474560, 474560);
  EXPECT_EQ(full.capacity, "1.474.560   Byte");
  EXPECT_EQ(full.used, "1.000.000   Byte");
  EXPECT_EQ(full.free, "474.560   Byte");
  const SpaceTexts noFree = spaceTexts(1000, -1);
  EXPECT_EQ(noFree.capacity, "1.000   Byte");
  EXPECT_TRUE(noFree.used.empty());
  EXPECT_TRUE(noFree.free.empty());
  for (std::int64_t capacity : {0, -1}) {
    const SpaceTexts none = spaceTexts(capacity, 0);
    EXPECT_TRUE(none.capacity.empty() && none.used.empty() && none.free.empty()) << capacity;
  }
}

TEST(DisplayFormat, CaptureDatesAfterTodayCountFromYearOne) {
  const double today = platform::daysSince18991230(2024, 6, 1);
  const double stored = platform::daysSince18991230(1998, 2, 14);
  EXPECT_EQ(captureDateText(stored, today), "14.02.1998");
  EXPECT_EQ(captureDateText(stored + 0.75, today), "14.02.1998");
  // 14 Feb 1998 counted from 1 Jan of the year 1 lies far after today.
  EXPECT_EQ(captureDateText(stored + kYearOneOffsetDays, today), "14.02.1998");
}

TEST(DisplayFormat, DosDatesAndTimesUnpackTheirBitFields) {
  // 24 Dec 2003 = (23 << 9) | (12 << 5) | 24; 08:15:42 = (8 << 11) | (15 << 5) | 21.
  const std::uint32_t packed =
      (((23u << 9) | (12u << 5) | 24u) << 16) | ((8u << 11) | (15u << 5) | 21u);
  EXPECT_EQ(dosDateText(packed), "24.12.2003");
  const ClockTime clock = dosClockTime(packed);
  EXPECT_EQ(clock.hour, 8);
  EXPECT_EQ(clock.minute, 15);
  EXPECT_EQ(clock.second, 42);
  EXPECT_EQ(fileSizeCell(0), "0    ");
  EXPECT_EQ(fileDateCell(packed, "08:15:42"), "   24.12.2003    08:15:42");
}

}  // namespace
}  // namespace diskindex
