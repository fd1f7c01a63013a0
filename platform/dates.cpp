#include "platform/dates.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr int kDosFirstYear = 1980;
constexpr int kDosLastYear = 2107;
constexpr int kSecondsPerDay = 86400;
// Day counts of 1 Jan 0001 and 31 Dec 9999: the range a day count is held to.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958465.0;

// Days since 1 Jan 1970 of a proleptic Gregorian date (month 1..12).
// constexpr so that the epoch below is a constant: day counts asked for while
// other files' statics are initialised must not see it still zero.
constexpr long long daysFromCivil(long long y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr long long kEpoch18991230 = daysFromCivil(1899, 12, 30);
static_assert(kEpoch18991230 == -25569);

CivilTime civilFromTm(const std::tm& tm) {
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::time_t localToUnix(const CivilTime& c) {
  std::tm tm{};
  tm.tm_year = c.year - 1900;
  tm.tm_mon = c.month - 1;
  tm.tm_mday = c.day;
  tm.tm_hour = c.hour;
  tm.tm_min = c.minute;
  tm.tm_sec = c.second;
  tm.tm_isdst = -1;  // let the zone rules decide summer time
  return std::mktime(&tm);
}

CivilTime localFromUnix(std::time_t t) {
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return CivilTime{};
  return civilFromTm(tm);
}

}  // namespace

DosDateTime packDos(const CivilTime& civil) {
  if (civil.year < kDosFirstYear) return packDos(CivilTime{kDosFirstYear, 1, 1, 0, 0, 0});
  if (civil.year > kDosLastYear) return packDos(CivilTime{kDosLastYear, 12, 31, 23, 59, 58});
  const int month = std::clamp(civil.month, 1, 12);
  const int day = std::clamp(civil.day, 1, 31);
  const int hour = std::clamp(civil.hour, 0, 23);
  const int minute = std::clamp(civil.minute, 0, 59);
  const int second = std::clamp(civil.second, 0, 59);
  DosDateTime dos;
  dos.date = static_cast<std::uint16_t>(((civil.year - kDosFirstYear) << 9) | (month << 5) | day);
  dos.time = static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2));
  return dos;
}

CivilTime unpackDos(DosDateTime dos) {
  CivilTime c;
  c.year = kDosFirstYear + (dos.date >> 9);
  c.month = (dos.date >> 5) & 0x0F;
  c.day = dos.date & 0x1F;
  c.hour = dos.time >> 11;
  c.minute = (dos.time >> 5) & 0x3F;
  c.second = (dos.time & 0x1F) * 2;
  return c;
}

DosDateTime dosFromUnixTime(std::time_t t) {
  return packDos(localFromUnix(t));
}

std::time_t unixTimeFromDos(DosDateTime dos) {
  return localToUnix(unpackDos(dos));
}

int daysSince18991230(int year, int month, int day) {
  // Months outside 1..12 roll into neighbouring years, as mktime would.
  long long y = year;
  long long m0 = static_cast<long long>(month) - 1;
  y += m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);
  m0 -= (m0 >= 0 ? m0 / 12 : -((11 - m0) / 12)) * 12;
  return static_cast<int>(daysFromCivil(y, static_cast<int>(m0) + 1, 1) +
                          (static_cast<long long>(day) - 1) - kEpoch18991230);
}

double dayCountFromCivil(const CivilTime& civil) {
  const double days = daysSince18991230(civil.year, civil.month, civil.day);
  const double fraction =
      (civil.hour * 3600.0 + civil.minute * 60.0 + civil.second) / kSecondsPerDay;
  // Before the epoch the date counts down while the time still counts up:
  // 29 Dec 1899 06:00 is -1.25.
  return days < 0 ? days - fraction : days + fraction;
}

CivilTime civilFromDayCount(double dayCount) {
  if (std::isnan(dayCount)) dayCount = 0.0;
  dayCount = std::clamp(dayCount, kFirstDay - 0.99999, kLastDay + 0.99999);
  long long days = static_cast<long long>(std::trunc(dayCount));
  double fraction = std::fabs(dayCount - static_cast<double>(days));
  long long seconds = std::llround(fraction * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {
    // Rounded up to the next midnight; the moment is date plus time of day.
    seconds -= kSecondsPerDay;
    days += 1;
  }
  CivilTime c;
  civilFromDays(kEpoch18991230 + days, c.year, c.month, c.day);
  c.hour = static_cast<int>(seconds / 3600);
  c.minute = static_cast<int>(seconds / 60 % 60);
  c.second = static_cast<int>(seconds % 60);
  return c;
}

double dayCountFromUnixTime(std::time_t t) {
  return dayCountFromCivil(localFromUnix(t));
}

std::time_t unixTimeFromDayCount(double dayCount) {
  return localToUnix(civilFromDayCount(dayCount));
}

CivilTime localCivilNow() {
  return localFromUnix(std::time(nullptr));
}

}  // namespace platform
