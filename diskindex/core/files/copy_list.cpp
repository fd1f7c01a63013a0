#include "diskindex/core/files/copy_list.h"

#include <algorithm>
#include <cctype>

namespace diskindex::files {
namespace {

CopyListResult refuse(CopyList& list, std::string_view name) {
  list = CopyList{};
  return CopyListResult{ResultCode::UnsafeName, std::string(name)};
}

CopyListResult finish(CopyList& list) {
  CopyListResult result = checkNames(list);
  if (result.code != ResultCode::Ok) list = CopyList{};
  return result;
}

void addFile(const TOutlineDirList& stored, const std::vector<std::string>& dirPath,
             const FileItem& file, CopyList& list) {
  CopyEntry entry;
  entry.components = dirPath;
  entry.components.emplace_back(stored.name(file));
  entry.size = file.size;
  list.totalSize += file.size;
  list.entries.push_back(std::move(entry));
}

}  // namespace

bool isSafeName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

CopyListResult checkNames(const CopyList& list) {
  for (const CopyEntry& entry : list.entries) {
    for (const std::string& name : entry.components) {
      if (!isSafeName(name)) return CopyListResult{ResultCode::UnsafeName, name};
    }
    // Only the root may be a list entry without components, and only as a
    // directory.
    if (entry.components.empty() && !entry.directory) {
      return CopyListResult{ResultCode::UnsafeName, std::string()};
    }
  }
  return {};
}

std::vector<std::string> directoryComponents(const TOutlineDirList& stored, std::size_t dir) {
  std::vector<std::string> components;
  // The parent chain strictly lowers the level, so this ends within 256 steps.
  for (std::size_t d = dir; d != 0 && d != TOutlineDirList::npos; d = stored.parent(d)) {
    components.emplace_back(stored.directoryName(d));
  }
  std::reverse(components.begin(), components.end());
  return components;
}

CopyListResult treeCopyList(const TOutlineDirList& stored, std::size_t dir, CopyList& list) {
  list = CopyList{};
  if (dir >= stored.directoryCount()) return {};
  const std::uint8_t level = stored.level(dir);
  for (std::size_t d = dir; d < stored.directoryCount(); ++d) {
    if (d != dir && stored.level(d) <= level) break;
    CopyEntry entry;
    entry.components = directoryComponents(stored, d);
    entry.directory = true;
    for (const std::string& name : entry.components) {
      if (!isSafeName(name)) return refuse(list, name);
    }
    list.entries.push_back(entry);
    for (const FileItem& file : stored.files(d)) addFile(stored, entry.components, file, list);
  }
  return finish(list);
}

CopyListResult hitsCopyList(const TOutlineDirList& stored, std::span<const TDirFileNo> keys,
                            CopyList& list) {
  list = CopyList{};
  for (const TDirFileNo& key : keys) {
    if (key.fileNo < 0 || key.dirNo < 1) continue;
    const auto dir = static_cast<std::size_t>(key.dirNo - 1);
    if (dir >= stored.directoryCount()) continue;
    const auto files = stored.files(dir);
    const auto position = static_cast<std::size_t>(key.fileNo);
    if (position >= files.size()) continue;
    addFile(stored, directoryComponents(stored, dir), files[position], list);
  }
  return finish(list);
}

std::string sourceText(const VolumeRoot& root, const CopyEntry& entry) {
  const VolumeRoot shown = root.isFolder()
                               ? root
                               : VolumeRoot(static_cast<char>(
                                     std::toupper(static_cast<unsigned char>(root.letter()))));
  std::string stored;
  for (const std::string& name : entry.components) {
    stored += '\\';
    stored += name;
  }
  if (entry.directory && (entry.components.empty() || stored.back() != '\\')) stored += '\\';
  return shown.path(stored);
}

}  // namespace diskindex::files
