#include "diskindex/core/display_format.h"

#include <cstdio>

#include "platform/dates.h"

namespace diskindex {
namespace {

std::string dateText(int day, int month, int year) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
  return text;
}

}  // namespace

std::string groupDigits(std::int64_t value) {
  const bool negative = value < 0;
  // Work on the magnitude as unsigned so that the smallest value survives.
  std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3 + 1);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
    grouped += digits[i];
  }
  return negative ? "-" + grouped : grouped;
}

std::string byteText(std::int64_t value) {
  return groupDigits(value) + "   Byte";
}

SpaceTexts spaceTexts(std::int64_t capacity, std::int64_t freeSpace) {
  SpaceTexts texts;
  if (capacity < 1) return texts;
  texts.capacity = byteText(capacity);
  if (freeSpace >= 0) {
    texts.free = byteText(freeSpace);
    texts.used = byteText(capacity - freeSpace);
  }
  return texts;
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
  return std::to_string(size) + "    ";
}

std::string fileDateCell(std::uint32_t dosDateTime, const std::string& timeText) {
  return "   " + dosDateText(dosDateTime) + "    " + timeText;
}

}  // namespace diskindex
