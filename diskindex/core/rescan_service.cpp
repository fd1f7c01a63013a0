// Reading a catalogued volume of a session again, from a drive, a folder,
// an image or any reader with readDrive's shape.

#include "diskindex/core/rescan_service.h"

#include <system_error>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/scan/image_volume.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_root.h"
#include "diskindex/core/volume_service.h"
#include "platform/ini_file.h"

namespace diskindex {

RescanResult RescanService::rescan(std::size_t volume, const RescanSource& source,
                                   scan::ScanObserver& observer,
                                   RemarkConflictObserver* conflicts) {
  m_conflicts = conflicts;
  struct Forget {
    RemarkConflictObserver*& conflicts;
    ~Forget() { conflicts = nullptr; }
  } forget{m_conflicts};
  if (volume >= m_data.state.catalogue.volumes().size()) {
    RescanResult result;
    result.outcome.code = ResultCode::CannotOpen;
    return result;
  }
  if (const auto* drive = std::get_if<RescanFromDrive>(&source)) {
    return fromDrive(volume, *drive, observer);
  }
  if (const auto* folder = std::get_if<RescanFromFolder>(&source)) {
    return fromFolder(volume, folder->folder, observer);
  }
  if (const auto* image = std::get_if<RescanFromImage>(&source)) {
    return fromImage(volume, image->image, observer);
  }
  return withReader(volume, std::get<RescanWithReader>(source).reader, observer);
}

RescanResult RescanService::withReader(std::size_t index, const scan::VolumeReader& reader,
                                       scan::ScanObserver& observer) {
  RescanResult result;
  const std::filesystem::path dataFile = m_data.state.catalogue.volumes()[index].dataFile;
  const bool wasOpen = m_data.state.opened && m_data.state.opened->record.dataFile == dataFile;
  if (wasOpen) {
    // What was typed into the remark fields belongs to the old numbers and
    // must reach the comment file before the numbers change.
    const ResultCode saved = saveTypedRemarks();
    if (saved != ResultCode::Ok) {
      result.outcome.code = saved;
      result.outcome.failedFile = session::remarksFile(m_data);
      return result;
    }
  }
  result.outcome = scan::rescanVolume(dataFile, reader, observer);
  if (result.outcome.code != ResultCode::Ok) return result;
  const std::size_t placed = m_data.state.catalogue.volumes().replace(
      index, VolumeRecord::fromHeader(result.outcome.header, dataFile));
  result.index = placed;
  if (wasOpen) result.reopened = session::openVolume(m_data, placed, nullptr);
  return result;
}

ResultCode RescanService::saveTypedRemarks() {
  RemarkSaveResult saved = session::saveRemarks(m_data);
  using Choice = RemarkConflictDecision::Choice;
  while (saved.status == RemarkSaveStatus::Conflict) {
    if (m_conflicts == nullptr) return ResultCode::Cancelled;
    const RemarkConflictDecision decision = m_conflicts->remarkConflict(
        session::remarksFile(m_data), static_cast<int>(saved.conflicts.size()));
    if (decision.choice == Choice::KeepMine) {
      saved = session::saveRemarks(m_data, ConflictChoice::KeepMine);
    } else if (decision.choice == Choice::KeepTheirs) {
      saved = session::saveRemarks(m_data, ConflictChoice::KeepTheirs);
    } else if (decision.choice == Choice::SaveMineElsewhere && !decision.otherFile.empty()) {
      // Mine are safe in the other file; the comment file keeps theirs,
      // which the rescan carries to the new numbers.
      return diskindex::saveRemarks(decision.otherFile, m_data.state.opened->remarks);
    } else {
      return ResultCode::Cancelled;
    }
  }
  if (saved.status == RemarkSaveStatus::Failed) {
    return saved.code != ResultCode::Ok ? saved.code : ResultCode::CannotWrite;
  }
  return ResultCode::Ok;
}

RescanResult RescanService::fromDrive(std::size_t index, const RescanFromDrive& source,
                                      scan::ScanObserver& observer) {
  const VolumeRoot stored = rootOf(m_data.state.catalogue.volumes()[index]);
  const char letter = source.letter.value_or(stored.letter());
  platform::DriveTable drives =
      source.drives ? *source.drives
                    : platform::DriveTable::fromSystem(
                          scan::driveOverrides(platform::IniFile(m_data.env.settingsFile)));
  if (VolumeRoot(letter).isFolder()) {
    // The volume's own folder, read again where it was kept.
    drives = stored.lentTo(std::move(drives));
  } else {
    m_data.state.settings.drive = letter;
  }
  // The check runs against the chosen letter, which may not be the stored one.
  if (source.check != nullptr &&
      !files::checkVolumeIn(m_data.state.catalogue, index, drives, letter, *source.check)) {
    RescanResult result;
    result.volumeRefused = true;
    result.outcome.code = ResultCode::Cancelled;
    return result;
  }
  return withReader(index, scan::driveReader(drives, letter, scan::StoredDrive::Replace), observer);
}

RescanResult RescanService::fromImage(std::size_t index, const std::filesystem::path& image,
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
  RescanResult result = withReader(index, reader, observer);
  result.volumeRefused = refused;
  return result;
}

RescanResult RescanService::fromFolder(std::size_t index, const std::filesystem::path& folder,
                                       scan::ScanObserver& observer) {
  const RecordedFolder recorded = recordFolderDrive(folder, m_data.env.settingsFile);
  RescanResult result;
  if (recorded.drives) {
    // The reader borrows the table: recorded outlives the reading.
    result = withReader(
        index, scan::driveReader(*recorded.drives, recorded.drive.letter, scan::StoredDrive::Replace),
        observer);
  } else {
    result.outcome.code = ResultCode::DriveNotReady;
    result.outcome.failedFile = folder;
  }
  result.folder = recorded.drive;
  result.folderCode = recorded.code;
  return result;
}

}  // namespace diskindex
