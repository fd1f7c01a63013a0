#include "diskindex/core/search/search_choice.h"

#include "diskindex/core/volume_list.h"

namespace diskindex::search {

void ChosenVolumes::setPositions(const VolumeList& volumes, const std::vector<int>& positions) {
  m_files.clear();
  for (int position : positions) {
    if (position >= 0 && static_cast<std::size_t>(position) < volumes.size()) {
      m_files.insert(volumes[static_cast<std::size_t>(position)].dataFile);
    }
  }
}

void ChosenVolumes::setIndices(const VolumeList& volumes, const std::vector<std::size_t>& indices) {
  m_files.clear();
  for (std::size_t index : indices) {
    if (index < volumes.size()) m_files.insert(volumes[index].dataFile);
  }
}

std::vector<std::size_t> ChosenVolumes::indices(const VolumeList& volumes) const {
  std::vector<std::size_t> result;
  if (m_files.empty()) return result;
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    if (contains(volumes[i].dataFile)) result.push_back(i);
  }
  return result;
}

std::vector<int> ChosenVolumes::positions(const VolumeList& volumes) const {
  std::vector<int> result;
  // Four hex digits hold positions up to 0xFFFF; a wrapped one would name
  // another volume, so later ones are not kept.
  for (std::size_t index : indices(volumes)) {
    if (index <= 0xFFFF) result.push_back(static_cast<int>(index));
  }
  return result;
}

}  // namespace diskindex::search
