#include "diskindex/core/scan/volume_checks.h"

#include <gtest/gtest.h>

namespace diskindex::scan {
namespace {

TEST(SeriesName, ReplacesPlaceholdersOrAppendsTheNumber) {
  EXPECT_EQ(namesToCheck("Handbuch %1 von %2", 3),
            (std::vector<std::string>{"Handbuch 1 von 3", "Handbuch 2 von 3", "Handbuch 3 von 3"}));
  EXPECT_EQ(namesToCheck("Handbuch", 3),
            (std::vector<std::string>{"Handbuch 1/3", "Handbuch 2/3", "Handbuch 3/3"}));
  EXPECT_EQ(seriesName("%2 vor %1 und %1", 12, 140), "140 vor 12 und %1");
  EXPECT_EQ(seriesName("Nur %2", 1, 2), "Nur %2 1/2");
  EXPECT_EQ(namesToCheck("Einzeln %1", 0), (std::vector<std::string>{"Einzeln %1"}));
}

TEST(SeriesCount, AnythingButAPositiveNumberCountsAsOne) {
  EXPECT_EQ(seriesCount("3"), 3);
  EXPECT_EQ(seriesCount(" 12"), 12);
  EXPECT_EQ(seriesCount("0"), 1);
  EXPECT_EQ(seriesCount("-4"), 1);
  EXPECT_EQ(seriesCount("abc"), 1);
  EXPECT_EQ(seriesCount("3x"), 1);
  EXPECT_EQ(seriesCount(""), 1);
}

TEST(NameCheck, FindsAnExistingNameInOtherLetterCase) {
  const std::vector<std::string> others = {"Fotos 2020", "\xC3\x84rger"};
  EXPECT_EQ(findNameConflict({"FOTOS 2020"}, others), "FOTOS 2020");
  EXPECT_EQ(findNameConflict({"\xC3\xA4rger"}, others), "\xC3\xA4rger");
  EXPECT_FALSE(findNameConflict({"Fotos 2021"}, others));
  EXPECT_EQ(findNameConflict(namesToCheck("fotos %1", 2030), others), "fotos 2020");
}

TEST(NameCheck, ComparesTheNameAsItsFieldStoresIt) {
  std::string ten(10, 'u');
  for (int i = 0; i < 30; ++i) ten += "\xC3\xBC";  // 40 characters, 70 bytes in UTF-8
  std::string cut(10, 'u');
  for (int i = 0; i < 20; ++i) cut += "\xC3\xBC";
  const std::vector<std::string> others = {cut};
  EXPECT_FALSE(findStoredNameConflict({ten}, others, false));
  EXPECT_EQ(findStoredNameConflict({ten}, others, true), cut);
  // A series whose numbers are cut off would give every volume one name.
  const std::string long49(49, 'S');  // " 1/3" is cut down to its blank
  EXPECT_EQ(findStoredNameConflict(namesToCheck(long49, 3), {}, false), long49 + " ");
  EXPECT_FALSE(findStoredNameConflict(namesToCheck("S %1", 3), {"S 4"}, false));
}

TEST(LabelCheck, WarnsOnlyAboutANonEmptyKnownLabel) {
  const std::vector<std::string> labels = {"[leer]", "CD_2001"};
  EXPECT_TRUE(labelAlreadyCatalogued("cd_2001", labels));
  EXPECT_FALSE(labelAlreadyCatalogued("CD_2002", labels));
  EXPECT_FALSE(labelAlreadyCatalogued("", {""}));
}

}  // namespace
}  // namespace diskindex::scan
