#pragma once
// The parent and child links of an opened volume's directories, computed once
// from their levels in file order so that the tree view can answer "parent",
// "row" and "child n" in constant time even for volumes of a million
// entries. A directory's parent is the nearest earlier directory with a
// smaller level; its children are kept in file order. Also builds the full
// path forms the window copies to the clipboard. No Qt.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/volume_root.h"

namespace diskindex {

class DirTreeIndex {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  DirTreeIndex() = default;
  explicit DirTreeIndex(const TOutlineDirList& directories);

  std::size_t size() const { return m_parent.size(); }
  std::uint32_t parent(std::uint32_t dir) const { return m_parent[dir]; }
  // Position of dir among its parent's children (0 for the root).
  std::uint32_t row(std::uint32_t dir) const { return m_row[dir]; }
  std::span<const std::uint32_t> children(std::uint32_t dir) const;

 private:
  std::vector<std::uint32_t> m_parent;
  std::vector<std::uint32_t> m_row;
  std::vector<std::uint32_t> m_childStart;  // size() + 1 offsets into m_children
  std::vector<std::uint32_t> m_children;
};

// "E:\TOOLS\BIN\" for a directory (each name followed by "\"), "E:\" for the
// root; with a file name, that name is appended: "E:\TOOLS\A.EXE". A kept
// folder's paths use "/": "/home/anna/Fotos/TOOLS/A.EXE".
std::string fullPath(const TOutlineDirList& directories, const DirTreeIndex& index,
                     std::uint32_t dir, const VolumeRoot& root, std::string_view fileName = {});

}  // namespace diskindex
