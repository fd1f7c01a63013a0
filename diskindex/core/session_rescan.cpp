// Reading a catalogued volume of a session again, from a drive, a folder or
// any reader with readDrive's shape.

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/files/volume_check.h"
#include "diskindex/core/scan/image_volume.h"
#include "platform/ini_file.h"

namespace diskindex {

RescanResult CatalogueSession::rescanVolume(std::size_t index, const scan::VolumeReader& reader,
                                            scan::ScanObserver& observer) {
  RescanResult result;
  if (index >= m_state.catalogue.volumes().size()) {
    result.outcome.code = ResultCode::CannotOpen;
    return result;
  }
  const std::filesystem::path dataFile = m_state.catalogue.volumes()[index].dataFile;
  const bool wasOpen = m_state.opened && m_state.opened->record.dataFile == dataFile;
  if (wasOpen) {
    // What was typed into the remark fields belongs to the old numbers and
    // must reach the comment file before the numbers change.
    const ResultCode saved = saveRemarks();
    if (saved != ResultCode::Ok) {
      result.outcome.code = saved;
      result.outcome.failedFile = remarksFile();
      return result;
    }
  }
  result.outcome = scan::rescanVolume(dataFile, reader, observer);
  if (result.outcome.code != ResultCode::Ok) return result;
  const std::size_t placed = m_state.catalogue.volumes().replace(
      index, VolumeRecord::fromHeader(result.outcome.header, dataFile));
  result.index = placed;
  if (wasOpen) openVolume(placed);
  return result;
}

RescanResult CatalogueSession::rescanFromDrive(std::size_t index,
                                               const platform::DriveTable& drives, char letter,
                                               scan::ScanObserver& observer,
                                               files::VolumeCheckObserver* check) {
  m_state.settings.drive = letter;
  // The check runs against the chosen letter, which may not be the stored one.
  if (check != nullptr && !files::checkVolumeIn(m_state.catalogue, index, drives, letter, *check)) {
    RescanResult result;
    result.volumeRefused = true;
    result.outcome.code = ResultCode::Cancelled;
    return result;
  }
  return rescanVolume(index, scan::driveReader(drives, letter, false), observer);
}

RescanResult CatalogueSession::rescanFromImage(std::size_t index,
                                               const std::filesystem::path& image,
                                               scan::ScanObserver& observer) {
  // The same codes also stand for the old files' failures; only the
  // reader knows that the image was refused.
  bool refused = false;
  const scan::VolumeReader reader = [&image, &refused](VolumeHeader& header,
                                                       const std::filesystem::path& dataFile,
                                                       scan::ScanObserver& readObserver) {
    scan::ReadDriveOutcome read = scan::readImage(image, header, dataFile, readObserver);
    if (read.code != ResultCode::Ok && scan::isImageFailure(read.code)) {
      refused = true;
      readObserver.imageFailed(scan::imageErrorMessage(read.code, image, read.detail));
    }
    return read;
  };
  RescanResult result = rescanVolume(index, reader, observer);
  result.volumeRefused = refused;
  return result;
}

RescanResult CatalogueSession::rescanFromFolder(std::size_t index,
                                                const std::filesystem::path& folder,
                                                scan::ScanObserver& observer) {
  std::error_code error;
  std::map<char, std::filesystem::path> overrides =
      scan::driveOverrides(platform::IniFile(m_env.settingsFile));
  const platform::DriveTable system = platform::DriveTable::fromSystem(overrides);
  const std::optional<scan::FolderLetter> letter = scan::letterForFolder(system, folder);
  if (!std::filesystem::is_directory(folder, error) || !letter) {
    RescanResult result;
    result.outcome.code = ResultCode::DriveNotReady;
    result.outcome.failedFile = folder;
    return result;
  }
  if (!letter->lent)
    return rescanVolume(index, scan::driveReader(system, letter->letter, false), observer);
  overrides[letter->letter] = std::filesystem::weakly_canonical(folder, error);
  const platform::DriveTable lent = platform::DriveTable::fromSystem(overrides);
  return rescanVolume(index, scan::driveReader(lent, letter->letter, true), observer);
}

}  // namespace diskindex
