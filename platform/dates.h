#pragma once
// Calendar conversions the old file formats need: packed DOS date/time words
// and day-count dates (days since 30 December 1899, the time of day as the
// fraction). Both are in local time, as the old file formats keep them.

#include <cstdint>
#include <ctime>

namespace platform {

struct DosDateTime {
  std::uint16_t date = 0;  // bits 15..9 year-1980, 8..5 month, 4..0 day
  std::uint16_t time = 0;  // bits 15..11 hour, 10..5 minute, 4..0 seconds/2
  bool operator==(const DosDateTime&) const = default;
};

// A broken-down civil date and time, with no time zone of its own.
struct CivilTime {
  int year = 1980;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const CivilTime&) const = default;
};

// Years outside 1980..2107 are clamped to the first or last representable
// moment; seconds are rounded down to even.
DosDateTime packDos(const CivilTime& civil);
CivilTime unpackDos(DosDateTime dos);
// Local time of a POSIX time stamp, packed; and back.
DosDateTime dosFromUnixTime(std::time_t t);
std::time_t unixTimeFromDos(DosDateTime dos);

// Day count: 0.0 is 30 Dec 1899 00:00, 2.25 is 1 Jan 1900 06:00. Negative
// values count backwards for the date; the fraction is always the time of day
// (-1.25 is 29 Dec 1899 06:00). Time is rounded to the second; counts outside
// 1 Jan 0001 .. 31 Dec 9999 are held to those days, NaN reads as 0.
double dayCountFromCivil(const CivilTime& civil);
CivilTime civilFromDayCount(double dayCount);
double dayCountFromUnixTime(std::time_t t);         // local time
std::time_t unixTimeFromDayCount(double dayCount);  // local time
CivilTime localCivilNow();

// Days since 30 Dec 1899 of a civil date in the proleptic Gregorian calendar
// (1 Jan 1900 is 2, 1 Mar 1900 is 61); months outside 1..12 roll over into
// the neighbouring years, days beyond the month into the next months.
int daysSince18991230(int year, int month, int day);

}  // namespace platform
