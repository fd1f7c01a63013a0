#include "diskindex/core/search/search_summary.h"

#include <unordered_map>

#include "diskindex/core/search/search_messages.h"

namespace diskindex::search {

std::string searchModeTitle(SearchMode mode) {
  switch (mode) {
    case SearchMode::Dos:
      return "Ursprüngliche Syntax";
    case SearchMode::AnyChar:
      return "Platzhalter für alle Zeichen";
    case SearchMode::Regex:
      return "Regulärer Ausdruck";
  }
  return {};
}

std::string sizeText(std::uint64_t bytes) {
  static constexpr char kUnits[] = {'K', 'M', 'G', 'T'};
  int unit = -1;
  while (unit < 3 && bytes != 0 && bytes % 1024 == 0) {
    bytes /= 1024;
    ++unit;
  }
  std::string text = std::to_string(bytes);
  if (unit >= 0) text += kUnits[unit];
  return text;
}

std::string filterSummary(const SearchParams& params) {
  std::vector<std::string> parts;
  if (params.mode != SearchMode::Dos) parts.push_back(searchModeTitle(params.mode));
  const SearchFilters& f = params.filters;
  if (f.minSize) parts.push_back("mind. " + sizeText(*f.minSize));
  if (f.maxSize) parts.push_back("höchstens " + sizeText(*f.maxSize));
  if (f.after) parts.push_back("ab " + dayText(*f.after));
  if (f.before) parts.push_back("bis " + dayText(*f.before));
  if (f.kind == EntryKind::FilesOnly) parts.push_back("nur Dateien");
  if (f.kind == EntryKind::DirectoriesOnly) parts.push_back("nur Verzeichnisse");
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += "; ";
    text += part;
  }
  return text;
}

std::string resultsTitle(const SearchParams& params) {
  std::string title = messages::resultsCaption(params.text);
  const std::string summary = filterSummary(params);
  if (!summary.empty()) title += " [" + summary + "]";
  return title;
}

std::vector<VolumeHits> hitsPerVolume(std::span<const ResultRow> rows) {
  std::vector<VolumeHits> result;
  std::unordered_map<std::string, std::size_t> position;
  for (const ResultRow& row : rows) {
    const auto [it, added] = position.try_emplace(row.volumeName, result.size());
    if (added) result.push_back({row.volumeName, 0});
    ++result[it->second].hits;
  }
  return result;
}

std::string hitsPerVolumeText(std::span<const ResultRow> rows) {
  std::string text;
  for (const VolumeHits& v : hitsPerVolume(rows)) {
    if (!text.empty()) text += ", ";
    text += v.volume + ": " + std::to_string(v.hits);
  }
  return text;
}

}  // namespace diskindex::search
