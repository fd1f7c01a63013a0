#include "diskindex/core/scan/remark_carry.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>

#include "diskindex/core/scan/rescan_messages.h"
#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

// Lookups into one tree by stored names. Directory keys join the names from
// the root with NUL, which no name holds, so that a name with a "\" in it
// (Linux allows one) cannot pose as a deeper path; the root's key is empty.
// Directories are indexed at once; the files of a directory, and everything
// folded to lower case, only when a lookup first needs them, since a rescan
// usually asks for few directories and hardly ever for a case-only match.
class TreeIndex {
 public:
  explicit TreeIndex(const TOutlineDirList& tree) : m_tree(tree) {
    m_keys.reserve(tree.directoryCount());
    for (std::size_t d = 0; d < tree.directoryCount(); ++d) {
      const std::size_t parent = tree.parent(d);
      m_keys.push_back(parent == TOutlineDirList::npos
                           ? std::string()
                           : m_keys[parent] + '\0' + std::string(tree.directoryName(d)));
      m_dirs.emplace(m_keys.back(), d);
    }
  }

  std::size_t directoryCount() const { return m_keys.size(); }
  std::size_t fileCount(std::size_t d) const { return m_tree.files(d).size(); }
  const std::string& key(std::size_t d) const { return m_keys[d]; }
  std::string_view fileName(std::size_t d, std::int32_t f) const {
    return m_tree.name(m_tree.files(d)[static_cast<std::size_t>(f)]);
  }

  std::optional<std::size_t> directory(const std::string& key) const {
    const auto hit = m_dirs.find(key);
    return hit == m_dirs.end() ? std::nullopt : std::optional(hit->second);
  }
  std::optional<std::int32_t> file(std::size_t d, std::string_view name) {
    auto& names = m_files[d];
    if (names.empty()) {
      std::int32_t f = 0;
      for (const FileItem& item : m_tree.files(d)) names.emplace(m_tree.name(item), f++);
    }
    const auto hit = names.find(name);
    return hit == names.end() ? std::nullopt : std::optional(hit->second);
  }
  const std::vector<std::size_t>& foldedDirectories(const std::string& foldedKey) {
    if (m_foldedDirs.empty()) {
      for (std::size_t d = 0; d < m_keys.size(); ++d) {
        m_foldedDirs[platform::toLowerUtf8(m_keys[d])].push_back(d);
      }
    }
    return m_foldedDirs[foldedKey];
  }
  const std::vector<std::int32_t>& foldedFiles(std::size_t d, const std::string& foldedName) {
    auto& names = m_foldedFiles[d];
    if (names.empty()) {
      std::int32_t f = 0;
      for (const FileItem& item : m_tree.files(d)) {
        names[platform::toLowerUtf8(m_tree.name(item))].push_back(f++);
      }
    }
    return names[foldedName];
  }

 private:
  const TOutlineDirList& m_tree;
  std::vector<std::string> m_keys;
  std::unordered_map<std::string, std::size_t> m_dirs;
  std::unordered_map<std::size_t, std::unordered_map<std::string_view, std::int32_t>> m_files;
  std::unordered_map<std::string, std::vector<std::size_t>> m_foldedDirs;
  std::unordered_map<std::size_t, std::unordered_map<std::string, std::vector<std::int32_t>>>
      m_foldedFiles;
};

// "\TOOLS\ALT.EXE" (file) or "\TOOLS\" (directory: empty name) from a
// directory key.
std::string displayPath(const std::string& dirKey, std::string_view fileName) {
  std::string path;
  for (char c : dirKey) path += c == '\0' ? '\\' : c;
  path += '\\';
  path += fileName;
  return path;
}

