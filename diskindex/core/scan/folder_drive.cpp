#include "diskindex/core/scan/folder_drive.h"

#include <string>
#include <system_error>

namespace diskindex::scan {
namespace {

constexpr const char* kDrivesSection = "Drives";

// The folder as one path without "." or "..", links resolved, with a
// trailing separator so that roots compare alike ("/a/b/").
std::filesystem::path comparable(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  if (error) resolved = std::filesystem::absolute(path, error);
  return (resolved / "").lexically_normal();
}

}  // namespace

std::optional<char> letterNaming(const platform::DriveTable& drives,
                                 const std::filesystem::path& folder) {
  const std::filesystem::path wanted = comparable(folder);
  for (char letter : drives.letters()) {
    const auto root = drives.root(letter);
    if (root && comparable(*root) == wanted) return letter;
  }
  return std::nullopt;
}

std::optional<char> firstFreeLetter(const platform::DriveTable& drives) {
  for (char letter = kFirstFolderLetter; letter <= 'Z'; ++letter) {
    if (!drives.exists(letter)) return letter;
  }
  return std::nullopt;
}

FolderDrive assignFolderDrive(platform::IniFile& settings, const platform::DriveTable& drives,
                              const std::filesystem::path& folder) {
  FolderDrive result;
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error)) return result;
  // Recorded without the trailing separator, as people write it by hand.
  result.folder = comparable(folder).parent_path();
  if (const auto letter = letterNaming(drives, folder)) {
    result.status = FolderDriveStatus::Existing;
    result.letter = *letter;
    return result;
  }
  const auto letter = firstFreeLetter(drives);
  if (!letter) {
    result.status = FolderDriveStatus::LettersRanOut;
    return result;
  }
  settings.writeString(kDrivesSection, std::string(1, *letter), result.folder.string());
  result.status = FolderDriveStatus::Assigned;
  result.letter = *letter;
  return result;
}

}  // namespace diskindex::scan
