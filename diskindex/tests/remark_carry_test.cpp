#include "diskindex/core/scan/remark_carry.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace diskindex::scan {
namespace {

// A tree from lines: "DIR level name" or "name" for a file of the last
// directory; the root comes first by itself.
TOutlineDirList tree(std::initializer_list<std::pair<int, const char*>> entries) {
  TOutlineDirList list;
  list.addDirectory(0, "\\");
  for (const auto& [level, name] : entries) {
    if (level > 0) {
      list.addDirectory(static_cast<std::uint8_t>(level), name);
    } else {
      list.addFile(name, 1, 0, 0x20);
    }
  }
  return list;
}

TFileCommentList remarks(std::initializer_list<std::pair<TDirFileNo, const char*>> records) {
  TFileCommentList list;
  for (const auto& [key, text] : records) list.set(key, text);
  return list;
}

std::vector<Remark> recordsOf(const TFileCommentList& list) {
  return list.records();
}

TEST(RemarkCarryTest, RemarksFollowTheirPathsToShiftedNumbersAndVanishedOnesBecomeOrphans) {
  // Old: \A.TXT \B.TXT \C.TXT, \DOCS\ (X.DOC, Y.DOC), \DOCS\SUB\ (Z.DOC)
  const TOutlineDirList before = tree({{0, "A.TXT"},
                                       {0, "B.TXT"},
                                       {0, "C.TXT"},
                                       {1, "DOCS"},
                                       {0, "X.DOC"},
                                       {0, "Y.DOC"},
                                       {2, "SUB"},
                                       {0, "Z.DOC"}});
  // New: B.TXT renamed to B2.TXT, A.TXT deleted (C.TXT moves from 2 to 1),
  // a new directory \ANFANG sorts before \DOCS (DOCS moves from 2 to 3).
  const TOutlineDirList after = tree({{0, "B2.TXT"},
                                      {0, "C.TXT"},
                                      {1, "ANFANG"},
                                      {0, "NEU.TXT"},
                                      {1, "DOCS"},
                                      {0, "X.DOC"},
                                      {0, "Y.DOC"},
                                      {2, "SUB"},
                                      {0, "Z.DOC"}});
  const TFileCommentList old = remarks({{{1, -1}, "Wurzel"},
                                        {{1, 0}, "erste"},
                                        {{1, 1}, "zweite"},
                                        {{1, 2}, "dritte"},
                                        {{2, -1}, "Dokumente"},
                                        {{2, 1}, "ypsilon"},
                                        {{3, -1}, "unten"},
                                        {{3, 0}, "zett"}});
  const CarriedRemarks carried = carryRemarks(before, old, after);
  const std::vector<Remark> expected{{{1, -1}, "Wurzel"},    {{1, 1}, "dritte"},
                                     {{3, -1}, "Dokumente"}, {{3, 1}, "ypsilon"},
                                     {{4, -1}, "unten"},     {{4, 0}, "zett"}};
  EXPECT_EQ(recordsOf(carried.remarks), expected);
  const std::vector<OrphanRemark> orphans{{"\\A.TXT", "erste"}, {"\\B.TXT", "zweite"}};
  EXPECT_EQ(carried.orphans, orphans);
  EXPECT_TRUE(carried.remarks.modified());
}

TEST(RemarkCarryTest, AVanishedDirectoryOrphansItsOwnRemarkAndThoseOfItsFiles) {
  const TOutlineDirList before = tree({{1, "ALT"}, {0, "A.TXT"}, {1, "BLEIBT"}, {0, "B.TXT"}});
  const TOutlineDirList after = tree({{1, "BLEIBT"}, {0, "B.TXT"}});
  const CarriedRemarks carried =
      carryRemarks(before, remarks({{{2, -1}, "alt"}, {{2, 0}, "a"}, {{3, 0}, "b"}}), after);
  EXPECT_EQ(recordsOf(carried.remarks), (std::vector<Remark>{{{2, 0}, "b"}}));
  EXPECT_EQ(carried.orphans,
            (std::vector<OrphanRemark>{{"\\ALT\\", "alt"}, {"\\ALT\\A.TXT", "a"}}));
}

TEST(RemarkCarryTest, NamesAreComparedAsStoredSoAnUnrelatedEntryNeverTakesARemark) {
  // A file that became a directory of the same name is another entry, and
  // a file named "A\B" in the root is not the file B of directory A.
  const TOutlineDirList before = tree({{0, "A\\B"}, {0, "WAS"}});
  const TOutlineDirList after = tree({{1, "A"}, {0, "B"}, {1, "WAS"}});
  const CarriedRemarks carried =
      carryRemarks(before, remarks({{{1, 0}, "backslash"}, {{1, 1}, "datei"}}), after);
  EXPECT_TRUE(carried.remarks.empty());
  EXPECT_EQ(carried.orphans,
            (std::vector<OrphanRemark>{{"\\A\\B", "backslash"}, {"\\WAS", "datei"}}));
}

TEST(RemarkCarryTest, ACaseOnlyRenameKeepsTheRemarkWhenTheMatchIsUnique) {
  const TOutlineDirList before = tree({{1, "FOTOS"}, {0, "IMG.JPG"}, {0, "Ärger.txt"}});
  const TOutlineDirList after = tree({{1, "Fotos"}, {0, "img.jpg"}, {0, "ärger.TXT"}});
  const CarriedRemarks carried = carryRemarks(
      before, remarks({{{2, -1}, "Urlaub"}, {{2, 0}, "Strand"}, {{2, 1}, "Umlaut"}}), after);
  EXPECT_EQ(recordsOf(carried.remarks),
            (std::vector<Remark>{{{2, -1}, "Urlaub"}, {{2, 0}, "Strand"}, {{2, 1}, "Umlaut"}}));
  EXPECT_TRUE(carried.orphans.empty());
}

TEST(RemarkCarryTest, AnAmbiguousCaseMatchIsAnOrphanRatherThanAGuess) {
  // Two new names fold to the old one: no guess.
  const TOutlineDirList twoNew = tree({{0, "Readme"}, {0, "readme"}});
  CarriedRemarks carried = carryRemarks(tree({{0, "README"}}), remarks({{{1, 0}, "r"}}), twoNew);
  EXPECT_TRUE(carried.remarks.empty());
  EXPECT_EQ(carried.orphans, (std::vector<OrphanRemark>{{"\\README", "r"}}));
  // The old "readme" still exists exactly, so the old "README" that vanished
  // must not take its place.
  carried = carryRemarks(tree({{0, "README"}, {0, "readme"}}),
                         remarks({{{1, 0}, "gross"}, {{1, 1}, "klein"}}), tree({{0, "readme"}}));
  EXPECT_EQ(recordsOf(carried.remarks), (std::vector<Remark>{{{1, 0}, "klein"}}));
  EXPECT_EQ(carried.orphans, (std::vector<OrphanRemark>{{"\\README", "gross"}}));
}

TEST(RemarkCarryTest, ARemarkWhoseKeyNamesNoOldEntryIsKeptAsAnOrphan) {
  const CarriedRemarks carried = carryRemarks(
      tree({{0, "A"}}), remarks({{{1, 5}, "verloren"}, {{9, -1}, "weg"}}), tree({{0, "A"}}));
  ASSERT_EQ(carried.orphans.size(), 2u);
  EXPECT_EQ(carried.orphans[0].path, "[Verzeichnis-Nr. 1, Datei-Nr. 5]");
  EXPECT_EQ(carried.orphans[1], (OrphanRemark{"[Verzeichnis-Nr. 9, Datei-Nr. -1]", "weg"}));
}

TEST(RemarkCarryTest, DescriptionsFillOnlyEntriesWithoutARemark) {
  TFileCommentList kept = remarks({{{1, 0}, "vom Benutzer"}});
  const TFileCommentList descriptions =
      remarks({{{1, 0}, "aus FILES.BBS"}, {{1, 1}, "neu"}, {{2, -1}, "DIRINFO"}});
  EXPECT_EQ(fillEmptyRemarks(kept, descriptions), 2u);
  EXPECT_EQ(recordsOf(kept),
            (std::vector<Remark>{{{1, 0}, "vom Benutzer"}, {{1, 1}, "neu"}, {{2, -1}, "DIRINFO"}}));
}

}  // namespace
}  // namespace diskindex::scan
