#include "calculator/core/financial/calendar.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace finova::fin {
namespace {

constexpr std::array<int, 12> kMonthLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// 400 Gregorian years hold exactly this many days and start on the same
// month and day, so a long shift can skip whole cycles before walking months.
constexpr double kDaysPer400Years = 146097.0;
constexpr int kLatestYear = 9999;

int twoDigits(const char* p) {
  return (p[0] - '0') * 10 + (p[1] - '0');
}

}  // namespace

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  if (month == 2 && isLeapYear(year)) return 29;
  return kMonthLengths[static_cast<std::size_t>(month - 1)];
}

std::optional<CalendarDate> splitDate(double value, bool monthFirst) {
  char text[40] = {};
  std::snprintf(text + 1, sizeof text - 1, "%.10g", value);
  char* start = text + 1;
  if (start[0] != '\0' && start[1] == '.') {
    text[0] = '0';
    start = text;
  }
  std::size_t length = std::strlen(start);
  while (length < 9) start[length++] = '0';
  if (start[2] != '.') return std::nullopt;
  for (int k : {0, 1, 3, 4, 5, 6, 7, 8}) {
    if (!std::isdigit(static_cast<unsigned char>(start[k]))) return std::nullopt;
  }
  const int first = twoDigits(start);
  const int second = twoDigits(start + 3);
  CalendarDate date;
  date.month = monthFirst ? first : second;
  date.day = monthFirst ? second : first;
  date.year = twoDigits(start + 5) * 100 + twoDigits(start + 7);
  return date;
}

bool isValidDate(const CalendarDate& date) {
  if (date.day < 1 || date.day > daysInMonth(date.year, date.month)) return false;
  if (date.year < 1583 && date.month < 11 && date.day < 15) return false;
  if (date.year >= 4046 && date.month >= 11 && date.day >= 26) return false;
  return true;
}

std::optional<CalendarDate> readDate(double value, bool monthFirst) {
  auto date = splitDate(value, monthFirst);
  if (!date || !isValidDate(*date)) return std::nullopt;
  return date;
}

double dayNumber(const CalendarDate& date) {
  double y = date.year < 0 ? date.year + 1 : date.year;
  double m = date.month;
  if (m < 3) {
    m += 12;
    y -= 1;
  }
  double d = std::floor(365.25 * y) + std::trunc(30.6001 * (m + 1)) + date.day - 723244.0;
  if (d >= -145068.0) {
    const double a = std::floor(y / 100.0);
    d += 2.0 - a + std::floor(a / 4.0);
  }
  return d;
}

int weekdayOf(double dayNumber) {
  // Bringing the day number into (0, 28000] by whole steps of 28000 (a
  // multiple of 7) and taking it modulo 7 is the same as a floored modulo.
  if (!std::isfinite(dayNumber)) return 1;
  double r = std::fmod(std::trunc(dayNumber), 7.0);
  if (r < 0) r += 7.0;
  return static_cast<int>(r) + 1;
}

DayCountOutcome daysBetween(double from, double to, bool monthFirst) {
  DayCountOutcome result;
  if (!(from >= 1.0) || !(to >= 1.0)) {
    result.error = error::kDate;
    return result;
  }
  const auto earlier = readDate(from, monthFirst);
  const auto later = readDate(to, monthFirst);
  if (!earlier || !later) {
    result.error = error::kDate;
    return result;
  }
  result.counts.actual = dayNumber(*later) - dayNumber(*earlier);
  const int d1 = earlier->day == 31 ? 30 : earlier->day;
  const int d2 = (later->day == 31 && earlier->day >= 30) ? 30 : later->day;
  result.counts.days360 = (360.0 * later->year + 30.0 * later->month + d2) -
                          (360.0 * earlier->year + 30.0 * earlier->month + d1);
  return result;
}

std::string dateResultText(const CalendarDate& date, int weekday, bool monthFirst) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d,%02d,%04d  %d", monthFirst ? date.month : date.day,
                monthFirst ? date.day : date.month, date.year, weekday);
  return text;
}

DateShiftOutcome shiftDate(double start, double days, bool monthFirst) {
  DateShiftOutcome result;
  const auto from = readDate(start, monthFirst);
  // Beyond this many days every result lies outside the four-digit years.
  if (!from || !isWhole(days) || std::fabs(days) > kDaysPer400Years * 26) {
    result.error = error::kDate;
    return result;
  }
  CalendarDate date = *from;
  const double cycles = std::trunc(days / kDaysPer400Years);
  date.year += static_cast<int>(cycles) * 400;
  long remaining = static_cast<long>(days - cycles * kDaysPer400Years);
  // Walk month by month: forward, leave a month once the days left exceed
  // what is left of it; backward, borrow whole earlier months.
  long day = date.day + remaining;
  while (day > daysInMonth(date.year, date.month)) {
    day -= daysInMonth(date.year, date.month);
    if (++date.month > 12) {
      date.month = 1;
      ++date.year;
    }
  }
  while (day < 1) {
    if (--date.month < 1) {
      date.month = 12;
      --date.year;
    }
    day += daysInMonth(date.year, date.month);
  }
  date.day = static_cast<int>(day);
  if (date.year < 0 || date.year > kLatestYear) {
    result.error = error::kDate;
    return result;
  }
  result.date = date;
  result.weekday = weekdayOf(dayNumber(date));
  result.text = dateResultText(date, result.weekday, monthFirst);
  return result;
}

}  // namespace finova::fin
