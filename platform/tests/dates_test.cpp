#include "platform/dates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace platform {
namespace {

// Central European time with its summer time rule, independent of tzdata.
class LocalTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TZ");
    m_hadTz = old != nullptr;
    if (m_hadTz) m_oldTz = old;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
  }
  void TearDown() override {
    if (m_hadTz) {
      setenv("TZ", m_oldTz.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  bool m_hadTz = false;
  std::string m_oldTz;
};

// Asked for while this file's statics are initialised, before main and
// perhaps before the date functions' own file.
const int kNewYear2024AtStart = daysSince18991230(2024, 1, 1);

TEST(DayCount, IsRightEvenWhenAskedForDuringStaticInitialisation) {
  EXPECT_EQ(kNewYear2024AtStart, 45292);
}

TEST(DosDateTime, PacksKnownMomentsIntoTheirWords) {
  EXPECT_EQ(packDos({1980, 1, 1, 0, 0, 0}), (DosDateTime{0x0021, 0x0000}));
  EXPECT_EQ(packDos({2107, 12, 31, 23, 59, 58}), (DosDateTime{0xFF9F, 0xBF7D}));
  // 29 Feb 2024 13:45:31: year 44, month 2, day 29; 13:45, 31 s rounds down to 30.
  EXPECT_EQ(packDos({2024, 2, 29, 13, 45, 31}), (DosDateTime{0x585D, 0x6DAF}));
  EXPECT_EQ(unpackDos({0x585D, 0x6DAF}), (CivilTime{2024, 2, 29, 13, 45, 30}));
}

TEST(DosDateTime, YearsOutsideTheRangeAreClampedToItsEnds) {
  EXPECT_EQ(packDos({1979, 12, 31, 23, 59, 59}), packDos({1980, 1, 1, 0, 0, 0}));
  EXPECT_EQ(packDos({1601, 6, 15, 12, 0, 0}), packDos({1980, 1, 1, 0, 0, 0}));
  EXPECT_EQ(packDos({2108, 1, 1, 0, 0, 0}), packDos({2107, 12, 31, 23, 59, 58}));
  EXPECT_EQ(packDos({9999, 1, 1, 0, 0, 0}), (DosDateTime{0xFF9F, 0xBF7D}));
}

TEST(DosDateTime, UnpackPackRoundTripsEveryEvenSecondOfADay) {
  for (int s = 0; s < 86400; s += 2) {
    const CivilTime c{1999, 12, 31, s / 3600, s / 60 % 60, s % 60};
    EXPECT_EQ(unpackDos(packDos(c)), c);
  }
}

TEST_F(LocalTimeTest, DosStampsAreLocalTimeAcrossSummerTime) {
  // 1,700,000,000 is 14 Nov 2023 22:13:20 UTC, 23:13:20 in winter time.
  EXPECT_EQ(unpackDos(dosFromUnixTime(1700000000)), (CivilTime{2023, 11, 14, 23, 13, 20}));
  // 1 Jul 2023 12:00:00 UTC is 14:00 in summer time.
  EXPECT_EQ(unpackDos(dosFromUnixTime(1688212800)), (CivilTime{2023, 7, 1, 14, 0, 0}));
  EXPECT_EQ(unixTimeFromDos(dosFromUnixTime(1688212800)), 1688212800);
  EXPECT_EQ(unixTimeFromDos(dosFromUnixTime(1700000001)), 1700000000);
  // Before 1980 the stamp is the first DOS moment.
  EXPECT_EQ(dosFromUnixTime(0), packDos({1980, 1, 1, 0, 0, 0}));
}

TEST(DayCount, KnownDatesHaveTheirSerialNumbers) {
  EXPECT_EQ(daysSince18991230(1899, 12, 30), 0);
  EXPECT_EQ(daysSince18991230(1900, 1, 1), 2);
  EXPECT_EQ(daysSince18991230(1900, 3, 1), 61);
  EXPECT_EQ(daysSince18991230(2000, 1, 1), 36526);
  EXPECT_EQ(daysSince18991230(9999, 12, 31), 2958465);
  EXPECT_EQ(daysSince18991230(100, 1, 1), -657434);
  EXPECT_EQ(daysSince18991230(2024, 13, 1), daysSince18991230(2025, 1, 1));
  EXPECT_EQ(daysSince18991230(2024, 0, 1), daysSince18991230(2023, 12, 1));
}

TEST(DayCount, FractionIsTheTimeOfDayOnBothSidesOfTheEpoch) {
  EXPECT_EQ(civilFromDayCount(0.0), (CivilTime{1899, 12, 30, 0, 0, 0}));
  EXPECT_EQ(civilFromDayCount(2.25), (CivilTime{1900, 1, 1, 6, 0, 0}));
  EXPECT_EQ(civilFromDayCount(-1.25), (CivilTime{1899, 12, 29, 6, 0, 0}));
  EXPECT_EQ(civilFromDayCount(-2.5), (CivilTime{1899, 12, 28, 12, 0, 0}));
  EXPECT_DOUBLE_EQ(dayCountFromCivil({1900, 1, 1, 6, 0, 0}), 2.25);
  EXPECT_DOUBLE_EQ(dayCountFromCivil({1899, 12, 29, 6, 0, 0}), -1.25);
  EXPECT_DOUBLE_EQ(dayCountFromCivil({2000, 1, 1, 18, 0, 0}), 36526.75);
}

TEST(DayCount, CivilRoundTripsToTheSecond) {
  for (int year : {1, 100, 1899, 1900, 1970, 2024, 9999}) {
    for (const CivilTime c : {CivilTime{year, 1, 1, 0, 0, 0}, CivilTime{year, 6, 15, 13, 37, 59},
                              CivilTime{year, 12, 31, 23, 59, 59}}) {
      EXPECT_EQ(civilFromDayCount(dayCountFromCivil(c)), c) << year;
    }
  }
}

TEST(DayCount, AlmostMidnightRoundsIntoTheNextDay) {
  EXPECT_EQ(civilFromDayCount(36526.9999999999), (CivilTime{2000, 1, 2, 0, 0, 0}));
  EXPECT_EQ(civilFromDayCount(36526.0000000001), (CivilTime{2000, 1, 1, 0, 0, 0}));
}

TEST(DayCount, NonsenseValuesStayInsideTheCalendar) {
  const CivilTime nan = civilFromDayCount(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(nan, (CivilTime{1899, 12, 30, 0, 0, 0}));
  const CivilTime high = civilFromDayCount(1e300);
  EXPECT_EQ(high.year, 9999);
  const CivilTime low = civilFromDayCount(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(low.year, 1);
}

TEST_F(LocalTimeTest, DayCountsOfTimeStampsAreLocal) {
  // 1 Jan 2000 00:00 UTC is 01:00 in Central Europe.
  EXPECT_NEAR(dayCountFromUnixTime(946684800), 36526.0 + 1.0 / 24.0, 1e-9);
  EXPECT_EQ(unixTimeFromDayCount(36526.0 + 1.0 / 24.0), 946684800);
  // Summer: 1 Jul 2023 12:00 UTC is 14:00 local.
  EXPECT_EQ(civilFromDayCount(dayCountFromUnixTime(1688212800)), (CivilTime{2023, 7, 1, 14, 0, 0}));
}

}  // namespace
}  // namespace platform
