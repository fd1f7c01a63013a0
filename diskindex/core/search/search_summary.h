#pragma once
// Short German descriptions of a search for the results window: the names
// of the search modes as the dialog offers them, the filters in one line
// (the window's caption shows them, so a narrowed list is never taken for
// the whole), a size as typed ("10M"), and the hit count per volume for
// the window's status line. It formats only; it searches nothing.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/search/search_params.h"

namespace diskindex::search {

// "Ursprüngliche Syntax", "Platzhalter für alle Zeichen", "Regulärer Ausdruck".
std::string searchModeTitle(SearchMode mode);

// The largest unit that gives a whole number: 10485760 -> "10M", 1536 ->
// "1536", 0 -> "0". parseSize reads it back to the same value.
std::string sizeText(std::uint64_t bytes);

// The mode (unless it is the original syntax) and every filter, separated
// by "; ", such as "Regulärer Ausdruck; ab 10M; bis 2024-12-31; nur
// Dateien". Empty for the original syntax without filters.
std::string filterSummary(const SearchParams& params);

// The results window's caption: "K&T DiskIndex - Suche nach: "..."", and
// the summary in brackets when there is one.
std::string resultsTitle(const SearchParams& params);

struct VolumeHits {
  std::string volume;
  std::size_t hits = 0;
  bool operator==(const VolumeHits&) const = default;
};
// The hits of each volume, in the order the volumes first appear.
std::vector<VolumeHits> hitsPerVolume(std::span<const ResultRow> rows);
// "CD1: 3, CD2: 12" (empty without rows).
std::string hitsPerVolumeText(std::span<const ResultRow> rows);

}  // namespace diskindex::search
