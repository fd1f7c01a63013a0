#pragma once
// Reading drives into the catalogue: the volume information of a drive
// (label, capacity, free space, type code), reading one drive into a new
// volume data file and, on request, its descriptions into the comment file,
// and adding one volume or a numbered series to the catalogue's volume list.
// The dialog before it and the windows around it are the caller's; every
// question and every step is reported through the ScanObserver.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/scan/walk.h"
#include "diskindex/core/volume_header.h"
#include "platform/drives.h"
#include "platform/ini_file.h"

namespace diskindex::scan {

struct VolumeInfo {
  std::int64_t capacity = -1;  // bytes; -1 when the system cannot tell
  std::int64_t freeSpace = -1;
  std::string label;                // at most 11 characters, empty when none
  platform::FileSystemId volumeId;  // unknown unless the root is a mount point
};

VolumeInfo readVolumeInfo(const platform::DriveTable& drives, char letter);
// The label as the drive reports it now, empty when it has none.
std::string currentLabel(const platform::DriveTable& drives, char letter);
// The drive type code stored for a letter: the system's code, 255 when the
// system answers 0 (the letter exists but its type is unknown).
std::uint8_t driveTypeCode(const platform::DriveTable& drives, char letter);

// The [Drives] section of the settings ("E=/home/anna/Archiv"): letters that
// name folders as drives. Keys that are no single letter A..Z and empty values
// are ignored.
std::map<char, std::filesystem::path> driveOverrides(const platform::IniFile& settings);

struct ReadDriveOutcome {
  // Ok, DriveNotReady (nothing to catalogue), Cancelled, OutOfMemory, or
  // the data file's codes (CannotCreate, CannotWrite, CommentNotRemovable).
  ResultCode code = ResultCode::Ok;
  bool descriptionsFound = false;  // the test pass found description files
  bool descriptionsRead = false;   // and the user wanted them
  // DriveNotReady when no remark was collected, Cancelled, or the comment
  // file's code; the volume stays added whatever it is.
  ResultCode remarksCode = ResultCode::DriveNotReady;
  // Reading an image: the member that made it refuse the image (UnsafeName).
  std::string detail;
  // What the walk passed over (links, mount points, unreadable directories).
  WalkSummary passedOver;
};

// The space of a volume read from a folder: capacity = the bytes of the
// files walked (full 64-bit sizes, before the data file clamps them), free
// space = the host's free space as the drive table reports it for the folder
// (-1 when unknown). header.spaceOf becomes Folder.
void applyFolderSpace(VolumeHeader& header, const WalkResult& walk, std::int64_t hostFreeSpace);

// Reads the drive of header.driveLetter: volume information into header,
// the walk, the data file (dataFile), then the descriptions question and pass.
// A letter that names a folder gets the folder's space (applyFolderSpace).
ReadDriveOutcome readDrive(const platform::DriveTable& drives, VolumeHeader& header,
                           const std::filesystem::path& dataFile, ScanObserver& observer,
                           const WalkOptions& options = {});

class DescriptionSource;

// The steps after the walk, shared by drives and images: the data file from
// walk (header completed with the counts), then the descriptions question
// and pass reading from source.
ReadDriveOutcome writeVolume(const WalkResult& walk, const DescriptionSource& source,
                             VolumeHeader& header, const std::filesystem::path& dataFile,
                             ScanObserver& observer);

struct AddOutcome {
  std::vector<std::filesystem::path> added;  // data files of the volumes added, in order
  ResultCode lastCode = ResultCode::Ok;      // of the last volume read
  ReadDriveOutcome lastRead;                 // all of the last volume's outcome
  bool seriesEnded = false;                  // Cancel at a series prompt
};

// Adds one volume (seriesCount 0) or a series of seriesCount volumes named
// after header.name (see seriesName). A cancelled volume ends a series.
AddOutcome addVolumes(Catalogue& catalogue, const platform::DriveTable& drives,
                      const VolumeHeader& header, int seriesCount, ScanObserver& observer,
                      const WalkOptions& options = {});

}  // namespace diskindex::scan
