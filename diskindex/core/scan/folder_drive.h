#pragma once
// Drive letters for folders. A folder read as a volume needs a letter that
// still names it later, so that the contents view, a rescan or copying files
// back find it again: the letter is recorded in the [Drives] section of the
// settings ("F=/home/anna/Archiv"), which the drive table reads at start-up.
//
// This file only decides and records the letter in the settings held in
// memory; writing the settings file, and building a drive table that knows
// the new letter (DriveTable with driveOverrides(settings)), are the
// caller's. A letter already naming the folder (a mount point among the
// automatic letters, or an earlier [Drives] entry) is used as it is.

#include <filesystem>
#include <optional>

#include "platform/drives.h"
#include "platform/ini_file.h"

namespace diskindex::scan {

inline constexpr char kFirstFolderLetter = 'D';

// The letter whose root is exactly folder (after resolving links and ".."),
// if any. A letter whose root only holds the folder does not count.
std::optional<char> letterNaming(const platform::DriveTable& drives,
                                 const std::filesystem::path& folder);
// The first letter from D to Z that the drive table does not know.
std::optional<char> firstFreeLetter(const platform::DriveTable& drives);

enum class FolderDriveStatus {
  Existing,       // a letter already named the folder; nothing recorded
  Assigned,       // a free letter was recorded in [Drives]
  LettersRanOut,  // D to Z are all taken: the volume keeps the folder itself
  NotAFolder,     // the path is not an existing directory
  NotRecorded,    // the settings file could not be read or written (callers set it)
};

struct FolderDrive {
  FolderDriveStatus status = FolderDriveStatus::NotAFolder;
  char letter = 0;  // Existing and Assigned; recordFolderDrive gives kFolderKey for LettersRanOut
  std::filesystem::path folder;  // the folder as recorded (absolute, resolved)
};

// Finds or assigns the folder's letter; an assigned one is written into
// settings' [Drives] section (the file is not written).
FolderDrive assignFolderDrive(platform::IniFile& settings, const platform::DriveTable& drives,
                              const std::filesystem::path& folder);

}  // namespace diskindex::scan
