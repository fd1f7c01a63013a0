// Checks date numbers, validation, day counts and date shifts against
// calendar facts (leap years, known weekdays, the Gregorian reform).
#include "calculator/core/financial/calendar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace finova::fin {
namespace {

TEST(DateNumbers, SplitInBothOrdersAndPadShortNumbers) {
  EXPECT_EQ(splitDate(12.251996, true), (CalendarDate{1996, 12, 25}));
  EXPECT_EQ(splitDate(25.121996, false), (CalendarDate{1996, 12, 25}));
  EXPECT_EQ(splitDate(1.011996, true), (CalendarDate{1996, 1, 1}));
  // 7.04 is 7 April of the year 0 once the zeros are appended.
  EXPECT_EQ(splitDate(7.04, true), (CalendarDate{0, 7, 4}));
  // Trailing zeros of the year that the number drops come back.
  EXPECT_EQ(splitDate(3.0520, true), (CalendarDate{2000, 3, 5}));
}

TEST(DateNumbers, NumbersOfTheWrongShapeAreNotDates) {
  EXPECT_FALSE(splitDate(123.45, true));
  EXPECT_FALSE(splitDate(-1.011996, true));
  EXPECT_FALSE(splitDate(1e20, true));
  EXPECT_FALSE(splitDate(std::nan(""), true));
  EXPECT_FALSE(splitDate(INFINITY, true));
  EXPECT_FALSE(splitDate(1e-7, true));
}

TEST(DateValidation, FebruaryFollowsTheLeapYearRules) {
  EXPECT_FALSE(readDate(2.301996, true));
  EXPECT_TRUE(readDate(2.291996, true));
  EXPECT_FALSE(readDate(2.291997, true));
  EXPECT_TRUE(readDate(2.292000, true));
  EXPECT_FALSE(readDate(2.291900, true));
  EXPECT_TRUE(readDate(29.021996, false));
  EXPECT_FALSE(readDate(31.041996, false));
}

TEST(DateValidation, MonthsOutsideTheYearAndDayZeroAreRefused) {
  EXPECT_FALSE(readDate(13.011996, true));
  EXPECT_FALSE(readDate(0.151996, true));
  EXPECT_FALSE(readDate(1.001996, true));
  EXPECT_FALSE(readDate(1.131996, false));
}

TEST(DateValidation, EndsOfTheSupportedCalendar) {
  EXPECT_FALSE(readDate(10.141582, true));
  EXPECT_TRUE(readDate(10.151582, true));
  EXPECT_TRUE(readDate(11.251582, true));
  EXPECT_TRUE(readDate(11.254046, true));
  EXPECT_FALSE(readDate(11.264046, true));
  EXPECT_FALSE(readDate(12.314046, true));
}

TEST(DayNumbers, CountRealDaysAcrossCenturiesAndTheReform) {
  EXPECT_EQ(dayNumber({1996, 1, 1}) - dayNumber({1995, 1, 1}), 365.0);
  EXPECT_EQ(dayNumber({1997, 1, 1}) - dayNumber({1996, 1, 1}), 366.0);
  EXPECT_EQ(dayNumber({2000, 1, 1}) - dayNumber({1900, 1, 1}), 36524.0);
  EXPECT_EQ(dayNumber({2400, 1, 1}) - dayNumber({2000, 1, 1}), 146097.0);
  // Thursday 4 October 1582 (Julian) was followed by Friday 15 October.
  EXPECT_EQ(dayNumber({1582, 10, 15}) - dayNumber({1582, 10, 4}), 1.0);
  EXPECT_EQ(dayNumber({1980, 1, 1}), 1.0);
}

TEST(DayNumbers, WeekdaysOfKnownDates) {
  EXPECT_EQ(weekdayOf(dayNumber({1996, 1, 1})), 1);    // Monday
  EXPECT_EQ(weekdayOf(dayNumber({1969, 7, 20})), 7);   // Sunday
  EXPECT_EQ(weekdayOf(dayNumber({2000, 2, 29})), 2);   // Tuesday
  EXPECT_EQ(weekdayOf(dayNumber({1582, 10, 15})), 5);  // Friday
  EXPECT_EQ(weekdayOf(dayNumber({1700, 3, 1})), 1);    // Monday
}

TEST(DaysBetween, ActualAndThirtyDayMonthCounts) {
  const DayCountOutcome year = daysBetween(1.011996, 1.011997, true);
  ASSERT_EQ(year.error, error::kNone);
  EXPECT_EQ(year.counts.actual, 366.0);
  EXPECT_EQ(year.counts.days360, 360.0);
  // Day 31 counts as 30; the later 31 only when the earlier day is 30 or 31.
  EXPECT_EQ(daysBetween(1.311996, 3.311996, true).counts.days360, 60.0);
  EXPECT_EQ(daysBetween(1.301996, 3.311996, true).counts.days360, 60.0);
  EXPECT_EQ(daysBetween(1.291996, 3.311996, true).counts.days360, 62.0);
  EXPECT_EQ(daysBetween(1.291996, 3.311996, true).counts.actual, 62.0);
  // Backwards gives negative counts.
  EXPECT_EQ(daysBetween(1.011997, 1.011996, true).counts.actual, -366.0);
  EXPECT_EQ(daysBetween(31.121996, 1.011997, false).counts.actual, 1.0);
}

TEST(DaysBetween, RefusesInvalidDatesAndNumbersBelowOne) {
  EXPECT_EQ(daysBetween(2.301996, 1.011997, true).error, error::kDate);
  EXPECT_EQ(daysBetween(1.011996, 2.291997, true).error, error::kDate);
  EXPECT_EQ(daysBetween(0.5, 1.011997, true).error, error::kDate);
  EXPECT_EQ(daysBetween(1.011996, std::nan(""), true).error, error::kDate);
}

TEST(DateShift, ForwardAcrossYearAndZeroDays) {
  const DateShiftOutcome week = shiftDate(12.251996, 7, true);
  ASSERT_EQ(week.error, error::kNone);
  EXPECT_EQ(week.text, "01,01,1997  3");
  EXPECT_EQ(shiftDate(1.011996, 0, true).text, "01,01,1996  1");
  EXPECT_EQ(shiftDate(25.121996, 7, false).text, "01,01,1997  3");
  EXPECT_EQ(shiftDate(25.121996, 0, false).text, "25,12,1996  3");
}

TEST(DateShift, BackwardThroughLeapDayAndMonthEnds) {
  EXPECT_EQ(shiftDate(3.011996, -1, true).text, "02,29,1996  4");
  EXPECT_EQ(shiftDate(3.311996, -31, true).text, "02,29,1996  4");
  EXPECT_EQ(shiftDate(1.011997, -366, true).text, "01,01,1996  1");
  EXPECT_EQ(shiftDate(1.311996, 30, true).text, "03,01,1996  5");
}

TEST(DateShift, LongShiftsAgreeWithDayNumbers) {
  for (double days : {146097.0, 1000000.0, -100000.0, 12345.0}) {
    const DateShiftOutcome shifted = shiftDate(6.151990, days, true);
    ASSERT_EQ(shifted.error, error::kNone) << days;
    EXPECT_EQ(dayNumber(shifted.date) - dayNumber({1990, 6, 15}), days) << days;
  }
}

TEST(DateShift, RefusesFractionsInvalidStartsAndYearsBeyondFourDigits) {
  EXPECT_EQ(shiftDate(1.011996, 1.5, true).error, error::kDate);
  EXPECT_EQ(shiftDate(2.301996, 1, true).error, error::kDate);
  EXPECT_EQ(shiftDate(1.011996, 1e9, true).error, error::kDate);
  EXPECT_EQ(shiftDate(1.011996, 1e300, true).error, error::kDate);
  EXPECT_EQ(shiftDate(1.011996, 3000000, true).error, error::kDate);
  EXPECT_EQ(shiftDate(1.011996, INFINITY, true).error, error::kDate);
}

}  // namespace
}  // namespace finova::fin
