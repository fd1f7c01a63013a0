#include "diskindex/core/scan/image_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace diskindex::scan {
namespace {

constexpr std::uint32_t kImplicit = 0x12345678;

ImageMember file(std::string_view path, std::uint64_t size = 1, std::uint32_t mode = 0644) {
  return ImageMember{path, MemberKind::File, size, 0x5A5A0000, mode};
}
ImageMember dir(std::string_view path) {
  return ImageMember{path, MemberKind::Directory, 0, 0x5B5B0000, 0755};
}

// "level name" for each entry, "/" after directories.
std::vector<std::string> outline(const WalkResult& walk) {
  std::vector<std::string> lines;
  for (const WalkEntry& e : walk.entries) {
    lines.push_back(std::to_string(e.level) + " " + e.name + (e.isDirectory() ? "/" : ""));
  }
  return lines;
}

TEST(ImageTree, MemberPathsDropEmptyAndDotPartsAndRefuseLeavingTheImage) {
  std::vector<std::string> parts;
  EXPECT_EQ(splitMemberPath("./a//b/./c/", parts), PathCheck::Usable);
  EXPECT_EQ(parts, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(splitMemberPath("", parts), PathCheck::Root);
  EXPECT_EQ(splitMemberPath("./", parts), PathCheck::Root);
  EXPECT_EQ(splitMemberPath("..", parts), PathCheck::Unsafe);
  EXPECT_EQ(splitMemberPath("a/../b", parts), PathCheck::Unsafe);
  EXPECT_EQ(splitMemberPath("/a", parts), PathCheck::Unsafe);
  EXPECT_EQ(splitMemberPath("a/..b/c..", parts), PathCheck::Usable);  // only ".." itself
}

TEST(ImageTree, FilesComeFirstThenEachDirectoryWithItsSubtreeSortedAsTheWalk) {
  ImageTreeBuilder builder(kImplicit);
  for (const char* path : {"zeta/z.txt", "b.txt", "Alpha/x/tief.txt", "A.txt", "alpha/y.txt",
                           "äpfel.txt", "Zeta.txt"}) {
    ASSERT_TRUE(builder.add(file(path)));
  }
  const WalkResult walk = builder.finish();
  // Case-insensitive keys, ties by bytes; an umlaut sorts after ASCII.
  EXPECT_EQ(outline(walk), (std::vector<std::string>{
                               "1 A.txt", "1 b.txt", "1 Zeta.txt", "1 äpfel.txt", "1 Alpha/",
                               "2 x/", "3 tief.txt", "1 alpha/", "2 y.txt", "1 zeta/", "2 z.txt"}));
  EXPECT_EQ(walk.directoryCount, 4);
  EXPECT_EQ(walk.fileCount, 7);
}

TEST(ImageTree, ImplicitDirectoriesGetTheBuildersTimeAndNamedOnesTheirOwn) {
  ImageTreeBuilder builder(kImplicit);
  builder.add(file("ohne/datei"));
  builder.add(dir("mit/"));
  builder.add(file("mit/datei"));
  const WalkResult walk = builder.finish();
  ASSERT_EQ(walk.entries.size(), 4u);
  EXPECT_EQ(walk.entries[0].name, "mit");
  EXPECT_EQ(walk.entries[0].dosDateTime, 0x5B5B0000u);
  EXPECT_EQ(walk.entries[2].name, "ohne");
  EXPECT_EQ(walk.entries[2].dosDateTime, kImplicit);
}

TEST(ImageTree, LaterFileReplacesAnEarlierOneOfTheSamePath) {
  ImageTreeBuilder builder(kImplicit);
  builder.add(file("a/b.txt", 10));
  builder.add(file("./a//b.txt", 20));
  const WalkResult walk = builder.finish();
  ASSERT_EQ(outline(walk), (std::vector<std::string>{"1 a/", "2 b.txt"}));
  EXPECT_EQ(walk.entries[1].size, 20u);
  EXPECT_EQ(walk.fileCount, 1);
}

TEST(ImageTree, DirectoryWinsOverAFileOfTheSamePathInEitherOrder) {
  for (const bool fileFirst : {true, false}) {
    ImageTreeBuilder builder(kImplicit);
    if (fileFirst) builder.add(file("x", 99));
    builder.add(file("x/innen.txt"));
    if (!fileFirst) builder.add(file("x", 99));
    builder.add(file("y", 5));
    builder.add(dir("y"));
    const WalkResult walk = builder.finish();
    EXPECT_EQ(outline(walk), (std::vector<std::string>{"1 x/", "2 innen.txt", "1 y/"}))
        << fileFirst;
    EXPECT_EQ(walk.entries[0].size, 0u);
    EXPECT_EQ(walk.entries[0].attributes & kAttrArchive, 0);
    EXPECT_EQ(walk.directoryCount, 2);
    EXPECT_EQ(walk.fileCount, 1);
  }
}

TEST(ImageTree, AttributesFollowTheWalksLinuxRules) {
  ImageTreeBuilder builder(kImplicit);
  builder.add(file("README.TXT"));
  builder.add(file("lang und klein.txt", 1, 0444));
  builder.add(file(".versteckt"));
  builder.add(ImageMember{"gerät", MemberKind::Other, 0, 0, 0644});
  builder.add(file(".git/config"));
  const WalkResult walk = builder.finish();
  ASSERT_EQ(outline(walk), (std::vector<std::string>{"1 .versteckt", "1 gerät",
                                                     "1 lang und klein.txt", "1 README.TXT"}));
  EXPECT_EQ(walk.entries[0].attributes, kAttrHidden | kAttrArchive | kAttrLongName);
  EXPECT_EQ(walk.entries[1].attributes, kAttrLongName);
  EXPECT_EQ(walk.entries[2].attributes, kAttrReadOnly | kAttrArchive | kAttrLongName);
  EXPECT_EQ(walk.entries[3].attributes, kAttrArchive);
  EXPECT_EQ(walk.directoryCount, 0);  // the hidden directory is left out with its contents
}

TEST(ImageTree, NonUtf8NamesAreDecodedAsWindows1252AndKeepTheirBytes) {
  ImageTreeBuilder builder(kImplicit);
  builder.add(
      file("M\xFC"
           "ll.txt"));
  const WalkResult walk = builder.finish();
  ASSERT_EQ(walk.entries.size(), 1u);
  EXPECT_EQ(walk.entries[0].name, "Müll.txt");
  EXPECT_EQ(walk.entries[0].fileSystemName(),
            "M\xFC"
            "ll.txt");
}

TEST(ImageTree, DirectoriesAtTheDeepestLevelAreListedWithoutContents) {
  std::string deep;
  for (int i = 0; i < kMaxLevel + 5; ++i) deep += "d/";
  ImageTreeBuilder builder(kImplicit);
  ASSERT_TRUE(builder.add(file(deep + "f.txt")));
  const WalkResult walk = builder.finish();
  ASSERT_EQ(walk.entries.size(), static_cast<std::size_t>(kMaxLevel));
  EXPECT_EQ(walk.entries.back().level, kMaxLevel);
  EXPECT_TRUE(walk.entries.back().isDirectory());
  EXPECT_EQ(walk.fileCount, 0);
}

TEST(ImageTree, UnsafeMemberAddsNothing) {
  ImageTreeBuilder builder(kImplicit);
  EXPECT_FALSE(builder.add(file("neu/../../aus.txt")));
  EXPECT_EQ(builder.nodeCount(), 0u);
  EXPECT_TRUE(builder.add(file("./")));
  EXPECT_TRUE(builder.finish().entries.empty());
}

}  // namespace
}  // namespace diskindex::scan
