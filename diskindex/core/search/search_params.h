#pragma once
// The one set of search parameters the main window keeps while the program
// runs: the search text, what is matched (directory names, file names or
// remark text), whole word, case-sensitive and only the selected directory.
// The choices (not the text) go to DISKINDX.INI section Search as WHERE
// (bit 0 file names, bit 1 directory names, bit 2 remarks), WORDS, CASE and
// FROM; the texts typed go to the search history.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/search/search_filters.h"

namespace diskindex {
struct DiskIndexSettings;
}

namespace diskindex::search {

inline constexpr std::size_t kMaxSearchTextLength = 80;  // characters
inline constexpr std::size_t kMaxHistory = 25;

// How the search text is read.
//  Dos:     the catalogue's own wildcard syntax (the default, unchanged).
//  AnyChar: "*" and "?" stand for any character but "/", a wildcard
//           alternative matches the whole name; a quoted alternative is
//           taken literally; letters are compared after Unicode case
//           folding and normalization.
//  Regex:   the whole text is one regular expression (RE2), matched
//           anywhere in the normalized name, case-insensitively.
enum class SearchMode : std::uint8_t { Dos, AnyChar, Regex };

// "dos", "any", "regex" (the command-line names) and back; nothing for an
// unknown name.
std::string_view searchModeName(SearchMode mode);
std::optional<SearchMode> searchModeFromName(std::string_view name);

struct SearchParams {
  std::string text;
  bool dirNames = true;
  bool fileNames = true;
  bool remarks = false;  // excludes the two above
  bool wholeWord = false;
  bool caseSensitive = false;  // remark text only
  bool onlySelectedDir = false;
  SearchMode mode = SearchMode::Dos;
  SearchFilters filters;

  bool operator==(const SearchParams&) const = default;
  // Case matters only for remark text.
  bool effectiveCase() const { return remarks && caseSensitive; }
};

// The choices as the settings hold them (the text stays as it is). A stored
// WHERE that chooses nothing falls back to names of both kinds.
SearchParams paramsFromSettings(const DiskIndexSettings& settings, std::string text = {});
void paramsToSettings(const SearchParams& params, DiskIndexSettings& settings);

// The history after a text was used: an equal entry moves to the top, a new
// one is inserted there, and no more than kMaxHistory are kept.
void addToHistory(std::vector<std::string>& history, std::string_view text);

// The search text as the dialog's field takes it: at most 80 characters.
std::string limitSearchText(std::string_view text);

}  // namespace diskindex::search
