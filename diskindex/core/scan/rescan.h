#pragma once
// Reading a catalogued volume again into its own CDnnnnnn.DAT and .CMT while
// keeping what the user wrote. The new reading goes to temporary files
// beside the old ones ("~CDnnnnnn.DAT", "~CDnnnnnn.CMT": no CD*.DAT name, so
// a left-over never shows up as a volume); only when the reading, the
// remarks and the orphan file all succeeded are they renamed over the old
// files. A failed or cancelled rescan leaves the old files byte for byte as
// they were and no temporary file behind.
//
// The header keeps name, remark, location and category; the capture date is
// today; counts, label, capacity, free space, drive letter and type (and
// whatever else the source knows) come from the new reading. Remarks move
// to their entries' new numbers (remark_carry.h); those of vanished entries
// are returned and appended to the orphan file (orphan_file.h). Description
// files are offered as in a first reading and fill only empty remarks.
//
// Reading a volume again is how a damaged one is mended: a volume file whose
// header reads but whose tree does not, and a comment file that does not
// read cleanly, are kept as "<name>.defekt" (never replacing an earlier
// copy) before the new files replace them; the remarks that could be read
// are carried, those without their old tree go to the orphan file.
//
// The reading itself is passed in as a VolumeReader, so the same workflow
// serves a drive or folder (driveReader) and, once there is one, a reader of
// image files with readDrive's shape. It does not touch the volume list.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/remark_carry.h"
#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_header.h"
#include "platform/dates.h"
#include "platform/drives.h"

namespace diskindex::scan {

// Reads a volume into dataFile (and its descriptions, on request, into the
// comment file of the same stem) and fills header's fields that the source
// knows: readDrive's contract.
using VolumeReader = std::function<ReadDriveOutcome(
    VolumeHeader& header, const std::filesystem::path& dataFile, ScanObserver& observer)>;

// Reads drive letter of the table. With StoredDrive::Keep (a folder lent a
// letter for this reading only) the header keeps its drive letter, type and
// file system identity; with Replace all three become the drive's.
enum class StoredDrive { Replace, Keep };
VolumeReader driveReader(const platform::DriveTable& drives, char letter, StoredDrive stored);

// The letter to read a folder from: the letter whose root it is, or else
// the first free letter from D on, lent to it for this reading (lent set).
// Nothing when every letter is taken.
struct FolderLetter {
  char letter = 0;
  bool lent = false;
};
std::optional<FolderLetter> letterForFolder(const platform::DriveTable& drives,
                                            const std::filesystem::path& folder);

// Renames a file over another: the tests put failures in here.
using RenameFunction =
    std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)>;

struct RescanOptions {
  platform::CivilTime now = platform::localCivilNow();  // for the orphan file's heading
  RenameFunction rename;                                // empty: renameFile
};

struct RescanOutcome {
  // Ok, or why the old files stayed: the reader's code (Cancelled,
  // DriveNotReady, CannotCreate, ...), the old files' codes, or the code of
  // writing the remarks, the orphan file or the final renames.
  ResultCode code = ResultCode::Ok;
  std::filesystem::path failedFile;  // the file the code is about
  ReadDriveOutcome read;             // what the reading reported
  VolumeHeader header;               // the header now stored (code Ok)
  std::size_t carried = 0;           // remarks kept under their entries
  std::size_t described = 0;         // empty entries filled by descriptions
  std::vector<OrphanRemark> orphans;
  std::filesystem::path orphanFile;  // where they were saved; empty when none
  // Old files that were damaged (a volume file whose tree did not read, a
  // comment file that did not read cleanly) were kept under these names
  // (".defekt", see keepDamagedCopy) before the new reading replaced them.
  std::vector<std::filesystem::path> damagedCopies;
};

RescanOutcome rescanVolume(const std::filesystem::path& dataFile, const VolumeReader& reader,
                           ScanObserver& observer, const RescanOptions& options = {});

// The temporary names of a rescan of dataFile.
std::filesystem::path rescanTempFile(const std::filesystem::path& dataFile);
std::filesystem::path rescanBackupFile(const std::filesystem::path& dataFile);

}  // namespace diskindex::scan
