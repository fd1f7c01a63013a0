#include "diskindex/core/volume_finder.h"

#include <algorithm>

namespace diskindex {

std::vector<std::size_t> volumesWithId(const VolumeList& volumes,
                                       const platform::FileSystemId& id) {
  std::vector<std::size_t> found;
  if (!id.known()) return found;
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    if (volumes[i].volumeId == id) found.push_back(i);
  }
  return found;
}

std::vector<RecognisedVolume> recogniseVolumes(const VolumeList& volumes,
                                               const platform::DriveTable& drives) {
  std::vector<RecognisedVolume> found;
  for (char letter : drives.letters()) {
    for (std::size_t index : volumesWithId(volumes, drives.volumeId(letter))) {
      found.push_back({letter, index});
    }
  }
  return found;
}

void orderOverviewRows(std::vector<std::size_t>& rows, const VolumeList& volumes,
                       OverviewOrder order) {
  if (order == OverviewOrder::Name) {
    std::sort(rows.begin(), rows.end());
    return;
  }
  std::sort(rows.begin(), rows.end(), [&volumes](std::size_t a, std::size_t b) {
    const std::int64_t freeA = volumes[a].freeSpace;
    const std::int64_t freeB = volumes[b].freeSpace;
    if ((freeA < 0) != (freeB < 0)) return freeB < 0;
    if (freeA != freeB && freeA >= 0) return freeA > freeB;
    return a < b;
  });
}

bool hasFreeSpace(const VolumeRecord& volume, std::int64_t bytes) {
  return volume.freeSpace >= 0 && volume.freeSpace >= bytes;
}

}  // namespace diskindex
