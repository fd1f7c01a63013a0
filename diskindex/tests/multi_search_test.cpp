#include "diskindex/core/search/multi_search.h"

#include <gtest/gtest.h>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::search {
namespace {

namespace fs = std::filesystem;
using test::dir;
using test::file;

class Collect : public MultiSearchObserver {
 public:
  void row(const ResultRow& r) override { rows.push_back(r); }
  bool cancelRequested() override { return stopAfter != 0 && rows.size() >= stopAfter; }
  std::vector<ResultRow> rows;
  std::size_t stopAfter = 0;
};

class MultiSearchTest : public ::testing::Test {
 protected:
  VolumeRecord addVolume(const std::string& name, const std::vector<EntryRecord>& entries,
                         char drive = 'E') {
    VolumeHeader header = test::sampleHeader(name);
    header.driveLetter = drive;
    const fs::path path = m_tmp / ("CD00000" + std::to_string(++m_count) + ".DAT");
    EXPECT_EQ(createVolume(path, header, entries), ResultCode::Ok);
    HeaderBytes bytes{};
    readHeaderBytes(path, bytes);
    return VolumeRecord::fromHeader(decodeHeader(bytes), path);
  }
  static SearchParams params(std::string text) {
    SearchParams p;
    p.text = std::move(text);
    return p;
  }
  std::vector<ResultRow> search(const SearchParams& p, const std::vector<VolumeRecord>& volumes,
                                MultiSearchSummary* summary = nullptr) {
    Collect collect;
    const MultiSearchSummary s = searchVolumes(p, volumes, collect);
    if (summary) *summary = s;
    EXPECT_EQ(s.rows, collect.rows.size());
    return collect.rows;
  }

  test::TempDir m_tmp;
  int m_count = 0;
};

const std::vector<EntryRecord> kDocs{
    file(1, "README.TXT", 1234, 0x5A214C00),
    dir(1, "BRIEFE"),
    file(2, "BRIEF.DOC", 77),
    dir(2, "Alte Briefe", attributes::kLongName),
    file(3, "Brief an Oma.txt", 5, 0x5A214C00, attributes::kLongName),
    dir(1, "SPIELE"),
    file(2, "DOOM.EXE"),
};

TEST_F(MultiSearchTest, RowsCarryPathsSizesDatesAndTheHiddenKey) {
  const VolumeRecord docs = addVolume("Docs", kDocs, 'F');
  ASSERT_EQ(search(params("*.txt"), {docs}).size(), 1u) << "a blank is no file-name character";
  const auto rows = search(params("brief"), {docs});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].path, "F:\\Briefe\\");
  EXPECT_TRUE(rows[0].directory);
  EXPECT_EQ(sizeCell(rows[0]), "");
  EXPECT_EQ(dateCell(rows[0], "12:00:00"), "");
  EXPECT_EQ(rows[0].hit.key, (TDirFileNo{2, -1}));
  EXPECT_EQ(rows[1].path, "F:\\Briefe\\Brief.doc");
  EXPECT_EQ(sizeCell(rows[1]), "77");
  EXPECT_EQ(rows[1].hit.key, (TDirFileNo{2, 0}));
  EXPECT_EQ(rows[2].path, "F:\\Briefe\\Alte Briefe\\");
  EXPECT_EQ(rows[3].path, "F:\\Briefe\\Alte Briefe\\Brief an Oma.txt");
  EXPECT_EQ(rows[3].hit.key, (TDirFileNo{3, 0}));
  EXPECT_EQ(dateCell(rows[3], "09:32:00"), "01.01.2025    09:32:00");
  EXPECT_EQ(rows[3].volumeName, "Docs");
  EXPECT_EQ(listLine(rows[3]), "Docs\tF:\\Briefe\\Alte Briefe\\Brief an Oma.txt");
}

