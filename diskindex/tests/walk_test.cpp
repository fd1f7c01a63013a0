#include "diskindex/core/scan/walk.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "diskindex/tests/temp_tree.h"

namespace diskindex::scan {
namespace {

using testing::holdsForOrdinaryUser;
using testing::TempTree;

struct CountingObserver : ScanObserver {
  std::vector<int> found;
  int polls = 0;
  int cancelAtPoll = -1;
  void directoryFound(int total) override { found.push_back(total); }
  bool cancelRequested() override { return ++polls == cancelAtPoll; }
};

WalkResult walk(const std::filesystem::path& root, WalkStatus* status = nullptr) {
  WalkResult result;
  CountingObserver observer;
  const WalkStatus s = walkTree(root, result, observer);
  if (status) *status = s;
  return result;
}

// "level name" per entry, directories marked with a trailing "\".
std::vector<std::string> outline(const WalkResult& r) {
  std::vector<std::string> lines;
  for (const WalkEntry& e : r.entries) {
    lines.push_back(std::to_string(e.level) + " " + e.name + (e.isDirectory() ? "\\" : ""));
  }
  return lines;
}

const WalkEntry* find(const WalkResult& r, const std::string& name) {
  for (const WalkEntry& e : r.entries) {
    if (e.name == name) return &e;
  }
  return nullptr;
}

TEST(Walk, ListsFilesFirstThenEachSubdirectoryWithItsSubtreeInCaseInsensitiveOrder) {
  TempTree t;
  t.file("zeta.txt", "1");
  t.file("Alpha.txt", "22");
  t.file("tools/b.exe");
  t.file("tools/A.EXE");
  t.file("tools/deep/x.dat");
  t.file("Docs/readme.txt");
  t.file("c.txt");
  CountingObserver observer;
  WalkResult r;
  ASSERT_EQ(walkTree(t.root(), r, observer), WalkStatus::Completed);
  const std::vector<std::string> expected = {"1 Alpha.txt",  "1 c.txt",   "1 zeta.txt", "1 Docs\\",
                                             "2 readme.txt", "1 tools\\", "2 A.EXE",    "2 b.exe",
                                             "2 deep\\",     "3 x.dat"};
  EXPECT_EQ(outline(r), expected);
  EXPECT_EQ(r.directoryCount, 3);
  EXPECT_EQ(r.fileCount, 7);
  EXPECT_EQ(observer.found, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(find(r, "Alpha.txt")->size, 2u);
}

TEST(Walk, RootWithFilesOnlyHasNoDirectories) {
  TempTree t;
  t.file("A.TXT");
  t.file("B.TXT");
  const WalkResult r = walk(t.root());
  EXPECT_EQ(r.directoryCount, 0);
  EXPECT_EQ(r.fileCount, 2);
}

TEST(Walk, SkipsHiddenDirectoriesWithTheirContentsButKeepsHiddenFiles) {
  TempTree t;
  t.file(".hidden/inner/secret.txt");
  t.file(".profile", "x");
  t.file("visible/.config");
  const WalkResult r = walk(t.root());
  EXPECT_EQ(outline(r), (std::vector<std::string>{"1 .profile", "1 visible\\", "2 .config"}));
  EXPECT_EQ(find(r, ".profile")->attributes & (kAttrHidden | kAttrArchive),
            kAttrHidden | kAttrArchive);
  EXPECT_EQ(find(r, "visible")->attributes & kAttrHidden, 0);
}

TEST(Walk, NamesThatAreNotShortUpperCaseNamesCarryTheLongNameFlag) {
  EXPECT_TRUE(isShortUpperName("README.TXT"));
  EXPECT_TRUE(isShortUpperName("A"));
  EXPECT_TRUE(isShortUpperName("FILE_ID.DIZ"));
  EXPECT_TRUE(isShortUpperName("12345678.ABC"));
  EXPECT_TRUE(isShortUpperName("$~{A}.!#"));
  EXPECT_FALSE(isShortUpperName("readme.txt"));
  EXPECT_FALSE(isShortUpperName("README.TXTX"));
  EXPECT_FALSE(isShortUpperName("ABCDEFGHI.TXT"));
  EXPECT_FALSE(isShortUpperName("A.B.C"));
  EXPECT_FALSE(isShortUpperName("README."));
  EXPECT_FALSE(isShortUpperName(".PROFILE"));
  EXPECT_FALSE(isShortUpperName("MY FILE"));
  EXPECT_FALSE(isShortUpperName("\xC3\x84RGER.TXT"));
  EXPECT_FALSE(isShortUpperName(""));

  TempTree t;
  t.file("README.TXT");
  t.file("My Pictures.jpg");
  const WalkResult r = walk(t.root());
  EXPECT_EQ(find(r, "README.TXT")->attributes & kAttrLongName, 0);
  EXPECT_NE(find(r, "My Pictures.jpg")->attributes & kAttrLongName, 0);
}

TEST(Walk, AttributesFollowPermissionsAndFileKinds) {
  TempTree t;
  chmod(t.file("ro.txt").c_str(), 0444);
  t.file("rw.txt");
  t.dir("sub");
  mkfifo((t.root() / "pipe").c_str(), 0644);
  const WalkResult r = walk(t.root());
  EXPECT_EQ(find(r, "ro.txt")->attributes & ~kAttrLongName, kAttrReadOnly | kAttrArchive);
  EXPECT_EQ(find(r, "rw.txt")->attributes & ~kAttrLongName, kAttrArchive);
  EXPECT_EQ(find(r, "sub")->attributes & ~kAttrLongName, kAttrDirectory);
  ASSERT_NE(find(r, "pipe"), nullptr);
  EXPECT_EQ(find(r, "pipe")->attributes & (kAttrArchive | kAttrDirectory | kAttrSystem), 0);
}

TEST(Walk, LastWriteTimeIsPackedAsLocalDosDateTime) {
  TempTree t;
  t.file("A.TXT");
  std::tm local{};
  local.tm_year = 2001 - 1900;
  local.tm_mon = 1;
  local.tm_mday = 3;
  local.tm_hour = 4;
  local.tm_min = 5;
  local.tm_sec = 7;
  local.tm_isdst = -1;
  t.setTime("A.TXT", std::mktime(&local));
  const WalkResult r = walk(t.root());
  const std::uint32_t expectedDate = ((2001 - 1980) << 9) | (2 << 5) | 3;
  const std::uint32_t expectedTime = (4 << 11) | (5 << 5) | 3;
  EXPECT_EQ(r.entries.at(0).dosDateTime, (expectedDate << 16) | expectedTime);
}

TEST(Walk, ListsLinksToFilesAsFilesAndLinksToDirectoriesAsEmptyDirectories) {
  TempTree t;
  t.file("target.bin", "12345");
  t.file("dir/inside.txt");
  symlink("target.bin", (t.root() / "link.bin").c_str());
  symlink("dir", (t.root() / "dirlink").c_str());
  symlink("missing", (t.root() / "dangling").c_str());
  CountingObserver observer;
  WalkResult r;
  walkTree(t.root(), r, observer);
  EXPECT_EQ(outline(r), (std::vector<std::string>{"1 link.bin", "1 target.bin", "1 dir\\",
                                                  "2 inside.txt", "1 dirlink\\"}));
  EXPECT_EQ(find(r, "link.bin")->size, 5u);
  EXPECT_EQ(r.directoryCount, 2);
  EXPECT_EQ(observer.found, (std::vector<int>{1, 2}));
  EXPECT_EQ(r.summary.directoryLinks, 1);
  EXPECT_EQ(r.summary.brokenLinks, 1);
  EXPECT_EQ(r.summary.mountPoints, 0);
  EXPECT_TRUE(r.summary.unreadableDirectories.empty());
}

TEST(Walk, LinksThatPointUpTheTreeCannotMakeTheWalkLoop) {
  TempTree t;
  t.file("a/b/c.txt");
  symlink("..", (t.root() / "a/b/up").c_str());
  symlink("../..", (t.root() / "a/b/top").c_str());
  symlink(t.root().c_str(), (t.root() / "a/root").c_str());
  const WalkResult r = walk(t.root());
  EXPECT_EQ(outline(r), (std::vector<std::string>{"1 a\\", "2 b\\", "3 c.txt", "3 top\\", "3 up\\",
                                                  "2 root\\"}));
  EXPECT_EQ(r.summary.directoryLinks, 3);
  EXPECT_FALSE(r.summary.empty());
}

TEST(Walk, ATreeWithNothingPassedOverHasAnEmptySummary) {
  TempTree t;
  t.file("a/b.txt");
  t.file(".hidden/x.txt");
  EXPECT_TRUE(walk(t.root()).summary.empty());
}

// A mount point directly below /dev (its pts or shm file system in most
// systems and containers), or none.
std::optional<std::string> mountBelowDev() {
  struct stat dev;
  if (stat("/dev", &dev) != 0) return std::nullopt;
  for (const char* name : {"shm", "pts", "mqueue"}) {
    struct stat st;
    const std::string path = std::string("/dev/") + name;
    if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_dev != dev.st_dev) {
      return std::string(name);
    }
  }
  return std::nullopt;
}

TEST(Walk, NestedMountPointsAreLeftOutAndCountedUnlessAskedFor) {
  const auto mount = mountBelowDev();
  if (!mount) GTEST_SKIP() << "no file system mounted directly below /dev here";
  CountingObserver observer;
  WalkResult skipped;
  walkTree("/dev", skipped, observer);
  EXPECT_EQ(find(skipped, *mount), nullptr);
  EXPECT_GE(skipped.summary.mountPoints, 1);

  WalkResult read;
  walkTree("/dev", read, observer, WalkOptions{NestedMounts::Read});
  const WalkEntry* entry = find(read, *mount);
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->isDirectory());
  EXPECT_LT(read.summary.mountPoints, skipped.summary.mountPoints);
}

// Runs the walk as an unprivileged user when the tests run as root (which
// reads every directory), in a child process.
bool walkOutlineAsUser(const std::filesystem::path& root,
                       const std::vector<std::string>& expected) {
  return holdsForOrdinaryUser([&] { return outline(walk(root)) == expected; });
}

TEST(Walk, UnreadableDirectoryIsListedWithoutItsContents) {
  TempTree t;
  chmod(t.root().c_str(), 0755);
  t.file("locked/hidden.txt");
  t.file("open/seen.txt");
  chmod((t.root() / "locked").c_str(), 0);
  EXPECT_TRUE(walkOutlineAsUser(t.root(), {"1 locked\\", "1 open\\", "2 seen.txt"}));
}

TEST(Walk, UnreadableDirectoriesAreNamedInTheSummary) {
  TempTree t;
  chmod(t.root().c_str(), 0755);
  t.file("locked/hidden.txt");
  t.file("open/inner/deep.txt");
  t.file("open/seen.txt");
  chmod((t.root() / "open").c_str(), 0755);
  chmod((t.root() / "locked").c_str(), 0);
  chmod((t.root() / "open/inner").c_str(), 0);
  const std::vector<std::string> expected{"locked", "open\\inner"};
  // The entries of the two are marked, so that the contents view can say so.
  const auto check = [&] {
    const WalkResult r = walk(t.root());
    std::vector<std::string> marked;
    for (const WalkEntry& e : r.entries) {
      if ((e.attributes & kAttrUnreadable) != 0) marked.push_back(e.name);
    }
    return r.summary.unreadableDirectories == expected &&
           marked == std::vector<std::string>{"locked", "inner"};
  };
  EXPECT_TRUE(holdsForOrdinaryUser(check));
  chmod((t.root() / "locked").c_str(), 0755);
  chmod((t.root() / "open/inner").c_str(), 0755);
}

TEST(Walk, NamesThatAreNotUtf8AreDecodedAsWindows1252) {
  TempTree t;
  t.file("caf\xE9.txt");
  t.file("gr\xC3\xBC\xC3\x9F.txt");
  const WalkResult r = walk(t.root());
  const WalkEntry* cafe = find(r, "caf\xC3\xA9.txt");
  ASSERT_NE(cafe, nullptr);
  EXPECT_EQ(cafe->fileSystemName(), "caf\xE9.txt");
  const WalkEntry* gruss = find(r, "gr\xC3\xBC\xC3\x9F.txt");
  ASSERT_NE(gruss, nullptr);
  EXPECT_TRUE(gruss->nativeName.empty());
}

TEST(Walk, NamesDifferingOnlyInCaseKeepAStableByteOrder) {
  TempTree t;
  t.file("b.txt");
  t.file("a.txt");
  t.file("A.TXT");
  t.file("B.txt");
  EXPECT_EQ(outline(walk(t.root())),
            (std::vector<std::string>{"1 A.TXT", "1 a.txt", "1 B.txt", "1 b.txt"}));
}

TEST(Walk, BackslashInANameDoesNotChangeTheLevel) {
  TempTree t;
  t.file("dir/a\\b.txt");
  EXPECT_EQ(outline(walk(t.root())), (std::vector<std::string>{"1 dir\\", "2 a\\b.txt"}));
}

TEST(Walk, TreesDeeperThanTheStorableLevelStopAtLevel255) {
  TempTree t;
  std::string relative;
  for (int i = 0; i < 300; ++i) relative += "d/";
  t.file(relative + "bottom.txt");
  const WalkResult r = walk(t.root());
  ASSERT_EQ(r.directoryCount, 255);
  EXPECT_EQ(r.fileCount, 0);
  EXPECT_EQ(r.entries.back().level, 255);
}

TEST(Walk, MissingRootGivesAnEmptyResult) {
  TempTree t;
  WalkStatus status = WalkStatus::Cancelled;
  const WalkResult r = walk(t.root() / "nothing", &status);
  EXPECT_EQ(status, WalkStatus::Completed);
  EXPECT_TRUE(r.entries.empty());
}

TEST(Walk, CancelStopsTheWalkAfterTheFilesOfADirectory) {
  TempTree t;
  t.file("one/a.txt");
  t.file("two/b.txt");
  t.file("three/c.txt");
  CountingObserver observer;
  observer.cancelAtPoll = 2;  // after the files of the first subdirectory
  WalkResult r;
  EXPECT_EQ(walkTree(t.root(), r, observer), WalkStatus::Cancelled);
  EXPECT_EQ(observer.found, (std::vector<int>{1}));
  EXPECT_EQ(outline(r), (std::vector<std::string>{"1 one\\", "2 a.txt"}));
}

}  // namespace
}  // namespace diskindex::scan
