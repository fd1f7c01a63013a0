#pragma once
// The filters a search applies besides the search text: size at least / at
// most, last-write date from / to (both days included) and the kind of
// entry (files only, directories only), with the parsers of the texts a user
// types for them ("10M", "2024-02-29").
//
// Sizes count in bytes; K, M, G and T multiply by 1024, 1024^2, ... A date
// bound covers the whole day: from 00:00:00 of the first day through
// 23:59:59 of the last (the catalogue keeps times to two seconds, so the last
// stored moment of a day is 23:59:58). Directories carry no size or date in
// the results, so a size or date filter lets files through only. A size
// stored clamped (a file of 4 GiB or more) counts as at least 4 GiB: it passes
// every lower bound and an upper bound only of 4 GiB - 1 or more.
//
// Nothing here reads volumes; the searches ask passes() for every candidate.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace diskindex::search {

enum class EntryKind : std::uint8_t { Both, FilesOnly, DirectoriesOnly };

struct CalendarDay {
  int year = 1980;
  int month = 1;
  int day = 1;
  bool operator==(const CalendarDay&) const = default;
};

struct SearchFilters {
  std::optional<std::uint64_t> minSize;
  std::optional<std::uint64_t> maxSize;
  std::optional<CalendarDay> after;   // first day included
  std::optional<CalendarDay> before;  // last day included
  EntryKind kind = EntryKind::Both;

  bool operator==(const SearchFilters&) const = default;
  bool sizeOrDate() const { return minSize || maxSize || after || before; }
  bool any() const { return sizeOrDate() || kind != EntryKind::Both; }
};

// The filters in the form the walk tests them: packed DOS date/time bounds
// and flags, so a test is a few comparisons.
class FilterCheck {
 public:
  explicit FilterCheck(const SearchFilters& filters);
  bool active() const { return m_active; }
  bool passes(bool directory, std::uint32_t size, std::uint32_t dosDateTime) const;
  bool wantsDirectories() const { return m_directories; }
  bool wantsFiles() const { return m_files; }

 private:
  bool m_active = false;
  bool m_files = true;
  bool m_directories = true;
  std::uint64_t m_minSize = 0;
  std::uint64_t m_maxSize = UINT64_MAX;
  std::uint32_t m_from = 0;
  std::uint32_t m_to = UINT32_MAX;
};

// "123", "4K", "10m": a whole number with an optional K, M, G or T (either
// case); no fractions, signs or blanks. Nothing for anything else or a value beyond 2^64 - 1.
std::optional<std::uint64_t> parseSize(std::string_view text);
// "YYYY-MM-DD" with a day that exists in that month; nothing otherwise.
std::optional<CalendarDay> parseDay(std::string_view text);
std::string dayText(const CalendarDay& day);

// The German messages for texts the parsers refuse ("%s": the text).
std::string badSizeMessage(std::string_view text);
std::string badDayMessage(std::string_view text);
// A lower bound above the upper one.
inline constexpr std::string_view kSizeRangeEmpty =
    "Die Mindestgröße ist größer als die Höchstgröße!";
inline constexpr std::string_view kDayRangeEmpty = "Das Anfangsdatum liegt nach dem Enddatum!";
// Checks a set of filters as a whole: the message of the first fault, or
// nothing when the filters can be used.
std::optional<std::string> filterProblem(const SearchFilters& filters);

}  // namespace diskindex::search
