#include "diskindex/core/comment_file.h"

#include <gtest/gtest.h>

#include "diskindex/core/file_io.h"
#include "diskindex/tests/fault_injector.h"
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
  // The temporary file cannot be created beside the comment file.
  list.set({1, -1}, "new text");
  {
    const test::OpenFailure failure((tmp / "CD000001.CMT.").string());
    EXPECT_EQ(saveRemarks(tmp / "CD000001.CMT", list), ResultCode::CannotCreate);
  }
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

TEST(DamagedCommentFile, RecordsBehindADamagedMagicAreReadAsFarAsTheyMakeSense) {
  test::TempDir tmp;
  auto bytes = commentFile({record(1, -1, "eins"), record(2, 0, "zwei"), record(-7, 3, "Müll"),
                            record(4, 0, "vier")});
  bytes[0] = 'Q';
  test::writeAll(tmp / "CD000001.CMT", bytes);
  const RemarksLoad load = loadRemarksForEdit(tmp / "CD000001.CMT");
  EXPECT_EQ(load.code, ResultCode::BadFormat);
  EXPECT_TRUE(load.damaged);
  ASSERT_EQ(load.remarks.size(), 2u);  // a key no volume has ends the reading
  EXPECT_EQ(load.remarks.find({2, 0}), "zwei");
  EXPECT_EQ(load.base, load.remarks.records());
  EXPECT_FALSE(loadRemarksForEdit(tmp / "none.CMT").damaged);
}

// A damaged magic (four records intact) or a record cut off: whichever save
// comes, the damaged bytes are kept under .defekt before the file changes,
// and a later save never replaces that copy.
TEST(DamagedCommentFile, EverySaveKeepsTheDamagedBytesFirst) {
  auto badMagic = commentFile(
      {record(1, -1, "a"), record(2, 0, "b"), record(2, 1, "c"), record(3, -1, "d")});
  badMagic[1] = 'X';
  auto cutOff = commentFile({record(1, -1, "a"), record(2, 0, "bb")});
  cutOff.pop_back();
  for (const auto& damaged : {badMagic, cutOff}) {
    for (const bool merged : {false, true}) {
      test::TempDir tmp;
      const auto file = tmp / "CD000001.CMT";
      test::writeAll(file, damaged);
      RemarksLoad load = loadRemarksForEdit(file);
      ASSERT_TRUE(load.damaged);
      load.remarks.set({7, 7}, "neu");
      if (merged) {
        const RemarkSaveResult result = saveRemarksMerged({file, load.base, load.remarks.records()});
        EXPECT_EQ(result.status, RemarkSaveStatus::Saved);
        EXPECT_EQ(result.damagedCopy, tmp / "CD000001.CMT.defekt");
      } else {
        ASSERT_EQ(saveRemarks(file, load.remarks), ResultCode::Ok);
      }
      EXPECT_EQ(test::readAll(tmp / "CD000001.CMT.defekt"), damaged);
      TFileCommentList saved;
      ASSERT_EQ(loadRemarks(file, saved), ResultCode::Ok);
      EXPECT_EQ(saved.size(), load.remarks.size());  // the readable remarks went along
      saved.set({8, 8}, "später");
      ASSERT_EQ(saveRemarks(file, saved), ResultCode::Ok);
      EXPECT_EQ(test::readAll(tmp / "CD000001.CMT.defekt"), damaged);
    }
  }
}

TEST(DamagedCommentFile, NoCopyNoSave) {
  test::TempDir tmp;
  const auto file = tmp / "CD000001.CMT";
  auto damaged = commentFile({record(1, -1, "a")});
  damaged[0] = 0;
  test::writeAll(file, damaged);
  // A folder where the copy should go: it cannot be made, so the file stays.
  for (int attempt = 1; attempt <= 99; ++attempt) {
    std::filesystem::create_directory(damagedCopyName(file, attempt));
  }
  TFileCommentList list;
  list.set({1, -1}, "b");
  EXPECT_EQ(saveRemarks(file, list), ResultCode::CannotWrite);
  EXPECT_EQ(test::readAll(file), damaged);
}

TEST(MergedRemarkSave, UnchangedFileIsSavedChangedOneMergedOrAsked) {
  test::TempDir tmp;
  const auto file = tmp / "CD000001.CMT";
  TFileCommentList start;
  start.set({1, -1}, "Wurzel");
  ASSERT_EQ(saveRemarks(file, start), ResultCode::Ok);
  const RemarksLoad mineLoad = loadRemarksForEdit(file);
  const RemarksLoad theirsLoad = loadRemarksForEdit(file);

  TFileCommentList theirs = theirsLoad.remarks;
  theirs.set({1, -1}, "deren");
  ASSERT_EQ(saveRemarksMerged({file, theirsLoad.base, theirs.records()}).status,
            RemarkSaveStatus::Saved);

  TFileCommentList mine = mineLoad.remarks;
  mine.set({1, -1}, "meine");
  const auto before = test::readAll(file);
  RemarkSaveRequest request{file, mineLoad.base, mine.records()};
  const RemarkSaveResult asked = saveRemarksMerged(request);
  EXPECT_EQ(asked.status, RemarkSaveStatus::Conflict);
  ASSERT_EQ(asked.conflicts.size(), 1u);
  EXPECT_EQ(asked.conflicts[0].theirs, "deren");
  EXPECT_EQ(test::readAll(file), before);  // nothing written while asking

  request.choice = ConflictChoice::KeepMine;
  const RemarkSaveResult kept = saveRemarksMerged(request);
  EXPECT_EQ(kept.status, RemarkSaveStatus::Merged);
  TFileCommentList now;
  ASSERT_EQ(loadRemarks(file, now), ResultCode::Ok);
  EXPECT_EQ(now.find({1, -1}), "meine");
  EXPECT_EQ(kept.saved, now.records());
}

}  // namespace
}  // namespace diskindex
