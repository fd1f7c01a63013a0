#include "diskindex/core/data_folder.h"

#include <system_error>

namespace diskindex {

FolderState folderState(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!error && std::filesystem::is_directory(status)) return FolderState::Exists;
  if (status.type() != std::filesystem::file_type::not_found) return FolderState::NotAFolder;
  // Missing; it can be created only when its nearest existing parent is a
  // folder (below a file the system reports "not found" as well).
  for (std::filesystem::path parent = path.parent_path(); !parent.empty();
       parent = parent.parent_path()) {
    const std::filesystem::file_status above = std::filesystem::status(parent, error);
    if (above.type() == std::filesystem::file_type::not_found) {
      if (parent == parent.parent_path()) break;
      continue;
    }
    return std::filesystem::is_directory(above) ? FolderState::Missing : FolderState::NotAFolder;
  }
  return FolderState::Missing;
}

bool createFolder(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return folderState(path) == FolderState::Exists;
}

}  // namespace diskindex
