#include "diskindex/core/scan/remark_carry.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "diskindex/core/scan/rescan_messages.h"
#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

// Keys join the stored names with NUL, which no name holds, so that a name
// with a "\" in it (Linux allows one) cannot pose as a deeper path. The first
// character tells directories ('D') from files ('F'): a file that replaced a
// directory of the same name is another entry.
class TreePaths {
 public:
  explicit TreePaths(const TOutlineDirList& tree) : m_tree(tree) {
    m_dirs.reserve(tree.directoryCount());
    for (std::size_t d = 0; d < tree.directoryCount(); ++d) {
      const std::size_t parent = tree.parent(d);
      m_dirs.push_back(parent == TOutlineDirList::npos
                           ? std::string()
                           : m_dirs[parent] + '\0' + std::string(tree.directoryName(d)));
    }
  }

  // Calls f(kindedKey, remarkKey) for every directory and file.
  template <typename F>
  void forEach(F&& f) const {
    for (std::size_t d = 0; d < m_dirs.size(); ++d) {
      const auto dirNo = static_cast<std::int32_t>(d + 1);
      f('D' + m_dirs[d], TDirFileNo{dirNo, -1});
      std::int32_t fileNo = 0;
      for (const FileItem& file : m_tree.files(d)) {
        f(fileKey(d, m_tree.name(file)), TDirFileNo{dirNo, fileNo++});
      }
    }
  }

  // The kinded key of a remark key, empty when the key names no entry.
  std::string keyOf(TDirFileNo key) const {
    if (key.dirNo < 1 || static_cast<std::size_t>(key.dirNo) > m_dirs.size()) return {};
    const auto d = static_cast<std::size_t>(key.dirNo - 1);
    if (key.fileNo < 0) return key.fileNo == -1 ? 'D' + m_dirs[d] : std::string();
    const auto files = m_tree.files(d);
    if (static_cast<std::size_t>(key.fileNo) >= files.size()) return {};
    return fileKey(d, m_tree.name(files[static_cast<std::size_t>(key.fileNo)]));
  }

 private:
  std::string fileKey(std::size_t d, std::string_view name) const {
    return 'F' + m_dirs[d] + '\0' + std::string(name);
  }

  const TOutlineDirList& m_tree;
  std::vector<std::string> m_dirs;  // NUL-joined names from the root ("" for the root)
};

// "\TOOLS\ALT.EXE" or "\TOOLS\" from a kinded key.
std::string displayPath(const std::string& kindedKey) {
  std::string path;
  for (std::size_t i = 1; i < kindedKey.size(); ++i) {
    path += kindedKey[i] == '\0' ? '\\' : kindedKey[i];
  }
  if (kindedKey[0] == 'D') path += '\\';
  return path.empty() ? std::string("\\") : path;
}

struct FoldedEntry {
  int count = 0;
  TDirFileNo key;     // of the last entry seen with this folded key
  std::string exact;  // its kinded key
};

struct NewIndex {
  std::unordered_map<std::string, TDirFileNo> exact;
  std::unordered_map<std::string, FoldedEntry> folded;
};

NewIndex indexNewTree(const TreePaths& paths) {
  NewIndex index;
  paths.forEach([&](const std::string& key, TDirFileNo remarkKey) {
    index.exact.emplace(key, remarkKey);
    FoldedEntry& entry = index.folded[platform::toLowerUtf8(key)];
    ++entry.count;
    entry.key = remarkKey;
    entry.exact = key;
  });
  return index;
}

}  // namespace

CarriedRemarks carryRemarks(const TOutlineDirList& oldTree, const TFileCommentList& oldRemarks,
                            const TOutlineDirList& newTree) {
  const TreePaths oldPaths(oldTree);
  const TreePaths newPaths(newTree);
  const NewIndex fresh = indexNewTree(newPaths);
  std::unordered_set<std::string> oldExact;
  std::unordered_map<std::string, int> oldFolded;
  oldPaths.forEach([&](const std::string& key, TDirFileNo) {
    oldExact.insert(key);
    ++oldFolded[platform::toLowerUtf8(key)];
  });

  CarriedRemarks result;
  for (const Remark& remark : oldRemarks.records()) {
    const std::string key = oldPaths.keyOf(remark.key);
    if (key.empty()) {  // a damaged comment file: nothing to carry it to, but kept
      result.orphans.push_back(
          {messages::unknownEntry(remark.key.dirNo, remark.key.fileNo), remark.text});
      continue;
    }
    if (const auto hit = fresh.exact.find(key); hit != fresh.exact.end()) {
      result.remarks.set(hit->second, remark.text);
      continue;
    }
    const std::string folded = platform::toLowerUtf8(key);
    const auto candidate = fresh.folded.find(folded);
    if (candidate != fresh.folded.end() && candidate->second.count == 1 && oldFolded[folded] == 1 &&
        !oldExact.contains(candidate->second.exact)) {
      result.remarks.set(candidate->second.key, remark.text);
      continue;
    }
    result.orphans.push_back({displayPath(key), remark.text});
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
