#include "diskindex/core/search/search_params.h"

#include <algorithm>

#include "diskindex/core/settings.h"

namespace diskindex::search {

std::string_view searchModeName(SearchMode mode) {
  switch (mode) {
    case SearchMode::Dos:
      return "dos";
    case SearchMode::AnyChar:
      return "any";
    case SearchMode::Regex:
      return "regex";
  }
  return "dos";
}

std::optional<SearchMode> searchModeFromName(std::string_view name) {
  for (SearchMode mode : {SearchMode::Dos, SearchMode::AnyChar, SearchMode::Regex}) {
    if (searchModeName(mode) == name) return mode;
  }
  return std::nullopt;
}

SearchParams paramsFromSettings(const DiskIndexSettings& settings, std::string text) {
  SearchParams p;
  p.text = std::move(text);
  const int where = settings.searchWhere;
  p.remarks = (where & 4) != 0;
  p.fileNames = !p.remarks && (where & 1) != 0;
  p.dirNames = !p.remarks && (where & 2) != 0;
  if (!p.remarks && !p.fileNames && !p.dirNames) p.fileNames = p.dirNames = true;
  p.wholeWord = settings.searchWords != 0;
  p.caseSensitive = settings.searchCase != 0;
  p.onlySelectedDir = settings.searchFrom != 0;
  constexpr SearchMode kModes[] = {SearchMode::Dos, SearchMode::AnyChar, SearchMode::Regex};
  if (settings.searchMode >= 0 && settings.searchMode <= 2) p.mode = kModes[settings.searchMode];
  p.filters.minSize = parseSize(settings.searchMinSize);
  p.filters.maxSize = parseSize(settings.searchMaxSize);
  p.filters.after = parseDay(settings.searchAfter);
  p.filters.before = parseDay(settings.searchBefore);
  constexpr EntryKind kKinds[] = {EntryKind::Both, EntryKind::FilesOnly,
                                  EntryKind::DirectoriesOnly};
  if (settings.searchType >= 0 && settings.searchType <= 2)
    p.filters.kind = kKinds[settings.searchType];
  // Bounds that contradict each other (a hand-edited file) are dropped
  // rather than hiding every hit.
  if (filterProblem(p.filters)) p.filters = SearchFilters{};
  return p;
}

void paramsToSettings(const SearchParams& p, DiskIndexSettings& settings) {
  settings.searchWhere = p.remarks ? 4 : (p.fileNames ? 1 : 0) | (p.dirNames ? 2 : 0);
  settings.searchWords = p.wholeWord ? 1 : 0;
  settings.searchCase = p.caseSensitive ? 1 : 0;
  settings.searchFrom = p.onlySelectedDir ? 1 : 0;
  settings.searchMode = static_cast<int>(p.mode);
  const auto number = [](const std::optional<std::uint64_t>& v) {
    return v ? std::to_string(*v) : std::string();
  };
  const auto day = [](const std::optional<CalendarDay>& d) {
    return d ? dayText(*d) : std::string();
  };
  settings.searchMinSize = number(p.filters.minSize);
  settings.searchMaxSize = number(p.filters.maxSize);
  settings.searchAfter = day(p.filters.after);
  settings.searchBefore = day(p.filters.before);
  settings.searchType = static_cast<int>(p.filters.kind);
}

void addToHistory(std::vector<std::string>& history, std::string_view text) {
  if (text.empty()) return;
  const auto same = std::find(history.begin(), history.end(), text);
  if (same != history.end()) history.erase(same);
  history.insert(history.begin(), std::string(text));
  if (history.size() > kMaxHistory) history.resize(kMaxHistory);
}

std::string limitSearchText(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (count++ == kMaxSearchTextLength) return std::string(text.substr(0, i));
  }
  return std::string(text);
}

}  // namespace diskindex::search
