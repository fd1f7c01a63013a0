// Finding the volumes of a catalogue session by file system and free space.

#include "diskindex/core/catalogue_session.h"

namespace diskindex {

std::vector<RecognisedVolume> CatalogueSession::recogniseVolumes(
    const platform::DriveTable& drives) const {
  return diskindex::recogniseVolumes(volumes(), drives);
}

std::vector<std::size_t> CatalogueSession::volumesOnFileSystemOf(
    const std::filesystem::path& path, const platform::DriveTable& drives) const {
  return volumesWithId(volumes(), drives.fileSystemIdOf(path));
}

OverviewOrder CatalogueSession::overviewOrder() const {
  return m_state.settings.sortFree == 1 ? OverviewOrder::FreeSpace : OverviewOrder::Name;
}

void CatalogueSession::setOverviewOrder(OverviewOrder order) {
  m_state.settings.sortFree = order == OverviewOrder::FreeSpace ? 1 : 0;
}

std::vector<std::size_t> CatalogueSession::volumesWithFreeSpace(std::int64_t bytes) const {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < volumes().size(); ++i) {
    if (hasFreeSpace(volumes()[i], bytes)) found.push_back(i);
  }
  return found;
}

}  // namespace diskindex
