#include "diskindex/core/volume_root.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/export/tree_lines.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/files/copy_list.h"
#include "diskindex/core/files/volume_check.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
constexpr char kFolderKey = platform::DriveTable::kFolderKey;

// Bytes the catalogue's reads returned while countingRead is in the table.
std::size_t g_bytesRead = 0;
ssize_t countingRead(int fd, void* buffer, std::size_t size) {
  const ssize_t got = systemFileOps().read(fd, buffer, size);
  if (got > 0) g_bytesRead += static_cast<std::size_t>(got);
  return got;
}

TEST(VolumeRoot, ALetterStartsPathsWithItsColonAndBackslashes) {
  const VolumeRoot root('E');
  EXPECT_FALSE(root.isFolder());
  EXPECT_EQ(root.text(), "E:");
  EXPECT_EQ(root.path("\\"), "E:\\");
  EXPECT_EQ(root.path("\\Fotos\\a.jpg"), "E:\\Fotos\\a.jpg");
  EXPECT_EQ(root.separator(), '\\');
  // A letter never carries a folder, whatever it is given.
  EXPECT_TRUE(VolumeRoot('E', "/home/anna").folder().empty());
}

TEST(VolumeRoot, AKeptFolderStartsPathsWithItselfAndSlashes) {
  const VolumeRoot root(kFolderKey, "/home/anna/Fotos");
  EXPECT_TRUE(root.isFolder());
  EXPECT_EQ(root.text(), "/home/anna/Fotos");
  EXPECT_EQ(root.path("\\"), "/home/anna/Fotos/");
  EXPECT_EQ(root.path("\\2019\\a.jpg"), "/home/anna/Fotos/2019/a.jpg");
  EXPECT_EQ(root.separator(), '/');
  // A trailing separator is not doubled, and the file system root stays "/".
  EXPECT_EQ(VolumeRoot(kFolderKey, "/srv/").path("\\x"), "/srv/x");
  EXPECT_EQ(VolumeRoot(kFolderKey, "/").path("\\x"), "/x");
  EXPECT_EQ(VolumeRoot(kFolderKey, "/").path("\\"), "/");
  // A folder that was lost shows as "?" and leads nowhere.
  const VolumeRoot lost(kFolderKey, "");
  EXPECT_EQ(lost.text(), "?");
  const platform::DriveTable drives = scan::testing::fakeDriveTable({});
  EXPECT_FALSE(lost.resolve(drives));
  EXPECT_EQ(VolumeRoot(kFolderKey, "/srv/x").resolve(drives), fs::path("/srv/x"));
}

TEST(VolumeRoot, TheLentFolderIsReadableButNeverListedAsALetter) {
  test::TempDir tmp;
  fs::create_directories(tmp / "Fotos");
  const platform::DriveTable drives = scan::testing::fakeDriveTable(
      {{'E', scan::testing::FakeDrive{tmp / "disc", "iso9660", "DISC"}}});
  const platform::DriveTable lent = VolumeRoot(kFolderKey, (tmp / "Fotos").string()).lentTo(drives);
  ASSERT_TRUE(lent.root(kFolderKey));
  EXPECT_EQ(fs::path(*lent.root(kFolderKey)), fs::path((tmp / "Fotos").string() + "/"));
  EXPECT_EQ(lent.letters(), drives.letters());
  EXPECT_FALSE(lent.letterOf(tmp / "Fotos" / "a.jpg").has_value() &&
               *lent.letterOf(tmp / "Fotos" / "a.jpg") == kFolderKey);
  EXPECT_FALSE(VolumeRoot('E').lentTo(drives).exists(kFolderKey));
}

TEST(VolumeRoot, TreeLinesAndMessagesNameTheKeptFolder) {
  TOutlineDirList dirs;
  dirs.addDirectory(0, "\\");
  dirs.addDirectory(1, "2019");
  dirs.addFile("a.jpg", 10, 0, 0);
  const VolumeRoot root(kFolderKey, "/home/anna/Fotos");
  exporting::TreeLineOptions tree;
  EXPECT_EQ(exporting::treeLines(dirs, 0, root, tree),
            (std::vector<std::string>{"/home/anna/Fotos/", "\t2019", "\t\ta.jpg"}));
  exporting::TreeLineOptions paths;
  paths.paths = true;
  EXPECT_EQ(exporting::treeLines(dirs, 0, root, paths),
            (std::vector<std::string>{"/home/anna/Fotos/", "/home/anna/Fotos/2019/",
                                      "/home/anna/Fotos/2019/a.jpg"}));
  files::CopyEntry entry;
  entry.components = {"2019", "a.jpg"};
  EXPECT_EQ(files::sourceText(root, entry), "/home/anna/Fotos/2019/a.jpg");
  EXPECT_EQ(files::sourceText('e', entry), "E:\\2019\\a.jpg");
  EXPECT_EQ(files::driveUnreadableMessage(root),
            "Auf den Ordner /home/anna/Fotos kann nicht\r\nzugegriffen werden!");
}

