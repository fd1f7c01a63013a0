#include "diskindex/core/volume_finder.h"

#include <algorithm>

#include "diskindex/core/display_format.h"

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

std::string recogniseNoneText() {
  return "Keiner der eingelegten Datenträger ist im\r\nDatenbestand erfaßt!\r\n\r\n"
         "(Datenträger, die vor dieser Version oder aus einem\r\n"
         "Ordner eingelesen wurden, können nicht erkannt werden.)";
}

std::string recogniseChoiceText() {
  return "Mehrere erfaßte Datenträger sind eingelegt.\r\nWelcher soll geöffnet werden?";
}

std::string recognisedItemText(const RecognisedVolume& found, const VolumeList& volumes) {
  return std::string(1, found.driveLetter) + ":  " + volumes[found.volumeIndex].name;
}

std::string overviewRowText(const VolumeRecord& volume, OverviewOrder order) {
  if (order != OverviewOrder::FreeSpace || volume.freeSpace < 0) return volume.name;
  return volume.name + "  (" + unitSize(volume.freeSpace) + " frei)";
}

bool hasFreeSpace(const VolumeRecord& volume, std::int64_t bytes) {
  return volume.freeSpace >= 0 && volume.freeSpace >= bytes;
}

}  // namespace diskindex
