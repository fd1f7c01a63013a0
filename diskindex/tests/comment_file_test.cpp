#include "diskindex/core/comment_file.h"

#include <gtest/gtest.h>

#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

std::vector<std::uint8_t> record(std::int32_t dirNo, std::int32_t fileNo, std::string text) {
  std::vector<std::uint8_t> bytes(8);
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(dirNo) >> (8 * i));
    bytes[4 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(fileNo) >> (8 * i));
  }
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

std::vector<std::uint8_t> commentFile(std::initializer_list<std::vector<std::uint8_t>> records) {
  std::vector<std::uint8_t> bytes(32, 0);
  bytes[0] = 'K';
  bytes[1] = 'T';
  for (const auto& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
  return bytes;
}

TEST(RemarkList, SetKeepsKeysSortedAndUnique) {
  TFileCommentList list;
  list.set({3, 0}, "file");
  list.set({1, -1}, "root");
  list.set({3, -1}, "dir");
  list.set({2, 5}, "x");
  list.set({3, 0}, "file again");
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list.records()[0].key, (TDirFileNo{1, -1}));
  EXPECT_EQ(list.records()[2].key, (TDirFileNo{3, -1}));
  EXPECT_EQ(list.records()[3].text, "file again");
  EXPECT_TRUE(list.modified());
  list.set({2, 5}, "");
  EXPECT_FALSE(list.find({2, 5}).has_value());
  EXPECT_EQ(list.size(), 3u);
  list.set({9, 9}, "");  // removing a missing key changes nothing
  EXPECT_EQ(list.size(), 3u);
}

TEST(CommentFile, RoundTripInWindows1252) {
  test::TempDir tmp;
  TFileCommentList list;
  list.set({1, -1}, "Wurzel mit Umlauten äöü\r\nzweite Zeile");
  list.set({2, 0}, "Datei");
  ASSERT_EQ(saveRemarks(tmp / "CD000001.CMT", list), ResultCode::Ok);
  EXPECT_FALSE(list.modified());
  const auto bytes = test::readAll(tmp / "CD000001.CMT");
  EXPECT_EQ(bytes[0], 'K');
  EXPECT_EQ(bytes[2], 0);               // no UTF-8 mark
  EXPECT_EQ(bytes[32 + 8 + 20], 0xE4);  // "ä" as one byte
  TFileCommentList loaded;
  ASSERT_EQ(loadRemarks(tmp / "CD000001.CMT", loaded), ResultCode::Ok);
  EXPECT_EQ(loaded.records(), list.records());
  EXPECT_FALSE(loaded.modified());
}

TEST(CommentFile, RoundTripWithUtf8Mark) {
  test::TempDir tmp;
  TFileCommentList list;
  list.set({1, -1}, "Ωmega");
  list.set({4, 2}, "plain");
  ASSERT_EQ(saveRemarks(tmp / "CD000001.CMT", list), ResultCode::Ok);
  const auto bytes = test::readAll(tmp / "CD000001.CMT");
  EXPECT_EQ(std::string(bytes.begin() + 2, bytes.begin() + 6), "UTF8");
  TFileCommentList loaded;
  ASSERT_EQ(loadRemarks(tmp / "CD000001.CMT", loaded), ResultCode::Ok);
  EXPECT_EQ(loaded.records(), list.records());
}

TEST(CommentFile, RemovingTheLastRemarkLeavesTheHeaderAlone) {
  test::TempDir tmp;
  TFileCommentList list;
  list.set({2, 3}, "only");
  ASSERT_EQ(saveRemarks(tmp / "CD000001.CMT", list), ResultCode::Ok);
  list.set({2, 3}, "");
  ASSERT_EQ(saveRemarks(tmp / "CD000001.CMT", list), ResultCode::Ok);
  EXPECT_EQ(test::readAll(tmp / "CD000001.CMT"), commentFile({}));
}

TEST(CommentFile, ReaderCodes) {
  test::TempDir tmp;
  TFileCommentList list;
  EXPECT_EQ(loadRemarks(tmp / "missing.CMT", list), ResultCode::CannotOpen);
  test::writeAll(tmp / "short.CMT", {'K', 'T', 0, 0});
  EXPECT_EQ(loadRemarks(tmp / "short.CMT", list), ResultCode::CannotRead);
  auto bad = commentFile({});
  bad[1] = 'X';
  test::writeAll(tmp / "bad.CMT", bad);
  EXPECT_EQ(loadRemarks(tmp / "bad.CMT", list), ResultCode::BadFormat);
}

TEST(CommentFile, CutOffRecordKeepsTheRecordsBeforeIt) {
  test::TempDir tmp;
  auto bytes = commentFile({record(1, -1, "first"), record(2, 0, "second")});
  bytes.pop_back();  // the terminator of "second"
  test::writeAll(tmp / "cut.CMT", bytes);
  TFileCommentList list;
  EXPECT_EQ(loadRemarks(tmp / "cut.CMT", list), ResultCode::CannotRead);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.records()[0].text, "first");
}

TEST(CommentFile, DisorderedRecordsAreSortedAndDeduplicated) {
  test::TempDir tmp;
  test::writeAll(tmp / "mixed.CMT",
                 commentFile({record(3, 1, "c"), record(1, -1, "a"), record(3, 1, "dup"),
                              record(2, 0, ""), record(3, -1, "b")}));
  TFileCommentList list;
  ASSERT_EQ(loadRemarks(tmp / "mixed.CMT", list), ResultCode::Ok);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list.records()[0].text, "a");
  EXPECT_EQ(list.records()[1].text, "b");
  EXPECT_EQ(list.records()[2].text, "c");
}

TEST(CommentFile, FailedSaveKeepsTheOldFileAndTheModifiedMark) {
  test::TempDir tmp;
  TFileCommentList list;
  list.set({1, -1}, "kept");
  ASSERT_EQ(saveRemarks(tmp / "CD000001.CMT", list), ResultCode::Ok);
  const auto before = test::readAll(tmp / "CD000001.CMT");
  // A directory where the temporary file must go makes the save fail.
  std::filesystem::create_directories(tmp / "CD000001.CMT.tmp" / "x");
  list.set({1, -1}, "new text");
  EXPECT_EQ(saveRemarks(tmp / "CD000001.CMT", list), ResultCode::CannotCreate);
  EXPECT_TRUE(list.modified());
  EXPECT_EQ(test::readAll(tmp / "CD000001.CMT"), before);
  EXPECT_EQ(saveRemarks(tmp / "nodir" / "CD000001.CMT", list), ResultCode::CannotCreate);
}

TEST(CommentFile, OverlongTextsAreCutToTheLimit) {
  test::TempDir tmp;
  TFileCommentList list;
  list.set({1, -1}, std::string(40000, 'r'));
  ASSERT_EQ(saveRemarks(tmp / "CD000001.CMT", list), ResultCode::Ok);
  TFileCommentList loaded;
  ASSERT_EQ(loadRemarks(tmp / "CD000001.CMT", loaded), ResultCode::Ok);
  EXPECT_EQ(loaded.records()[0].text.size(), kMaxRemarkTextBytes);
}

}  // namespace
}  // namespace diskindex
