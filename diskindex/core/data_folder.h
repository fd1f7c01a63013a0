#pragma once
// Whether a folder chosen as the data directory can be used as it is, and
// creating it on request. A data directory that does not exist would show as
// an empty catalogue that looks like lost data, so it is never taken
// silently; the caller asks the user first. No exceptions: the file system's
// errors become states and false.

#include <filesystem>

namespace diskindex {

enum class FolderState {
  Exists,      // an existing folder (or a link to one)
  Missing,     // nothing there yet: it can be created
  NotAFolder,  // a file or something else that cannot be one
};

FolderState folderState(const std::filesystem::path& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool createFolder(const std::filesystem::path& path);

}  // namespace diskindex
