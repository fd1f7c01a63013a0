#pragma once
// How the main window writes numbers and dates: sizes with "." between
// groups of three digits and "   Byte" after them, the used space that is
// only shown when both capacity and free space are known, capture dates as
// DD.MM.YYYY (with the correction for dates stored counting from the year 1)
// and the DOS date and time of a file. Plain text, no Qt: the window puts
// these strings into its labels and cells unchanged.

#include <cstdint>
#include <string>

#include "diskindex/core/volume_header.h"

namespace diskindex {

// 1474560 -> "1.474.560"; negative numbers keep their sign ("-1.000").
std::string groupDigits(std::int64_t value);
// 1474560 -> "1.474.560   Byte".
std::string byteText(std::int64_t value);
// Any unsigned size with the same grouping: 3000000000 -> "3.000.000.000".
std::string groupedSize(std::uint64_t bytes);

// A size in the largest unit of 1024 it reaches, German style: one decimal
// below 100 units ("1,2 GB", "12,3 MB"), none from 100 on ("270 GB",
// "1.023 KB"), rounded half up; below 1024 the bytes themselves ("512 Byte").
// A value that rounds up to 1024 of a unit moves to the next ("1,0 MB").
// Units: Byte, KB, MB, GB, TB, PB, EB. A negative size (unknown) gives "".
std::string unitSize(std::int64_t bytes);

// The three size fields of the volume information. Capacity is shown when it
// is at least 1; free and used only when, in addition, the free space is not
// negative. A field that is not shown is empty. Used is capacity - free for a
// drive; a folder read as a drive stores its own size as capacity and the
// host's free space, so its used space is its capacity. A drive whose free
// space exceeds its capacity (a folder not said to be one) shows no used
// space rather than a negative one.
struct SpaceTexts {
  std::string capacity;
  std::string used;
  std::string free;
};
SpaceTexts spaceTexts(std::int64_t capacity, std::int64_t freeSpace, SpaceOf of = SpaceOf::Drive);
// The same in the unit form ("1,2 GB"), under the same rules.
SpaceTexts unitSpaceTexts(std::int64_t capacity, std::int64_t freeSpace,
                          SpaceOf of = SpaceOf::Drive);

// Days between 1 January of the year 1 and 30 December 1899: a stored
// capture date that lies after today was counted from the year 1 and is
// shown this many days earlier.
inline constexpr double kYearOneOffsetDays = 693594.0;
// The capture date (day count) as DD.MM.YYYY, given today's day count.
std::string captureDateText(double storedDayCount, double todayDayCount);

// "DD.MM.YYYY" of the date half of a packed DOS date/time (high word).
std::string dosDateText(std::uint32_t dosDateTime);
// Hour, minute and second of the time half (low word).
struct ClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
};
ClockTime dosClockTime(std::uint32_t dosDateTime);

// A file list size cell: the number with "." between groups of three digits
// followed by four blanks (1474560 -> "1.474.560    ").
std::string fileSizeCell(std::uint32_t size);
// A file list date cell: three blanks, DD.MM.YYYY, four blanks, the time
// already written in the system's time format.
std::string fileDateCell(std::uint32_t dosDateTime, const std::string& timeText);

}  // namespace diskindex
