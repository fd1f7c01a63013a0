#include "diskindex/core/display_format.h"

#include <cstdio>
#include <iterator>

#include "platform/dates.h"

namespace diskindex {
namespace {

std::string dateText(int day, int month, int year) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
  return text;
}

template <typename Format>
SpaceTexts spaceTextsIn(std::int64_t capacity, std::int64_t freeSpace, SpaceOf of, Format format) {
  SpaceTexts texts;
  if (capacity < 1) return texts;
  texts.capacity = format(capacity);
  if (freeSpace >= 0) {
    texts.free = format(freeSpace);
    // A folder's capacity is what its files take; the free space is the
    // host's and says nothing about the folder.
    // A drive never has more free space than capacity: such a pair comes
    // from a folder volume shown without saying so, and its difference
    // would be negative nonsense.
    if (of == SpaceOf::Folder) {
      texts.used = format(capacity);
    } else if (freeSpace <= capacity) {
      texts.used = format(capacity - freeSpace);
    }
  }
  return texts;
}

}  // namespace

std::string groupDigits(std::int64_t value) {
  const bool negative = value < 0;
  // Work on the magnitude as unsigned so that the smallest value survives.
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const std::string grouped = groupedSize(magnitude);
  return negative ? "-" + grouped : grouped;
}

std::string byteText(std::int64_t value) {
  return groupDigits(value) + "   Byte";
}

std::string groupedSize(std::uint64_t bytes) {
  const std::string digits = std::to_string(bytes);
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3 + 1);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
    grouped += digits[i];
  }
  return grouped;
}

std::string unitSize(std::int64_t bytes) {
  static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
  constexpr std::size_t kLast = std::size(kUnits) - 1;
  if (bytes < 0) return {};
  const auto value = static_cast<std::uint64_t>(bytes);
  if (value < 1024) return std::to_string(value) + " Byte";
  std::size_t unit = 0;
  std::uint64_t divisor = 1024;
  while (unit < kLast && value / divisor >= 1024) {
    divisor *= 1024;
    ++unit;
  }
  // Integers only: the remainder is below 2^60, so ten times it fits.
  std::uint64_t whole = value / divisor;
  const std::uint64_t rest = value % divisor;
  if (whole >= 100) {
    if (rest * 2 >= divisor) ++whole;
    if (whole >= 1024 && unit < kLast) return std::string("1,0 ") + kUnits[unit + 1];
    return groupedSize(whole) + " " + kUnits[unit];
  }
  std::uint64_t tenths = (rest * 10 + divisor / 2) / divisor;
  if (tenths == 10) {
    ++whole;
    tenths = 0;
  }
  if (whole >= 100) return groupedSize(whole) + " " + kUnits[unit];
  return std::to_string(whole) + "," + std::to_string(tenths) + " " + kUnits[unit];
}

SpaceTexts spaceTexts(std::int64_t capacity, std::int64_t freeSpace, SpaceOf of) {
  return spaceTextsIn(capacity, freeSpace, of, byteText);
}

SpaceTexts unitSpaceTexts(std::int64_t capacity, std::int64_t freeSpace, SpaceOf of) {
  return spaceTextsIn(capacity, freeSpace, of, unitSize);
}

std::string captureDateText(double storedDayCount, double todayDayCount) {
  double shown = storedDayCount;
  if (shown > todayDayCount) shown -= kYearOneOffsetDays;
  const platform::CivilTime civil = platform::civilFromDayCount(shown);
  return dateText(civil.day, civil.month, civil.year);
}

std::string dosDateText(std::uint32_t dosDateTime) {
  const auto date = static_cast<std::uint16_t>(dosDateTime >> 16);
  return dateText(date & 0x1F, (date >> 5) & 0x0F, 1980 + (date >> 9));
}

ClockTime dosClockTime(std::uint32_t dosDateTime) {
  const auto time = static_cast<std::uint16_t>(dosDateTime & 0xFFFF);
  return ClockTime{time >> 11, (time >> 5) & 0x3F, (time & 0x1F) * 2};
}

std::string fileSizeCell(std::uint32_t size) {
  return groupedSize(size) + "    ";
}

std::string fileDateCell(std::uint32_t dosDateTime, const std::string& timeText) {
  return "   " + dosDateText(dosDateTime) + "    " + timeText;
}

}  // namespace diskindex
