#pragma once
// What a catalogue session keeps for searching while the program runs: the
// one set of search parameters, the single-volume search with its position,
// the volumes chosen for the multi-volume search and the rows it found.
//
// The chosen volumes are kept by their data files, not by their positions in
// the volume list, so the choice stays with its volumes when others are
// added or deleted while the program runs, or by another program; the
// settings store them by the numbers of their data files (CD000017.DAT is
// 17). Positions in the sorted list are still taken from old settings.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <vector>

#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/search/search_params.h"
#include "diskindex/core/search/volume_search.h"

namespace diskindex {
class VolumeList;
}

namespace diskindex::search {

class ChosenVolumes {
 public:
  // From list positions (out-of-range ones are ignored).
  void setPositions(const VolumeList& volumes, const std::vector<int>& positions);
  void setIndices(const VolumeList& volumes, const std::vector<std::size_t>& indices);
  // The chosen volumes' current positions, ascending; volumes that are gone
  // are left out.
  std::vector<std::size_t> indices(const VolumeList& volumes) const;
  std::vector<int> positions(const VolumeList& volumes) const;
  // By the numbers of their data files (unknown numbers are ignored).
  void setFileNumbers(const VolumeList& volumes, const std::vector<std::int32_t>& numbers);
  std::vector<std::int32_t> fileNumbers(const VolumeList& volumes) const;
  bool contains(const std::filesystem::path& dataFile) const {
    return m_files.count(dataFile) != 0;
  }
  void clear() { m_files.clear(); }

 private:
  std::set<std::filesystem::path> m_files;
};

struct SearchState {
  SearchParams params;
  VolumeSearch single;
  ChosenVolumes chosen;
  std::vector<ResultRow> results;  // of the last multi-volume search
};

}  // namespace diskindex::search
