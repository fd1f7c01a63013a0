#include "diskindex/core/folder_stamp.h"

#include <algorithm>
#include <system_error>

#include "diskindex/core/volume_list.h"

namespace diskindex {

FileStamp FileStamp::of(const struct stat& info) {
  FileStamp stamp;
  stamp.exists = true;
  stamp.size = static_cast<std::int64_t>(info.st_size);
  stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                     static_cast<std::int64_t>(info.st_mtim.tv_nsec);
  stamp.inode = static_cast<std::uint64_t>(info.st_ino);
  return stamp;
}

FileStamp FileStamp::ofPath(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return {};
  return of(info);
}

FileStamp FileStamp::ofOpenFile(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return {};
  return of(info);
}

std::vector<std::filesystem::path> listVolumeFiles(const std::filesystem::path& dir,
                                                   std::error_code& error) {
  std::vector<std::filesystem::path> files;
  std::filesystem::directory_iterator it(dir, error);
  for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (isVolumeFileName(name) && !it->is_directory(typeError)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Exists exactly when the volume list would have read the folder.
FolderStamp FolderStamp::take(const std::filesystem::path& dataDir) {
  FolderStamp stamp;
  std::error_code error;
  const std::vector<std::filesystem::path> files = listVolumeFiles(dataDir, error);
  if (error && files.empty()) return stamp;
  stamp.folderExists = true;
  stamp.volumeFiles.reserve(files.size());
  for (const std::filesystem::path& file : files) {
    stamp.volumeFiles.emplace_back(file.filename().string(), FileStamp::ofPath(file));
  }
  return stamp;
}

}  // namespace diskindex
