#include "diskindex/core/search/search_choice.h"

#include <algorithm>

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

namespace {

std::int32_t numberOf(const VolumeRecord& volume) {
  return volumeFileNumber(volume.dataFile.filename().string()).value_or(0);
}

}  // namespace

void ChosenVolumes::setFileNumbers(const VolumeList& volumes,
                                   const std::vector<std::int32_t>& numbers) {
  m_files.clear();
  const std::set<std::int32_t> wanted(numbers.begin(), numbers.end());
  for (const VolumeRecord& volume : volumes.records()) {
    const std::int32_t number = numberOf(volume);
    if (number > 0 && wanted.count(number) != 0) m_files.insert(volume.dataFile);
  }
}

std::vector<std::int32_t> ChosenVolumes::fileNumbers(const VolumeList& volumes) const {
  std::vector<std::int32_t> numbers;
  for (std::size_t index : indices(volumes)) {
    const std::int32_t number = numberOf(volumes[index]);
    if (number > 0) numbers.push_back(number);
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

}  // namespace diskindex::search
