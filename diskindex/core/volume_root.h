#pragma once
// Where a volume's paths start, and the small file that keeps a folder.
//
// A volume read from a drive starts at its letter: "E:", and its entries are
// "E:\Fotos\a.jpg". A folder read when D: to Z: were all taken has no letter
// of its own. Its header then carries DriveTable::kFolderKey ('#') in place of
// the letter, and the folder itself is kept beside the volume file, in the
// file of the same stem with ".ORD" (CD000123.DAT -> CD000123.ORD: the
// folder's absolute path in UTF-8, nothing else). Such a volume starts at the
// folder, and its entries are written with "/" as the system writes them, so
// that a path can be pasted into a file manager or a shell:
// "/home/anna/Fotos/2019/a.jpg".
//
// The .ORD file is written before the volume file that names it and removed
// after a volume file that no longer does, so a crash in between leaves at
// worst a file nobody reads. A volume file with '#' whose .ORD is missing or
// unreadable keeps its entries; its root shows as "?" and resolves nowhere.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "diskindex/core/result_code.h"
#include "diskindex/core/volume_header.h"
#include "platform/drives.h"

namespace diskindex {

struct VolumeRecord;

class VolumeRoot {
 public:
  // A drive letter is a root of its own, so places that know only a letter
  // pass it as it is.
  VolumeRoot(char driveLetter = 'C') : m_letter(driveLetter) {}  // NOLINT: implicit on purpose
  VolumeRoot(char driveLetter, std::string folder);

  bool isFolder() const { return m_letter == platform::DriveTable::kFolderKey; }
  char letter() const { return m_letter; }
  // The kept folder; empty for a drive letter, or when the .ORD file was lost.
  const std::string& folder() const { return m_folder; }

  // "E:" or "/home/anna/Fotos" ("?" for a folder volume whose folder is lost).
  std::string text() const;
  // A stored path ("\Fotos\a.jpg", "\" for the root) from this root:
  // "E:\Fotos\a.jpg" or "/home/anna/Fotos/Fotos/a.jpg", "E:\" or "/home/anna/Fotos/".
  std::string path(std::string_view storedPath) const;
  // What separates the names of path(): '\\' after a letter, '/' in a folder.
  char separator() const { return isFolder() ? '/' : '\\'; }
  // The directory that holds the volume's files on this machine now: the
  // letter's root in drives, or the kept folder. Nothing when the letter is
  // not in the table or the folder is lost.
  std::optional<std::filesystem::path> resolve(const platform::DriveTable& drives) const;
  // drives with the kept folder lent under kFolderKey (for the readers that
  // take a table and a letter); drives unchanged for a letter.
  platform::DriveTable lentTo(platform::DriveTable drives) const;

 private:
  char m_letter;
  std::string m_folder;
};

VolumeRoot rootOf(const VolumeRecord& record);

// A path typed as root prints it ("/home/anna/Fotos/2019/a.jpg", pasted
// from a search hit) made one from the volume's root ("/2019/a.jpg"); any
// other path as it is ("/2019/a.jpg", "2019\a.jpg"). A drive's "E:\2019"
// is left to the lookups, which skip a leading letter themselves.
std::string_view pathFromRoot(const VolumeRoot& root, std::string_view typed);

// CD000123.DAT -> CD000123.ORD (".ord" beside a ".dat").
std::filesystem::path folderFileFor(const std::filesystem::path& dataFile);
// The folder kept for the volume file; nothing when there is no readable,
// non-empty .ORD file (the folder is then lost; the volume is still listed).
std::optional<std::string> readFolderFile(const std::filesystem::path& dataFile);
// Keeps folder for the volume file, written whole or not at all (temporary
// file, flushed, renamed). The caller holds the data folder's lock when
// other programs may write. CannotCreate, CannotWrite, Ok.
ResultCode writeFolderFile(const std::filesystem::path& dataFile, std::string_view folder);
// Removes the .ORD file; true when none is left.
bool removeFolderFile(const std::filesystem::path& dataFile);

// The order around a volume file that is about to be written with header:
// keepFolderBefore writes the .ORD when the header keeps a folder (not when
// that folder did not read: a .ORD that failed to load, perhaps only for
// the moment, stays as it is); keepFolderAfter removes it once the file is
// written with a letter. Each takes the data folder's lock for its step.
ResultCode keepFolderBefore(const std::filesystem::path& dataFile, const VolumeHeader& header);
void keepFolderAfter(const std::filesystem::path& dataFile, const VolumeHeader& header);

}  // namespace diskindex
