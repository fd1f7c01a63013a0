#include "diskindex/core/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "diskindex/core/volume_list.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> names(const fs::path& dir) {
  std::vector<std::string> result;
  for (const auto& entry : fs::directory_iterator(dir)) {
    result.push_back(entry.path().filename().string());
  }
  std::sort(result.begin(), result.end());
  return result;
}

TEST(FileIo, AtomicWriteReplacesTheFileKeepsItsModeAndLeavesNoTemporaryFile) {
  test::TempDir tmp;
  const fs::path file = tmp / "A.CMT";
  test::writeAll(file, Bytes{1, 2, 3});
  ::chmod(file.c_str(), 0600);
  ASSERT_EQ(writeFileAtomically(file, Bytes{4, 5}), ResultCode::Ok);
  EXPECT_EQ(test::readAll(file), (Bytes{4, 5}));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(names(tmp.path()), std::vector<std::string>{"A.CMT"});
}

TEST(FileIo, WriteIfAbsentNeverReplacesAnExistingFile) {
  test::TempDir tmp;
  const fs::path file = tmp / "B.defekt";
  ASSERT_EQ(writeFileIfAbsent(file, Bytes{1}), ResultCode::Ok);
  EXPECT_EQ(writeFileIfAbsent(file, Bytes{2}), ResultCode::NotWritable);
  EXPECT_EQ(test::readAll(file), Bytes{1});
  EXPECT_EQ(names(tmp.path()), std::vector<std::string>{"B.defekt"});
}

TEST(FileIo, DamagedCopiesAreKeptOnceEachAndNeverReplaced) {
  test::TempDir tmp;
  const fs::path file = tmp / "CD000001.CMT";
  EXPECT_EQ(keepDamagedCopy(file, Bytes{1, 1}), tmp / "CD000001.CMT.defekt");
  // The same damage again: the copy that holds it is named, nothing new.
  EXPECT_EQ(keepDamagedCopy(file, Bytes{1, 1}), tmp / "CD000001.CMT.defekt");
  // Another damage goes beside it.
  EXPECT_EQ(keepDamagedCopy(file, Bytes{2}), tmp / "CD000001.CMT.defekt2");
  EXPECT_EQ(test::readAll(tmp / "CD000001.CMT.defekt"), (Bytes{1, 1}));
  EXPECT_EQ(test::readAll(tmp / "CD000001.CMT.defekt2"), Bytes{2});
}

TEST(FileIo, ReadWholeFileTellsAMissingFileFromAnUnreadableOne) {
  test::TempDir tmp;
  Bytes bytes;
  EXPECT_EQ(readWholeFile(tmp / "none", bytes), ResultCode::NotFound);
  EXPECT_EQ(readWholeFile(tmp.path(), bytes), ResultCode::CannotRead);  // a folder
  Bytes big(100000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  test::writeAll(tmp / "big", big);
  ASSERT_EQ(readWholeFile(tmp / "big", bytes), ResultCode::Ok);
  EXPECT_EQ(bytes, big);
}

TEST(VolumeNumberClaim, SkipsNumbersAnotherProgramTookAndNeverReusesOne) {
  test::TempDir tmp;
  VolumeList list;
  list.noteFileNumber(4);
  // Another program claimed 5 and 6 after this one loaded its list.
  test::writeAll(tmp / "CD000005.DAT", Bytes{});
  test::writeAll(tmp / "CD000006.DAT", Bytes{9});
  const auto first = list.claimNextDataFile(tmp.path());
  ASSERT_TRUE(first);
  EXPECT_EQ(first->filename(), "CD000007.DAT");
  EXPECT_TRUE(fs::exists(*first));
  EXPECT_EQ(fs::file_size(*first), 0u);
  // Given up, the empty claim goes; a volume that was written stays.
  releaseDataFile(*first);
  EXPECT_FALSE(fs::exists(*first));
  releaseDataFile(tmp / "CD000006.DAT");
  EXPECT_TRUE(fs::exists(tmp / "CD000006.DAT"));
  const auto second = list.claimNextDataFile(tmp.path());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->filename(), "CD000008.DAT");
}

TEST(VolumeNumberClaim, AMissingFolderGivesCannotCreate) {
  test::TempDir tmp;
  VolumeList list;
  ResultCode code = ResultCode::Ok;
  EXPECT_FALSE(list.claimNextDataFile(tmp / "ausgesteckt", &code));
  EXPECT_EQ(code, ResultCode::CannotCreate);
}

}  // namespace
}  // namespace diskindex
