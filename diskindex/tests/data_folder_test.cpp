#include "diskindex/core/data_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

TEST(DataFolder, TellsExistingMissingAndNonFolderPathsApart) {
  test::TempDir tmp;
  std::ofstream(tmp / "datei.txt") << "x";
  EXPECT_EQ(folderState(tmp.path()), FolderState::Exists);
  EXPECT_EQ(folderState(tmp / "neu" / "tiefer"), FolderState::Missing);
  EXPECT_EQ(folderState(tmp / "datei.txt"), FolderState::NotAFolder);
  // Below a file nothing can be created; the path is no folder either.
  EXPECT_EQ(folderState(tmp / "datei.txt" / "unter"), FolderState::NotAFolder);
}

TEST(DataFolder, CreatesMissingParentsAndReportsWhatCannotBeCreated) {
  test::TempDir tmp;
  std::ofstream(tmp / "datei.txt") << "x";
  EXPECT_TRUE(createFolder(tmp / "a" / "b"));
  EXPECT_EQ(folderState(tmp / "a" / "b"), FolderState::Exists);
  EXPECT_TRUE(createFolder(tmp / "a" / "b"));
  EXPECT_FALSE(createFolder(tmp / "datei.txt" / "unter"));
  EXPECT_FALSE(createFolder(tmp / "datei.txt"));
}

}  // namespace
}  // namespace diskindex
