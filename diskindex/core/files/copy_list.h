#pragma once
// The copy list: the files and directories to copy from a catalogued volume,
// in order, each as its path from the volume's root in the names the volume
// file stores (never the display case: the real file system tells case
// apart), with the total size of the files for the progress display.
//
// A catalogue file is data from elsewhere, so every name that goes into a
// list is checked: an empty name, ".", "..", or one holding "/" or a NUL
// byte could lead a copy out of the volume's folder or the target
// directory. Such a list is refused as a whole (UnsafeName with the name),
// before anything is read or written. The lists are built from a directory
// list loaded with loadStoredNames (same indices as the window's).
//
// It does not touch any file (see copy_engine.h).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/remark_list.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/volume_root.h"

namespace diskindex::files {

struct CopyEntry {
  // Path from the volume's root, one name per component; empty for the root.
  std::vector<std::string> components;
  bool directory = false;
  std::uint64_t size = 0;  // files only

  bool operator==(const CopyEntry&) const = default;
};

struct CopyList {
  std::vector<CopyEntry> entries;
  std::uint64_t totalSize = 0;  // sum of the files' sizes

  bool empty() const { return entries.empty(); }
};

// The outcome of building a list: Ok, or UnsafeName with the offending name
// (the list is then empty).
struct CopyListResult {
  ResultCode code = ResultCode::Ok;
  std::string badName;
};

// True for a name that stays one component below its folder: not empty, not
// "." or "..", no "/" and no NUL.
bool isSafeName(std::string_view name);
// The first unsafe component of a list, if any (the engine checks again).
CopyListResult checkNames(const CopyList& list);

// The directory and its whole subtree: the directory first, then its files,
// then each subdirectory followed by its own subtree (the order of the path
// lines of a tree export with directories and files).
CopyListResult treeCopyList(const TOutlineDirList& stored, std::size_t dir, CopyList& list);
// Files by their keys (directory number from 1, file number from 0), in the
// order given: the rows chosen in the file list, or a search's hits on one
// volume. Directory keys and keys outside the volume are skipped.
CopyListResult hitsCopyList(const TOutlineDirList& stored, std::span<const TDirFileNo> keys,
                            CopyList& list);

// The components of a directory's path from the root (empty for the root).
std::vector<std::string> directoryComponents(const TOutlineDirList& stored, std::size_t dir);

// The display form of an entry for messages: "E:\TOOLS\A.EXE", a directory
// ending in "\" ("E:\" for the root); from a kept folder with "/".
std::string sourceText(const VolumeRoot& root, const CopyEntry& entry);

}  // namespace diskindex::files