// The entries of a tree whose path folds to the folded directory key and,
// for a file (isFile), the folded name.
std::vector<TDirFileNo> foldedMatches(TreeIndex& index, const std::string& foldedKey, bool isFile,
                                      const std::string& foldedName) {
  std::vector<TDirFileNo> matches;
  for (std::size_t d : index.foldedDirectories(foldedKey)) {
    const auto dirNo = static_cast<std::int32_t>(d + 1);
    if (!isFile) {
      matches.push_back({dirNo, -1});
      continue;
    }
    for (std::int32_t f : index.foldedFiles(d, foldedName)) matches.push_back({dirNo, f});
  }
  return matches;
}

class Carrier {
 public:
  Carrier(const TOutlineDirList& oldTree, const TOutlineDirList& newTree)
      : m_old(oldTree), m_new(newTree) {}

  const TreeIndex& oldTree() const { return m_old; }

  // The new key of an old directory (isFile false) or of its file name, if
  // it still exists (exactly, or by the unique case-only rule).
  std::optional<TDirFileNo> find(std::size_t oldDir, bool isFile, std::string_view name) {
    const std::string& key = m_old.key(oldDir);
    if (const auto d = m_new.directory(key)) {
      const auto dirNo = static_cast<std::int32_t>(*d + 1);
      if (!isFile) return TDirFileNo{dirNo, -1};
      if (const auto f = m_new.file(*d, name)) return TDirFileNo{dirNo, *f};
    }
    const std::string foldedKey = platform::toLowerUtf8(key);
    const std::string foldedName = isFile ? platform::toLowerUtf8(name) : std::string();
    const std::vector<TDirFileNo> fresh = foldedMatches(m_new, foldedKey, isFile, foldedName);
    if (fresh.size() != 1 || foldedMatches(m_old, foldedKey, isFile, foldedName).size() != 1) {
      return std::nullopt;
    }
    if (existedBefore(fresh[0])) return std::nullopt;
    return fresh[0];
  }

 private:
  // Whether the new entry's exact path was in the old tree already.
  bool existedBefore(TDirFileNo newKey) {
    const auto d = static_cast<std::size_t>(newKey.dirNo - 1);
    const auto oldDir = m_old.directory(m_new.key(d));
    if (!oldDir || newKey.fileNo < 0) return oldDir.has_value();
    return m_old.file(*oldDir, m_new.fileName(d, newKey.fileNo)).has_value();
  }

  TreeIndex m_old;
  TreeIndex m_new;
};

}  // namespace

CarriedRemarks carryRemarks(const TOutlineDirList& oldTree, const TFileCommentList& oldRemarks,
                            const TOutlineDirList& newTree) {
  Carrier carrier(oldTree, newTree);
  const TreeIndex& names = carrier.oldTree();
  CarriedRemarks result;
  for (const Remark& remark : oldRemarks.records()) {
    const TDirFileNo key = remark.key;
    const bool known =
        key.dirNo >= 1 && static_cast<std::size_t>(key.dirNo) <= names.directoryCount() &&
        key.fileNo >= -1 &&
        (key.fileNo < 0 || static_cast<std::size_t>(key.fileNo) <
                               names.fileCount(static_cast<std::size_t>(key.dirNo - 1)));
    if (!known) {  // a damaged comment file: nothing to carry it to, but kept
      result.orphans.push_back({messages::unknownEntry(key.dirNo, key.fileNo), remark.text});
      continue;
    }
    const auto dir = static_cast<std::size_t>(key.dirNo - 1);
    const bool isFile = key.fileNo >= 0;
    const std::string_view name = isFile ? names.fileName(dir, key.fileNo) : std::string_view();
    if (const auto fresh = carrier.find(dir, isFile, name)) {
      result.remarks.set(*fresh, remark.text);
    } else {
      result.orphans.push_back({displayPath(names.key(dir), name), remark.text});
    }
  }
  result.remarks.setModified(true);
  return result;
}

std::size_t fillEmptyRemarks(TFileCommentList& remarks, const TFileCommentList& descriptions) {
  std::size_t added = 0;
  for (const Remark& description : descriptions.records()) {
    if (remarks.find(description.key)) continue;
    remarks.set(description.key, description.text);
    ++added;
  }
  return added;
}

}  // namespace diskindex::scan
