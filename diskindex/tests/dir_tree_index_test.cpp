#include "diskindex/core/dir_tree_index.h"

#include <gtest/gtest.h>

#include "diskindex/tests/sample_dir_tree.h"

namespace diskindex {
namespace {

TEST(DirTreeIndex, ParentsAndChildrenFollowTheLevels) {
  const TOutlineDirList list = test::sampleDirTree();
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
  const TOutlineDirList list = test::sampleDirTree();
  const DirTreeIndex index(list);
  EXPECT_EQ(fullPath(list, index, 0, 'E'), "E:\\");
  EXPECT_EQ(fullPath(list, index, 3, 'E'), "E:\\TOOLS\\BIN\\X\\");
  EXPECT_EQ(fullPath(list, index, 4, 'D', "A.EXE"), "D:\\TOOLS\\LIB\\A.EXE");
}

}  // namespace
}  // namespace diskindex
