// Adding, changing and deleting the volumes of a catalogue session.

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/scan/image_reader.h"
#include "diskindex/core/scan/image_volume.h"
#include "diskindex/core/volume_file.h"
#include "platform/ini_file.h"

namespace diskindex {

bool CatalogueSession::dataDirectoryWritable() const {
  return m_state.catalogue.dataDirectoryWritable();
}

platform::DriveTable CatalogueSession::driveTable() const {
  return platform::DriveTable::fromSystem(
      scan::driveOverrides(platform::IniFile(m_env.settingsFile)));
}

AddResult CatalogueSession::addVolumes(const platform::DriveTable& drives,
                                       const scan::DialogValues& values, int seriesCount,
                                       scan::ScanObserver& observer) {
  m_state.settings.drive = values.driveLetter;
  VolumeHeader header = freshHeader();
  scan::fillHeader(header, values, scan::driveTypeCode(drives, values.driveLetter));
  AddResult result;
  result.outcome = scan::addVolumes(m_state.catalogue, drives, header, seriesCount, observer);
  if (result.outcome.added.empty()) return result;
  if (!header.category.empty()) m_state.categories.add(header.category);
  result.lastAdded = m_state.catalogue.volumes().findByDataFile(result.outcome.added.back());
  return result;
}

AddResult CatalogueSession::addImage(const scan::DialogValues& values,
                                     scan::ScanObserver& observer) {
  VolumeHeader header = freshHeader();
  scan::fillHeader(header, values, scan::kArchiveDriveType);
  AddResult result;
  result.outcome = scan::addImage(m_state.catalogue, values.imageFile, header, observer);
  if (result.outcome.added.empty()) return result;
  if (!header.category.empty()) m_state.categories.add(header.category);
  result.lastAdded = m_state.catalogue.volumes().findByDataFile(result.outcome.added.back());
  return result;
}

ResultCode CatalogueSession::readVolumeHeader(std::size_t index, VolumeHeader& header) const {
  if (index >= m_state.catalogue.volumes().size()) return ResultCode::CannotOpen;
  return readHeader(m_state.catalogue.volumes()[index].dataFile, header);
}

ResultCode CatalogueSession::changeVolume(const platform::DriveTable& drives, std::size_t index,
                                          const VolumeHeader& header,
                                          const scan::DialogValues& values, std::size_t* newIndex) {
  std::size_t placed = index;
  const ResultCode code =
      scan::changeVolumeInformation(m_state.catalogue, drives, index, header, values, &placed);
  if (code != ResultCode::Ok) return code;
  const std::string& category = m_state.catalogue.volumes()[placed].category.value_or("");
  if (!category.empty()) m_state.categories.add(category);
  if (newIndex != nullptr) *newIndex = placed;
  return code;
}

ResultCode CatalogueSession::deleteVolume(std::size_t index) {
  if (index >= m_state.catalogue.volumes().size()) return ResultCode::CannotWrite;
  return m_state.catalogue.deleteVolume(index);
}

}  // namespace diskindex
