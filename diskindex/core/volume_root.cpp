#include "diskindex/core/volume_root.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <system_error>

#include "diskindex/core/file_io.h"
#include "diskindex/core/volume_list.h"

namespace diskindex {
namespace {

// A kept folder is one absolute path; anything longer than a path can be is
// not one.
constexpr std::size_t kMaxFolderFileSize = 4096;

bool lowerCaseExtension(const std::filesystem::path& dataFile) {
  const std::string ext = dataFile.extension().string();
  return ext == ".dat";
}

}  // namespace

VolumeRoot::VolumeRoot(char driveLetter, std::string folder)
    : m_letter(driveLetter), m_folder(isFolder() ? std::move(folder) : std::string()) {}

std::string VolumeRoot::text() const {
  if (!isFolder()) return std::string(1, m_letter) + ":";
  if (m_folder.empty()) return "?";
  std::string text = m_folder;
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string VolumeRoot::path(std::string_view storedPath) const {
  if (!isFolder()) return text() + std::string(storedPath);
  std::string rest(storedPath);
  std::replace(rest.begin(), rest.end(), '\\', '/');
  std::string root = text();
  // The root "/" itself: "/" + "/a" must not become "//a".
  if (root == "/" && !rest.empty() && rest.front() == '/') root.clear();
  return root + rest;
}

std::optional<std::filesystem::path> VolumeRoot::resolve(
    const platform::DriveTable& drives) const {
  if (!isFolder()) return drives.root(m_letter);
  if (m_folder.empty()) return std::nullopt;
  return std::filesystem::path(m_folder);
}

platform::DriveTable VolumeRoot::lentTo(platform::DriveTable drives) const {
  if (isFolder() && !m_folder.empty()) drives.lendFolder(m_folder);
  return drives;
}

VolumeRoot rootOf(const VolumeRecord& record) {
  return VolumeRoot(record.driveLetter, record.folder);
}

std::string_view pathFromRoot(const VolumeRoot& root, std::string_view typed) {
  if (!root.isFolder() || root.folder().empty()) return typed;
  const std::string text = root.text();
  // Below "/" every absolute path is one from the root already.
  if (text == "/" || !typed.starts_with(text)) return typed;
  const std::string_view rest = typed.substr(text.size());
  // "/home/anna/Fotos 2" is not below "/home/anna/Fotos".
  if (!rest.empty() && rest.front() != '/') return typed;
  return rest;
}

std::filesystem::path folderFileFor(const std::filesystem::path& dataFile) {
  std::filesystem::path file = dataFile;
  file.replace_extension(lowerCaseExtension(dataFile) ? ".ord" : ".ORD");
  return file;
}

std::optional<std::string> readFolderFile(const std::filesystem::path& dataFile) {
  const std::filesystem::path file = folderFileFor(dataFile);
  // Only a regular file: opening a pipe would wait for a writer, and a
  // device may never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  FileHandle handle = FileHandle::openRead(file);
  if (!handle.valid()) return std::nullopt;
  // One byte more than a folder may take tells a longer file from one that
  // fits, without reading the rest of it (this runs at every list load).
  std::string folder(kMaxFolderFileSize + 1, '\0');
  const std::ptrdiff_t got = handle.read(folder.data(), folder.size());
  if (got <= 0 || static_cast<std::size_t>(got) > kMaxFolderFileSize) return std::nullopt;
  folder.resize(static_cast<std::size_t>(got));
  // Only an absolute path is a folder. It holds no NUL, but may hold any
  // other byte a folder's name can (a line break too): what
  // writeFolderFile keeps must read back.
  if (folder.front() != '/' || folder.find('\0') != std::string::npos) return std::nullopt;
  return folder;
}

ResultCode writeFolderFile(const std::filesystem::path& dataFile, std::string_view folder) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(folder.data());
  return writeFileAtomically(folderFileFor(dataFile), std::span(data, folder.size()));
}

bool removeFolderFile(const std::filesystem::path& dataFile) {
  return removeFile(folderFileFor(dataFile));
}

ResultCode keepFolderBefore(const std::filesystem::path& dataFile, const VolumeHeader& header) {
  if (!VolumeRoot(header.driveLetter).isFolder() || header.folder.empty()) return ResultCode::Ok;
  const FolderLock lock(dataFile.parent_path(), FolderLock::Mode::Exclusive);
  return writeFolderFile(dataFile, header.folder);
}

void keepFolderAfter(const std::filesystem::path& dataFile, const VolumeHeader& header) {
  if (VolumeRoot(header.driveLetter).isFolder()) return;
  const FolderLock lock(dataFile.parent_path(), FolderLock::Mode::Exclusive);
  removeFolderFile(dataFile);
}

}  // namespace diskindex