// The .ORD file is read only when it holds one absolute path: anything else
// (damaged, cut, random bytes, a huge file) means the folder is lost, and the
// volume is still listed.
TEST(VolumeRoot, OnlyAWholeAbsolutePathIsReadAsTheKeptFolder) {
  test::TempDir tmp;
  const fs::path data = tmp / "CD000007.DAT";
  EXPECT_EQ(folderFileFor(data), tmp / "CD000007.ORD");
  EXPECT_EQ(folderFileFor(tmp / "cd000007.dat"), tmp / "cd000007.ord");
  EXPECT_FALSE(readFolderFile(data)) << "no file";
  ASSERT_EQ(writeFolderFile(data, "/home/anna/Fotos 2019"), ResultCode::Ok);
  EXPECT_EQ(readFolderFile(data), "/home/anna/Fotos 2019");
  const auto bad = [&](const std::vector<std::uint8_t>& bytes) {
    test::writeAll(folderFileFor(data), bytes);
    return !readFolderFile(data).has_value();
  };
  EXPECT_TRUE(bad({}));
  EXPECT_TRUE(bad({'r', 'e', 'l', '/', 'x'}));
  EXPECT_TRUE(bad({'/', 'a', 0, 'b'}));
  EXPECT_TRUE(bad(std::vector<std::uint8_t>(5000, '/')));
  EXPECT_TRUE(removeFolderFile(data));
  EXPECT_FALSE(fs::exists(folderFileFor(data)));
  EXPECT_TRUE(removeFolderFile(data)) << "none left counts as removed";
}

// A folder's name may hold any byte but NUL and "/", line breaks and tabs
// too: the folder is read back as it was kept, or the volume would show "?"
// right after it was added.
TEST(VolumeRoot, AKeptFolderReadsBackWhateverItsNameHolds) {
  test::TempDir tmp;
  const fs::path data = tmp / "CD000007.DAT";
  for (const std::string folder : {"/srv/Fotos\n2019", "/srv/a\r\nb", "/srv/Tab\tOrdner",
                                   "/srv/Ümlaut ß"}) {
    ASSERT_EQ(writeFolderFile(data, folder), ResultCode::Ok);
    EXPECT_EQ(readFolderFile(data), folder);
  }
}

// The .ORD file is read at every list load: one that is huge, endless or
// not a file at all must neither be read whole nor stop the loading.
TEST(VolumeRoot, AHugeEndlessOrSpecialFolderFileIsNotReadWhole) {
  test::TempDir tmp;
  const fs::path data = tmp / "CD000007.DAT";
  const fs::path folderFile = folderFileFor(data);
  test::writeAll(folderFile, std::vector<std::uint8_t>(std::size_t{1} << 20, '/'));
  FileOps counting = systemFileOps();
  counting.read = countingRead;
  g_bytesRead = 0;
  {
    const ScopedFileOps scoped(counting);
    EXPECT_FALSE(readFolderFile(data));
  }
  EXPECT_LT(g_bytesRead, std::size_t{64} << 10) << "read no further than a path can reach";

  fs::remove(folderFile);
  fs::create_symlink("/dev/zero", folderFile);
  EXPECT_FALSE(readFolderFile(data)) << "a device";
  fs::remove(folderFile);
  ASSERT_EQ(::mkfifo(folderFile.c_str(), 0600), 0);
  EXPECT_FALSE(readFolderFile(data)) << "a pipe without a writer (opening it would wait)";
  fs::remove(folderFile);
  fs::create_directory(folderFile);
  EXPECT_FALSE(readFolderFile(data)) << "a directory";
}

}  // namespace
}  // namespace diskindex