TEST_F(MultiSearchTest, VolumesInOrderAndAnUnreadableOneIsSkipped) {
  const VolumeRecord a = addVolume("A", kDocs);
  VolumeRecord cut = addVolume("B", kDocs);
  std::vector<std::uint8_t> bytes = test::readAll(cut.dataFile);
  bytes.resize(bytes.size() - 3);  // the last entry cut off
  test::writeAll(cut.dataFile, bytes);
  VolumeRecord gone = a;
  gone.dataFile = m_tmp / "CD000099.DAT";
  const VolumeRecord c = addVolume("C", kDocs);
  MultiSearchSummary summary;
  const auto rows = search(params("brief"), {a, cut, gone, c}, &summary);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[3].volumeName, "A");
  EXPECT_EQ(rows[4].volumeName, "C");
  EXPECT_EQ(summary.skippedVolumes, 2u);
  EXPECT_FALSE(summary.cancelled);
}

TEST_F(MultiSearchTest, CancelStopsAfterTheCurrentRow) {
  const VolumeRecord a = addVolume("A", kDocs);
  const VolumeRecord b = addVolume("B", kDocs);
  Collect collect;
  collect.stopAfter = 3;
  const MultiSearchSummary s = searchVolumes(params("brief"), std::vector{a, b}, collect);
  EXPECT_TRUE(s.cancelled);
  EXPECT_EQ(collect.rows.size(), 3u);
}

TEST_F(MultiSearchTest, RemarkSearchReadsTheCommentFileAndMissingOnesAreEmpty) {
  const VolumeRecord a = addVolume("A", kDocs);
  const VolumeRecord b = addVolume("B", kDocs);
  TFileCommentList remarks;
  remarks.set({1, -1}, "Die Übersicht");
  remarks.set({1, 0}, "keine");
  remarks.set({2, 0}, "Brief mit Übersicht");
  remarks.set({2, 9}, "Übersicht ohne Datei");
  remarks.set({4, 0}, "übersicht");
  ASSERT_EQ(saveRemarks(a.commentFile(), remarks), ResultCode::Ok);
  SearchParams p = params("übersicht");
  p.remarks = true;
  const auto rows = search(p, {a, b});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].path, "E:\\");
  EXPECT_TRUE(rows[0].directory);
  EXPECT_EQ(rows[0].hit.matchStart, 4u);
  EXPECT_EQ(rows[1].path, "E:\\Briefe\\Brief.doc");
  EXPECT_EQ(rows[1].hit.matchStart, std::string("Brief mit ").size());
  EXPECT_EQ(rows[1].hit.matchLength, std::string("Übersicht").size());
  EXPECT_EQ(sizeCell(rows[1]), "77");
  EXPECT_EQ(rows[2].path, "E:\\Spiele\\Doom.exe");
  p.caseSensitive = true;
  EXPECT_EQ(search(p, {a}).size(), 1u);
}

TEST_F(MultiSearchTest, FindsWhatTheSingleVolumeSearchFindsInTheSameOrder) {
  std::vector<EntryRecord> walk = test::generatedWalk(60, 7);
  walk.push_back(dir(1, "ÜBERSICHT"));
  walk.push_back(file(2, "GRÖßE.TXT"));
  walk.push_back(file(2, "Größe der Übersicht.txt", 1, 0, attributes::kLongName));
  const VolumeRecord v = addVolume("Gen", walk);
  TOutlineDirList dirs;
  ASSERT_EQ(loadVolumeContents(v.dataFile, dirs), ResultCode::Ok);
  for (const char* text : {"*.TXT", "1", "DIR?", "*.*", "f; 3", "some*", "über", "größe"}) {
    for (bool word : {false, true}) {
      SearchParams p = params(text);
      p.wholeWord = word;
      std::vector<TDirFileNo> single;
      VolumeSearch search;
      search.start(p, dirs, 0);
      while (auto hit = search.findNext(dirs, {})) single.push_back(hit->key);
      std::vector<TDirFileNo> multi;
      for (const ResultRow& row : this->search(p, {v})) multi.push_back(row.hit.key);
      EXPECT_EQ(multi, single) << text << (word ? " (whole word)" : "");
    }
  }
}

}  // namespace
}  // namespace diskindex::search
