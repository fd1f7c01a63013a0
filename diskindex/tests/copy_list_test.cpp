#include "diskindex/core/files/copy_list.h"

#include <gtest/gtest.h>

#include "diskindex/core/files/volume_paths.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::files {
namespace {

using test::dir;
using test::file;

using Components = std::vector<std::string>;

// A volume with upper-case 8.3 names (shown as "Readme.txt") and a long name.
TOutlineDirList storedTree(const std::vector<EntryRecord>& entries) {
  test::TempDir tmp;
  test::writeVolume(tmp / "CD000001.DAT", test::sampleHeader("Vol"), entries);
  TOutlineDirList tree;
  VolumeHeader header;
  EXPECT_EQ(loadStoredNames(tmp / "CD000001.DAT", tree, header), ResultCode::Ok);
  return tree;
}

std::vector<EntryRecord> sampleEntries() {
  return {file(1, "README.TXT", 10),
          dir(1, "TOOLS"),
          file(2, "A.EXE", 300),
          dir(2, "BIN"),
          file(3, "B.COM", 40),
          dir(2, "Mixed Case", 0x80),
          dir(1, "DOCS"),
          file(2, "Notes.txt", 5, 0, 0x80)};
}

TEST(CopyList, TreeListTakesTheStoredNamesInPathLineOrder) {
  const TOutlineDirList tree = storedTree(sampleEntries());
  CopyList list;
  ASSERT_EQ(treeCopyList(tree, 1, list).code, ResultCode::Ok);  // TOOLS
  ASSERT_EQ(list.entries.size(), 5u);
  EXPECT_EQ(list.entries[0], (CopyEntry{{"TOOLS"}, true, 0}));
  EXPECT_EQ(list.entries[1], (CopyEntry{{"TOOLS", "A.EXE"}, false, 300}));
  EXPECT_EQ(list.entries[2], (CopyEntry{{"TOOLS", "BIN"}, true, 0}));
  EXPECT_EQ(list.entries[3], (CopyEntry{{"TOOLS", "BIN", "B.COM"}, false, 40}));
  EXPECT_EQ(list.entries[4], (CopyEntry{{"TOOLS", "Mixed Case"}, true, 0}));
  EXPECT_EQ(list.totalSize, 340u);
  EXPECT_EQ(sourceText('e', list.entries[3]), "E:\\TOOLS\\BIN\\B.COM");
  EXPECT_EQ(sourceText('e', list.entries[2]), "E:\\TOOLS\\BIN\\");
}

TEST(CopyList, WholeVolumeStartsWithTheRootAndFilesComeByKey) {
  const TOutlineDirList tree = storedTree(sampleEntries());
  CopyList list;
  ASSERT_EQ(treeCopyList(tree, 0, list).code, ResultCode::Ok);
  EXPECT_EQ(list.entries.size(), 9u);
  EXPECT_TRUE(list.entries[0].components.empty());
  EXPECT_EQ(sourceText('E', list.entries[0]), "E:\\");
  EXPECT_EQ(list.totalSize, 355u);

  // Directory keys, unknown directories and files out of range are skipped.
  const std::vector<TDirFileNo> keys{{2, 0}, {2, -1}, {9, 0}, {2, 5}, {1, 0}, {0, 0}};
  ASSERT_EQ(hitsCopyList(tree, keys, list).code, ResultCode::Ok);
  ASSERT_EQ(list.entries.size(), 2u);
  EXPECT_EQ(list.entries[0].components, (Components{"TOOLS", "A.EXE"}));
  EXPECT_EQ(list.entries[1].components, (Components{"README.TXT"}));
  EXPECT_EQ(list.totalSize, 310u);
}

TEST(CopyList, NamesThatLeaveTheirFolderRefuseTheWholeList) {
  for (const std::string& bad :
       std::vector<std::string>{"..", ".", "a/b", std::string("x\0y", 3), "/"}) {
    const TOutlineDirList tree =
        storedTree({file(1, "OK.TXT"), dir(1, bad), file(2, "EVIL.TXT"), dir(1, "FINE")});
    CopyList list;
    const CopyListResult whole = treeCopyList(tree, 0, list);
    EXPECT_EQ(whole.code, ResultCode::UnsafeName) << bad;
    EXPECT_EQ(whole.badName, bad);
    EXPECT_TRUE(list.empty());
    const std::vector<TDirFileNo> evil{{1, 0}, {2, 0}};
    EXPECT_EQ(hitsCopyList(tree, evil, list).code, ResultCode::UnsafeName) << bad;
    EXPECT_TRUE(list.empty());
    // The safe parts of the same volume still copy.
    const std::vector<TDirFileNo> fine{{1, 0}};
    EXPECT_EQ(hitsCopyList(tree, fine, list).code, ResultCode::Ok);
    EXPECT_EQ(list.entries.size(), 1u);
  }
  const TOutlineDirList dotFile = storedTree({file(1, "..")});
  CopyList list;
  EXPECT_EQ(treeCopyList(dotFile, 0, list).code, ResultCode::UnsafeName);
}

TEST(CopyList, HandMadeListsAreCheckedToo) {
  CopyList list;
  list.entries.push_back({{"A", ".."}, false, 1});
  EXPECT_EQ(checkNames(list).code, ResultCode::UnsafeName);
  list.entries = {{{}, false, 0}};  // a file without a name
  EXPECT_EQ(checkNames(list).code, ResultCode::UnsafeName);
  list.entries = {{{}, true, 0}, {{"..."}, false, 0}, {{"a\\b"}, false, 0}};
  EXPECT_EQ(checkNames(list).code, ResultCode::Ok);
}

TEST(VolumePaths, TypedPathsFindStoredNamesExactlyFirstThenWithoutCase) {
  const TOutlineDirList tree =
      storedTree({file(1, "README.TXT"), file(1, "readme.txt"), dir(1, "TOOLS"), dir(2, "BIN"),
                  file(3, "B.COM"), dir(1, "TOOLSX")});
  EXPECT_EQ(findDirectory(tree, ""), std::optional<std::size_t>(0));
  EXPECT_EQ(findDirectory(tree, "E:\\"), std::optional<std::size_t>(0));
  EXPECT_EQ(findDirectory(tree, "\\tools\\bin"), std::optional<std::size_t>(2));
  EXPECT_EQ(findDirectory(tree, "tools/bin/"), std::optional<std::size_t>(2));
  EXPECT_EQ(findDirectory(tree, "BIN"), std::nullopt);  // not below the root
  EXPECT_EQ(findFile(tree, "readme.txt"), (std::optional<TDirFileNo>({1, 1})));
  EXPECT_EQ(findFile(tree, "README.TXT"), (std::optional<TDirFileNo>({1, 0})));
  EXPECT_EQ(findFile(tree, "Readme.Txt"), (std::optional<TDirFileNo>({1, 0})));
  EXPECT_EQ(findFile(tree, "E:\\Tools\\Bin\\b.com"), (std::optional<TDirFileNo>({3, 0})));
  EXPECT_EQ(findFile(tree, "\\TOOLS"), std::nullopt);  // a directory is no file
  EXPECT_EQ(findFile(tree, ""), std::nullopt);
}

}  // namespace
}  // namespace diskindex::files
