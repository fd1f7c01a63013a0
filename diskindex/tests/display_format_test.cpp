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

TEST(DisplayFormat, GroupedSizesCoverTheWholeUnsignedRange) {
  EXPECT_EQ(groupedSize(0), "0");
  EXPECT_EQ(groupedSize(1234567), "1.234.567");
  EXPECT_EQ(groupedSize(3000000000u), "3.000.000.000");
  EXPECT_EQ(groupedSize(UINT64_MAX), "18.446.744.073.709.551.615");
}

TEST(DisplayFormat, UnitSizesPickTheLargestUnitAndRoundHalfUp) {
  EXPECT_EQ(unitSize(0), "0 Byte");
  EXPECT_EQ(unitSize(1023), "1023 Byte");
  EXPECT_EQ(unitSize(1024), "1,0 KB");
  EXPECT_EQ(unitSize(1536), "1,5 KB");
  EXPECT_EQ(unitSize(1288490189), "1,2 GB");  // 1.2 GiB
  // Whole units from 100 on; 1023.95 KB rounds up into the next unit.
  EXPECT_EQ(unitSize(1024 * 1024 - 600), "1.023 KB");
  EXPECT_EQ(unitSize(1024 * 1024 - 52), "1,0 MB");
  // 99.95 KB rounds to 100.0 and is then shown without a decimal.
  EXPECT_EQ(unitSize(99 * 1024 + 972), "99,9 KB");
  EXPECT_EQ(unitSize(99 * 1024 + 973), "100 KB");
  EXPECT_EQ(unitSize(std::int64_t{270} * 1024 * 1024 * 1024), "270 GB");
  EXPECT_EQ(unitSize(std::int64_t{1000} * 1024 * 1024), "1.000 MB");
  EXPECT_EQ(unitSize(INT64_MAX), "8,0 EB");
  EXPECT_EQ(unitSize(-1), "");
}

TEST(DisplayFormat, UnitSpaceTextsFollowTheFieldRulesAndFolderUse) {
  const std::int64_t gib = std::int64_t{1024} * 1024 * 1024;
  const SpaceTexts drive = unitSpaceTexts(10 * gib, 4 * gib);
  EXPECT_EQ(drive.capacity, "10,0 GB");
  EXPECT_EQ(drive.used, "6,0 GB");
  EXPECT_EQ(drive.free, "4,0 GB");
  // A folder of 3 MB on a host with 270 GB free: used is the folder's size,
  // never the negative difference.
  const SpaceTexts folder = unitSpaceTexts(3 * 1024 * 1024, 270 * gib, SpaceOf::Folder);
  EXPECT_EQ(folder.capacity, "3,0 MB");
  EXPECT_EQ(folder.used, "3,0 MB");
  EXPECT_EQ(folder.free, "270 GB");
  EXPECT_EQ(spaceTexts(1000, 5000, SpaceOf::Folder).used, "1.000   Byte");
  EXPECT_TRUE(spaceTexts(1000, 5000).used.empty()) << "never a negative used space";
  EXPECT_EQ(spaceTexts(1000, 5000).free, "5.000   Byte");
  EXPECT_TRUE(unitSpaceTexts(0, 100).capacity.empty());
  EXPECT_TRUE(unitSpaceTexts(100, -1).free.empty());
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
  EXPECT_EQ(fileSizeCell(999), "999    ");
  EXPECT_EQ(fileSizeCell(4294967295u), "4.294.967.295    ");
  EXPECT_EQ(fileDateCell(packed, "08:15:42"), "   24.12.2003    08:15:42");
}

}  // namespace
}  // namespace diskindex
