#include "diskindex/core/dir_tree_index.h"

#include <gtest/gtest.h>

namespace diskindex {
namespace {

// \ (0) -> TOOLS (1) -> BIN (2) -> X (3); TOOLS -> LIB (4); DOCS (5).
TOutlineDirList sampleTree() {
  TOutlineDirList list;
  list.addDirectory(0, "\\");
  list.addDirectory(1, "TOOLS");
  list.addDirectory(2, "BIN");
  list.addDirectory(3, "X");
  list.addDirectory(2, "LIB");
  list.addDirectory(1, "DOCS");
  return list;
}

TEST(DirTreeIndex, ParentsAndChildrenFollowTheLevels) {
  const TOutlineDirList list = sampleTree();
  const DirTreeIndex index(list);
  EXPECT_EQ(index.parent(0), DirTreeIndex::kNone);
  EXPECT_EQ(index.parent(1), 0u);
  EXPECT_EQ(index.parent(3), 2u);
  EXPECT_EQ(index.parent(4), 1u);
  EXPECT_EQ(index.parent(5), 0u);
  const auto rootChildren = index.children(0);
  EXPECT_EQ(std::vector<std::uint32_t>(rootChildren.begin(), rootChildren.end()),
            (std::vector<std::uint32_t>{1, 5}));
  EXPECT_EQ(index.row(4), 1u);
  EXPECT_EQ(index.row(5), 1u);
  EXPECT_TRUE(index.children(3).empty());
}

TEST(DirTreeIndex, FullPathsEndDirectoriesWithBackslash) {
  const TOutlineDirList list = sampleTree();
  const DirTreeIndex index(list);
  EXPECT_EQ(fullPath(list, index, 0, 'E'), "E:\\");
  EXPECT_EQ(fullPath(list, index, 3, 'E'), "E:\\TOOLS\\BIN\\X\\");
  EXPECT_EQ(fullPath(list, index, 4, 'D', "A.EXE"), "D:\\TOOLS\\LIB\\A.EXE");
}

}  // namespace
}  // namespace diskindex
