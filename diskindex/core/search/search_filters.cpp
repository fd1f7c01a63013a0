#include "diskindex/core/search/search_filters.h"

#include <cstdio>

#include "diskindex/core/entry_record.h"
#include "platform/dates.h"

namespace diskindex::search {
namespace {

std::uint32_t packed(const CalendarDay& day, int hour, int minute, int second) {
  const platform::DosDateTime dos =
      platform::packDos({day.year, day.month, day.day, hour, minute, second});
  return (std::uint32_t{dos.date} << 16) | dos.time;
}

bool leapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

bool digitsAt(std::string_view text, std::size_t from, std::size_t count, int& value) {
  value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

FilterCheck::FilterCheck(const SearchFilters& filters)
    : m_active(filters.any()),
      m_files(filters.kind != EntryKind::DirectoriesOnly),
      m_directories(filters.kind != EntryKind::FilesOnly && !filters.sizeOrDate()),
      m_minSize(filters.minSize.value_or(0)),
      m_maxSize(filters.maxSize.value_or(UINT64_MAX)),
      m_from(filters.after ? packed(*filters.after, 0, 0, 0) : 0),
      m_to(filters.before ? packed(*filters.before, 23, 59, 59) : UINT32_MAX) {}

bool FilterCheck::passes(bool directory, std::uint32_t size, std::uint32_t dosDateTime) const {
  if (directory) return m_directories;
  if (!m_files) return false;
  if (size == kClampedFileSize) {
    if (m_maxSize < kClampedFileSize) return false;
  } else if (size < m_minSize || size > m_maxSize) {
    return false;
  }
  return dosDateTime >= m_from && dosDateTime <= m_to;
}

std::optional<std::uint64_t> parseSize(std::string_view text) {
  if (text.empty()) return std::nullopt;
  unsigned shift = 0;
  switch (text.back()) {
    case 'K':
    case 'k':
      shift = 10;
      break;
    case 'M':
    case 'm':
      shift = 20;
      break;
    case 'G':
    case 'g':
      shift = 30;
      break;
    case 'T':
    case 't':
      shift = 40;
      break;
    default:
      break;
  }
  if (shift != 0) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  if (shift != 0 && value > (UINT64_MAX >> shift)) return std::nullopt;
  return value << shift;
}

std::optional<CalendarDay> parseDay(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  CalendarDay day;
  if (!digitsAt(text, 0, 4, day.year) || !digitsAt(text, 5, 2, day.month) ||
      !digitsAt(text, 8, 2, day.day)) {
    return std::nullopt;
  }
  if (day.month < 1 || day.month > 12 || day.day < 1 ||
      day.day > daysInMonth(day.year, day.month)) {
    return std::nullopt;
  }
  return day;
}

std::string dayText(const CalendarDay& day) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", day.year % 10000, day.month % 100,
                day.day % 100);
  return buffer;
}

std::string badSizeMessage(std::string_view text) {
  return "Die Größe \"" + std::string(text) +
         "\" ist ungültig.\r\nErwartet wird eine ganze Zahl, wahlweise mit K, M, G oder T.";
}

std::string badDayMessage(std::string_view text) {
  return "Das Datum \"" + std::string(text) +
         "\" ist ungültig.\r\nErwartet wird JJJJ-MM-TT, z. B. 2024-02-29.";
}

std::optional<std::string> filterProblem(const SearchFilters& filters) {
  if (filters.minSize && filters.maxSize && *filters.minSize > *filters.maxSize) {
    return std::string(kSizeRangeEmpty);
  }
  if (filters.after && filters.before) {
    const auto key = [](const CalendarDay& d) { return d.year * 10000 + d.month * 100 + d.day; };
    if (key(*filters.after) > key(*filters.before)) return std::string(kDayRangeEmpty);
  }
  return std::nullopt;
}

}  // namespace diskindex::search
