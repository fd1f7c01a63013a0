#include "diskindex/core/dir_tree_index.h"

namespace diskindex {

DirTreeIndex::DirTreeIndex(const TOutlineDirList& directories) {
  const std::size_t count = directories.directoryCount();
  m_parent.assign(count, kNone);
  m_row.assign(count, 0);
  std::vector<std::uint32_t> childCount(count, 0);
  // The chain of open ancestors: stack[k] is the latest directory seen whose
  // level is below every later one on the stack.
  std::vector<std::uint32_t> stack;
  for (std::uint32_t dir = 0; dir < count; ++dir) {
    const std::uint8_t level = directories.level(dir);
    while (!stack.empty() && directories.level(stack.back()) >= level) stack.pop_back();
    if (!stack.empty()) {
      m_parent[dir] = stack.back();
      m_row[dir] = childCount[stack.back()]++;
    }
    stack.push_back(dir);
  }
  m_childStart.assign(count + 1, 0);
  for (std::size_t dir = 0; dir < count; ++dir) {
    m_childStart[dir + 1] = m_childStart[dir] + childCount[dir];
  }
  m_children.assign(m_childStart[count], 0);
  for (std::uint32_t dir = 0; dir < count; ++dir) {
    if (m_parent[dir] != kNone) m_children[m_childStart[m_parent[dir]] + m_row[dir]] = dir;
  }
}

std::span<const std::uint32_t> DirTreeIndex::children(std::uint32_t dir) const {
  return std::span<const std::uint32_t>(m_children)
      .subspan(m_childStart[dir], m_childStart[dir + 1] - m_childStart[dir]);
}

std::string fullPath(const TOutlineDirList& directories, const DirTreeIndex& index,
                     std::uint32_t dir, const VolumeRoot& root, std::string_view fileName) {
  std::vector<std::uint32_t> chain;
  for (std::uint32_t d = dir; d != DirTreeIndex::kNone && index.parent(d) != DirTreeIndex::kNone;
       d = index.parent(d)) {
    chain.push_back(d);
  }
  std::string path = root.path("\\");
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    path += directories.directoryName(*it);
    path += root.separator();
  }
  path += fileName;
  return path;
}

}  // namespace diskindex
