#include "diskindex/core/export/tree_lines.h"

#include <gtest/gtest.h>

namespace diskindex::exporting {
namespace {

using Lines = std::vector<std::string>;

// \ (README.TXT) -> TOOLS (A.EXE, B.EXE) -> BIN (C.COM); TOOLS -> LEER;
// DOCS (D.TXT). Names as the list holds them after the display case.
TOutlineDirList sampleTree() {
  TOutlineDirList list;
  list.addDirectory(0, "\\");
  list.addFile("Readme.txt", 10, 0, 0);
  list.addDirectory(1, "Tools");
  list.addFile("A.exe", 1, 0, 0);
  list.addFile("B.exe", 2, 0, 0);
  list.addDirectory(2, "Bin");
  list.addFile("C.com", 3, 0, 0);
  list.addDirectory(2, "Leer");
  list.addDirectory(1, "Docs");
  list.addFile("D.txt", 4, 0, 0);
  return list;
}

TreeLineOptions form(bool paths, TreeContent content) {
  return TreeLineOptions{paths, content};
}

TEST(TreeLines, SubtreeInTreeFormStartsWithoutIndentation) {
  EXPECT_EQ(treeLines(sampleTree(), 1, 'E', form(false, TreeContent::DirectoriesAndFiles)),
            (Lines{"Tools", "\tA.exe", "\tB.exe", "\tBin", "\t\tC.com", "\tLeer"}));
}

TEST(TreeLines, WholeVolumeInTreeFormStartsWithTheDriveRoot) {
  EXPECT_EQ(treeLines(sampleTree(), 0, 'E', form(false, TreeContent::DirectoriesAndFiles)),
            (Lines{"E:\\", "\tReadme.txt", "\tTools", "\t\tA.exe", "\t\tB.exe", "\t\tBin",
                   "\t\t\tC.com", "\t\tLeer", "\tDocs", "\t\tD.txt"}));
  EXPECT_EQ(treeLines(sampleTree(), 0, 'E', form(false, TreeContent::DirectoriesOnly)),
            (Lines{"E:\\", "\tTools", "\t\tBin", "\t\tLeer", "\tDocs"}));
  EXPECT_EQ(treeLines(sampleTree(), 1, 'E', form(false, TreeContent::FilesOnly)),
            (Lines{"\tA.exe", "\tB.exe", "\t\tC.com"}))
      << "files keep the indentation their directory's line would give them";
}

TEST(TreeLines, PathFormEndsDirectoriesWithBackslashOnlyWhenFilesFollow) {
  EXPECT_EQ(treeLines(sampleTree(), 0, 'E', form(true, TreeContent::DirectoriesAndFiles)),
            (Lines{"E:\\", "E:\\Readme.txt", "E:\\Tools\\", "E:\\Tools\\A.exe", "E:\\Tools\\B.exe",
                   "E:\\Tools\\Bin\\", "E:\\Tools\\Bin\\C.com", "E:\\Tools\\Leer\\", "E:\\Docs\\",
                   "E:\\Docs\\D.txt"}));
  EXPECT_EQ(treeLines(sampleTree(), 0, 'F', form(true, TreeContent::DirectoriesOnly)),
            (Lines{"F:", "F:\\Tools", "F:\\Tools\\Bin", "F:\\Tools\\Leer", "F:\\Docs"}));
  EXPECT_EQ(treeLines(sampleTree(), 1, 'E', form(true, TreeContent::FilesOnly)),
            (Lines{"E:\\Tools\\A.exe", "E:\\Tools\\B.exe", "E:\\Tools\\Bin\\C.com"}));
}

TEST(TreeLines, SubtreeEndsAtTheNextDirectoryOfTheSameOrALowerLevel) {
  const TOutlineDirList tree = sampleTree();
  EXPECT_EQ(subtreeEnd(tree, 0), 5u);
  EXPECT_EQ(subtreeEnd(tree, 1), 4u);
  EXPECT_EQ(subtreeEnd(tree, 2), 3u);
  EXPECT_EQ(subtreeEnd(tree, 4), 5u);
  EXPECT_EQ(treeLines(tree, 3, 'E', form(false, TreeContent::DirectoriesAndFiles)), Lines{"Leer"});
  EXPECT_TRUE(treeLines(tree, 9, 'E', form(false, TreeContent::DirectoriesAndFiles)).empty());
  EXPECT_TRUE(treeLines(TOutlineDirList(), 0, 'E', form(true, TreeContent::FilesOnly)).empty());
}

TEST(TreeLines, DirectoryPathsAreFoundWithEitherSeparatorAndAnyCase) {
  const TOutlineDirList tree = sampleTree();
  EXPECT_EQ(findDirectory(tree, ""), 0u);
  EXPECT_EQ(findDirectory(tree, "\\"), 0u);
  EXPECT_EQ(findDirectory(tree, "TOOLS"), 1u);
  EXPECT_EQ(findDirectory(tree, "\\tools\\BIN"), 2u);
  EXPECT_EQ(findDirectory(tree, "/Tools/leer/"), 3u);
  EXPECT_EQ(findDirectory(tree, "docs"), 4u);
  EXPECT_FALSE(findDirectory(tree, "bin").has_value()) << "BIN lies below TOOLS, not the root";
  EXPECT_FALSE(findDirectory(tree, "docs/bin").has_value());
  EXPECT_FALSE(findDirectory(tree, "tools/bin/x").has_value());
  EXPECT_FALSE(findDirectory(TOutlineDirList(), "").has_value());
}

}  // namespace
}  // namespace diskindex::exporting
