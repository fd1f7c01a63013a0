#pragma once
// What the catalogue was read from, kept so that a change made by another
// program is noticed without a file system watcher: a watcher hears only
// this machine's kernel, so a volume another computer adds to a network
// share would otherwise stay unseen until the next start. A FolderStamp is
// the data folder as the volume list was read: whether it existed, and the
// name, size, change time and file number of every CD*.DAT in it. Taking one
// anew costs a folder listing and one stat per volume file; no file is
// opened or read.
//
// It says only that something differs, not what: the caller reads the list
// again, as after a watcher's report.

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace diskindex {

// One file as the file system describes it. Two stamps of a file differ when
// it was written (size or time) or replaced by a rename (inode), also when
// the time stayed the same within a coarse clock of the share.
struct FileStamp {
  bool exists = false;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;  // st_mtim in nanoseconds
  std::uint64_t inode = 0;

  static FileStamp of(const struct stat& info);
  // By name (stat); a file that is not there gives exists = false.
  static FileStamp ofPath(const std::filesystem::path& file);
  // By an open descriptor (fstat): the very file that was read.
  static FileStamp ofOpenFile(int fd);
  bool operator==(const FileStamp&) const = default;
};

// The CD*.DAT files of a folder, in name order: what the volume list reads
// and what a stamp describes. error is set when the folder cannot be listed
// (wholly: the list is empty; partly: what was listed is given).
std::vector<std::filesystem::path> listVolumeFiles(const std::filesystem::path& dir,
                                                   std::error_code& error);

struct FolderStamp {
  bool folderExists = false;
  // Every CD*.DAT file name of the folder with its stamp, in name order.
  std::vector<std::pair<std::string, FileStamp>> volumeFiles;

  // The folder as it is now (listed, each volume file stat'ed).
  static FolderStamp take(const std::filesystem::path& dataDir);
  bool operator==(const FolderStamp&) const = default;
};

}  // namespace diskindex
