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

FolderStamp FolderStamp::take(const std::filesystem::path& dataDir) {
  FolderStamp stamp;
  std::error_code error;
  std::filesystem::directory_iterator it(dataDir, error);
  if (error) return stamp;
  stamp.folderExists = true;
  for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (!isVolumeFileName(name) || it->is_directory(typeError)) continue;
    stamp.volumeFiles.emplace_back(std::move(name), FileStamp::ofPath(it->path()));
  }
  std::sort(stamp.volumeFiles.begin(), stamp.volumeFiles.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return stamp;
}

}  // namespace diskindex
