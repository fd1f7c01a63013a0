#pragma once
// RescanService: reading a catalogued volume of a session again, keeping
// its information and the remarks of every entry that still exists
// (scan::rescanVolume). One call owns the whole workflow: the open volume's
// pending remarks are saved first (their numbers change with the new
// tree), the source is read, the volume's record is rebuilt from the new
// header and, when the volume was open, it is opened again with the new
// contents. Where to read from is the request's RescanSource.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <variant>

#include "diskindex/core/files/volume_check.h"
#include "diskindex/core/scan/folder_drive.h"
#include "diskindex/core/scan/rescan.h"
#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/session_data.h"
#include "platform/drives.h"

namespace diskindex {

// A drive: the letter (none: the volume's stored one) in the table (none:
// the session's drive table); the letter becomes the default drive. With a
// check observer the volume check runs first, so that another volume in the
// drive does not replace the catalogued tree unasked.
struct RescanFromDrive {
  std::optional<platform::DriveTable> drives;
  std::optional<char> letter;
  files::VolumeCheckObserver* check = nullptr;
};
// A folder: read under the letter whose root it is, or else under the first
// free letter from D on, recorded in [Drives] of DISKINDX.INI as adding a
// folder does; the volume takes that letter. DriveNotReady when it is no
// folder or got no letter (RescanResult::folder says why).
struct RescanFromFolder {
  std::filesystem::path folder;
};
// A disc image or archive (scan::readImage); the volume keeps its drive
// letter and file system identity. A refused image is reported to the
// observer's imageFailed as when adding one.
struct RescanFromImage {
  std::filesystem::path image;
};
// Any reader with readDrive's shape (tests, future sources).
struct RescanWithReader {
  scan::VolumeReader reader;
};
using RescanSource =
    std::variant<RescanFromDrive, RescanFromFolder, RescanFromImage, RescanWithReader>;

// Reading a volume again: what the rescan did, and the volume's list
// position afterwards (none when it failed).
struct RescanResult {
  scan::RescanOutcome outcome;
  std::optional<std::size_t> index;
  // The volume check said no, or the image was refused (the observer
  // showed or asked what it had to): nothing more needs saying.
  bool volumeRefused = false;
  // How opening the volume again went, when it was open before.
  std::optional<OpenResult> reopened;
  // A folder source: its letter (Existing, Assigned), LettersRanOut when
  // the volume keeps the folder itself, or why nothing was read, as
  // AddResult's.
  std::optional<scan::FolderDrive> folder;
  ResultCode folderCode = ResultCode::Ok;
};

class RescanService {
 public:
  explicit RescanService(SessionData& data) : m_data(data) {}

  // Reads the volume at this list position again from the source. A failed
  // save of the pending remarks ends it with that code and the comment file.
  // When another program changed the same remarks meanwhile, conflicts
  // decides whose are kept (mine saved to another file leaves theirs in the
  // comment file, which the rescan then carries); without it, or when it
  // stops, the rescan ends with Cancelled and the remarks stay open.
  RescanResult rescan(std::size_t volume, const RescanSource& source, scan::ScanObserver& observer,
                      RemarkConflictObserver* conflicts = nullptr);

 private:
  RescanResult fromDrive(std::size_t index, const RescanFromDrive& source,
                         scan::ScanObserver& observer);
  RescanResult fromFolder(std::size_t index, const std::filesystem::path& folder,
                          scan::ScanObserver& observer);
  RescanResult fromImage(std::size_t index, const std::filesystem::path& image,
                         scan::ScanObserver& observer);
  RescanResult withReader(std::size_t index, const scan::VolumeReader& reader,
                          scan::ScanObserver& observer);
  // The open volume's typed remarks saved before the numbers change: Ok, or
  // why not (Cancelled when a conflict was not decided).
  ResultCode saveTypedRemarks();

  SessionData& m_data;
  RemarkConflictObserver* m_conflicts = nullptr;  // during one rescan call
};

}  // namespace diskindex
