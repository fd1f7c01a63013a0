#pragma once
// Calendar arithmetic of the calculator. A date is an ordinary number whose
// digits carry it: MM.DDYYYY in month-day-year order, DD.MMYYYY in
// day-month-year order (12.251996 is 25 December 1996). This unit turns such
// numbers into validated dates, counts days between dates (actual days and
// the 30/360 convention), moves a date by a number of days and writes the
// result text with its weekday. It reads no registers: the routine table
// passes in the numbers and the date order.

#include <optional>
#include <string>

#include "calculator/core/financial/outcome.h"

namespace finova::fin {

struct CalendarDate {
  int year = 0;
  int month = 1;  // 1..12
  int day = 1;
  bool operator==(const CalendarDate&) const = default;
};

bool isLeapYear(int year);
// Days of `month` (1..12) in `year`; 0 for a month outside 1..12.
int daysInMonth(int year, int month);

// Splits a date number into its fields without judging them: the number is
// written with 10 significant digits, a "0" goes in front of a one-digit
// first field and zeros are appended up to 9 characters. Numbers whose text
// does not have the shape "dd.dddddd" (negative, exponent form, three-digit
// first field, NaN) give nothing.
std::optional<CalendarDate> splitDate(double value, bool monthFirst);

// The calendar's validation: the day fits its month (months outside 1..12
// and day 0 are refused too), and the two range rules at the ends of the
// supported calendar.
bool isValidDate(const CalendarDate& date);

// splitDate followed by isValidDate.
std::optional<CalendarDate> readDate(double value, bool monthFirst);

// Day number of a date: 1 is 1 January 1980; Julian calendar before the
// Gregorian reform, Gregorian after it. Only differences and the weekday use
// it.
double dayNumber(const CalendarDate& date);

// 1 = Monday .. 7 = Sunday.
int weekdayOf(double dayNumber);

struct DayCounts {
  double actual = 0.0;
  double days360 = 0.0;
};
struct DayCountOutcome {
  DayCounts counts;
  int error = error::kNone;
};
// Days from the date `from` (the earlier operand, Y) to the date `to` (X):
// both numbers must be at least 1 and valid dates, else the date error.
DayCountOutcome daysBetween(double from, double to, bool monthFirst);

struct DateShiftOutcome {
  CalendarDate date;
  int weekday = 0;
  std::string text;  // "12,25,1996  3" (M.DY) or "25,12,1996  3" (D.MY)
  int error = error::kNone;
};
// The date `days` days after `start` (negative: before). `days` must be whole
// and `start` valid; a result outside the years 0..9999 is refused as a date
// error, since its year no longer has four digits.
DateShiftOutcome shiftDate(double start, double days, bool monthFirst);

std::string dateResultText(const CalendarDate& date, int weekday, bool monthFirst);

}  // namespace finova::fin
