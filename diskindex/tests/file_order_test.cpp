#include "diskindex/core/file_order.h"

#include <gtest/gtest.h>

namespace diskindex {
namespace {

std::uint32_t dos(int year, int month, int day, int hour = 0) {
  const std::uint32_t date = ((year - 1980) << 9) | (month << 5) | day;
  return (date << 16) | static_cast<std::uint32_t>(hour << 11);
}

// Files in file order: 0 zeta.txt, 1 Alpha, 2 beta.c, 3 Gamma., 4 delta.txt, 5 Ärger.doc
TOutlineDirList sampleDirectory() {
  TOutlineDirList list;
  list.addDirectory(0, "\\");
  list.addFile("zeta.txt", 300, dos(2001, 5, 1), 0x20);
  list.addFile("Alpha", 100, dos(1999, 1, 1), 0x20);
  list.addFile("beta.c", 300, dos(2001, 5, 1), 0x20);
  list.addFile("Gamma.", 50, dos(2010, 2, 3), 0x20);
  list.addFile("delta.txt", 7, dos(1995, 7, 7), 0x20);
  list.addFile("\xC3\x84rger.doc", 100, dos(1999, 1, 1), 0x20);
  return list;
}

using Order = std::vector<std::uint32_t>;

TEST(FileOrder, WithoutKeyKeepsFileOrderAndReverseTurnsItRound) {
  const TOutlineDirList list = sampleDirectory();
  EXPECT_EQ(fileOrder(list, 0, SortKey::None, false), (Order{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(fileOrder(list, 0, SortKey::None, true), (Order{5, 4, 3, 2, 1, 0}));
}

TEST(FileOrder, NamesCompareBytewiseSoCapitalsAndUmlautsKeepTheirPlace) {
  // "A" < "G" < "b" < "d" < "z" < "Ä" (0xC3 after every ASCII byte).
  EXPECT_EQ(fileOrder(sampleDirectory(), 0, SortKey::Name, false), (Order{1, 3, 2, 4, 0, 5}));
}

TEST(FileOrder, ExtensionsSortWithMissingOnesAsBlankAndTiesByName) {
  // " " (Alpha, Gamma.) < "c" < "doc" < "txt" (delta before zeta).
  EXPECT_EQ(fileOrder(sampleDirectory(), 0, SortKey::Extension, false), (Order{1, 3, 2, 5, 4, 0}));
  EXPECT_EQ(extensionKey("archive.tar.gz"), "gz");
  EXPECT_EQ(extensionKey("Gamma."), " ");
  EXPECT_EQ(extensionKey("README"), " ");
}

TEST(FileOrder, SizeAndDateAscendWithEqualKeysOrderedByName) {
  const TOutlineDirList list = sampleDirectory();
  // Sizes 7, 50, 100 (Alpha, Ärger), 300 (beta.c, zeta.txt).
  EXPECT_EQ(fileOrder(list, 0, SortKey::Size, false), (Order{4, 3, 1, 5, 2, 0}));
  EXPECT_EQ(fileOrder(list, 0, SortKey::Size, true), (Order{0, 2, 5, 1, 3, 4}));
  EXPECT_EQ(fileOrder(list, 0, SortKey::Date, false), (Order{4, 1, 5, 2, 0, 3}));
}

TEST(FileOrder, DirectoryWithoutFilesGivesNoRows) {
  TOutlineDirList list;
  list.addDirectory(0, "\\");
  list.addDirectory(1, "Leer");
  EXPECT_TRUE(fileOrder(list, 1, SortKey::Name, true).empty());
}

TEST(FileOrder, HeaderClickSortsByTheColumnThenReversesThenAgainAscends) {
  SortChoice choice;  // file order
  choice = afterHeaderClick(choice, SortKey::Size);
  EXPECT_EQ(choice, (SortChoice{SortKey::Size, false}));
  choice = afterHeaderClick(choice, SortKey::Size);
  EXPECT_EQ(choice, (SortChoice{SortKey::Size, true}));
  choice = afterHeaderClick(choice, SortKey::Size);
  EXPECT_EQ(choice, (SortChoice{SortKey::Size, false}));
  // Another column starts ascending, even when the order was reversed.
  choice = afterHeaderClick(SortChoice{SortKey::Size, true}, SortKey::Name);
  EXPECT_EQ(choice, (SortChoice{SortKey::Name, false}));
  // A column without a key changes nothing.
  EXPECT_EQ(afterHeaderClick(SortChoice{SortKey::Date, true}, SortKey::None),
            (SortChoice{SortKey::Date, true}));
}

TEST(FileOrder, StoredKeyNumbersRoundTripAndUnknownOnesMeanFileOrder) {
  for (SortKey key :
       {SortKey::None, SortKey::Name, SortKey::Extension, SortKey::Size, SortKey::Date}) {
    EXPECT_EQ(sortKeyFromNumber(sortKeyNumber(key)), key);
  }
  EXPECT_EQ(sortKeyNumber(SortKey::Extension), 2);
  EXPECT_EQ(sortKeyFromNumber(5), SortKey::None);
  EXPECT_EQ(sortKeyFromNumber(-1), SortKey::None);
}

}  // namespace
}  // namespace diskindex
