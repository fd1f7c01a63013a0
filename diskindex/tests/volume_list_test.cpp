#include "diskindex/core/volume_list.h"

#include <gtest/gtest.h>

#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

VolumeRecord named(std::string name, std::string file = "x.DAT") {
  VolumeRecord record;
  record.name = std::move(name);
  record.dataFile = std::move(file);
  return record;
}

std::vector<std::string> names(const VolumeList& list) {
  std::vector<std::string> result;
  for (const auto& r : list.records()) result.push_back(r.name + "@" + r.dataFile.string());
  return result;
}

TEST(VolumeList, NamesCompareAsciiCaseInsensitively) {
  EXPECT_EQ(compareVolumeNames("abc", "ABC"), 0);
  EXPECT_LT(compareVolumeNames("abc", "ABD"), 0);
  EXPECT_LT(compareVolumeNames("AB", "abc"), 0);
  EXPECT_LT(compareVolumeNames("Z", "_"), 0);  // '_' (0x5F) after 'Z' (0x5A)
  EXPECT_LT(compareVolumeNames("a", "_"), 0);  // 'a' folds to 'A'
  // Other bytes by their Windows-1252 value: "€" (0x80) before "Ä" (0xC4),
  // and umlauts are not folded.
  EXPECT_LT(compareVolumeNames("€", "Ä"), 0);
  EXPECT_NE(compareVolumeNames("ä", "Ä"), 0);
}

TEST(VolumeList, EqualNamesKeepInsertionOrder) {
  VolumeList list;
  list.insert(named("Beta", "1"));
  list.insert(named("alpha", "2"));
  list.insert(named("BETA", "3"));
  list.insert(named("ALPHA", "4"));
  list.insert(named("beta", "5"));
  EXPECT_EQ(names(list),
            (std::vector<std::string>{"alpha@2", "ALPHA@4", "Beta@1", "BETA@3", "beta@5"}));

  VolumeList bulk;
  bulk.insertAll({named("Beta", "1"), named("alpha", "2"), named("BETA", "3"), named("ALPHA", "4"),
                  named("beta", "5")});
  EXPECT_EQ(names(bulk), names(list));
}

TEST(VolumeList, ReplaceMovesARenamedRecordToItsPlace) {
  VolumeList list;
  list.insert(named("A"));
  list.insert(named("M"));
  list.insert(named("Z"));
  EXPECT_EQ(list.replace(0, named("Q")), 1u);
  EXPECT_EQ(list[1].name, "Q");
  EXPECT_EQ(list.findByName("q"), 1u);
  EXPECT_FALSE(list.findByName("A").has_value());
  list.insert(named("q", "second"));
  VolumeRecord changed = named("Q", "first");
  changed.category = "Spiele";
  EXPECT_EQ(list.replace(1, changed), 1u);  // equal names keep their order
  EXPECT_EQ(list[1].category, "Spiele");
  EXPECT_EQ(list[2].dataFile, "second");
}

TEST(VolumeList, FileNumbersTakeTheLeadingDigits) {
  EXPECT_EQ(volumeFileNumber("CD000017.DAT"), 17);
  EXPECT_EQ(volumeFileNumber("cd000017.dat"), 17);
  EXPECT_EQ(volumeFileNumber("CD12AB34.DAT"), 12);
  EXPECT_EQ(volumeFileNumber("CDABCDEF.DAT"), 0);
  EXPECT_EQ(volumeFileNumber("CD.DAT"), 0);
  EXPECT_EQ(volumeFileNumber("CD1234567.DAT"), 123456);
  EXPECT_FALSE(volumeFileNumber("CD000017.CMT").has_value());
  EXPECT_FALSE(volumeFileNumber("XD000017.DAT").has_value());
  EXPECT_EQ(volumeFileName(42), "CD000042.DAT");
}

TEST(VolumeList, CounterNeverGoesBackAndSkipsExistingNames) {
  test::TempDir tmp;
  VolumeList list;
  EXPECT_EQ(list.claimNextDataFile(tmp.path())->filename(), "CD000001.DAT");
  list.noteFileNumber(10);
  list.noteFileNumber(3);
  test::writeAll(tmp / "CD000011.DAT", {1});
  EXPECT_EQ(list.claimNextDataFile(tmp.path())->filename(), "CD000012.DAT");
  list.clear();
  EXPECT_EQ(list.claimNextDataFile(tmp.path())->filename(), "CD000013.DAT");
}

TEST(VolumeList, RecordFromHeaderDropsEmptyTexts) {
  VolumeHeader header = test::sampleHeader("Name");
  header.capacity = 1000;
  header.freeSpace = 400;
  const VolumeRecord record = VolumeRecord::fromHeader(header, "/data/CD000001.DAT");
  EXPECT_FALSE(record.category.has_value());
  EXPECT_FALSE(record.remark.has_value());
  EXPECT_EQ(record.usedSpace(), 600);
  EXPECT_EQ(record.commentFile(), "/data/CD000001.CMT");
  header.capacity = 0;
  EXPECT_FALSE(VolumeRecord::fromHeader(header, "a").usedSpace().has_value());
  header.capacity = 10;
  header.freeSpace = -1;
  EXPECT_FALSE(VolumeRecord::fromHeader(header, "a").usedSpace().has_value());
  EXPECT_EQ(commentFileFor("/d/cd000001.dat"), "/d/cd000001.cmt");
}

}  // namespace
}  // namespace diskindex
