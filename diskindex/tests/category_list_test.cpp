#include "diskindex/core/category_list.h"

#include <gtest/gtest.h>

#include "diskindex/core/volume_list.h"

namespace diskindex {
namespace {

TEST(CategoryList, SortedWithoutCaseAndNoCaseDuplicates) {
  CategoryList list({"spiele", "Archiv", "", "<keine Zuordnung>", "<ALLE>", "musik", "Spiele"});
  EXPECT_EQ(list.names(), (std::vector<std::string>{"Archiv", "musik", "spiele"}));
  EXPECT_FALSE(list.add("SPIELE"));
  EXPECT_TRUE(list.add("Bilder"));
  EXPECT_EQ(list.indexOf("bilder"), 1u);
  EXPECT_TRUE(list.add("Über"));
  EXPECT_FALSE(list.add("über"));
}

TEST(CategoryList, RenameRefusesClashesButAllowsCaseChange) {
  CategoryList list({"A", "B"});
  EXPECT_FALSE(list.rename("A", "b"));
  EXPECT_TRUE(list.rename("A", "a"));
  EXPECT_TRUE(list.rename("a", "C"));
  EXPECT_EQ(list.names(), (std::vector<std::string>{"B", "C"}));
  EXPECT_FALSE(list.rename("missing", "D"));
  EXPECT_TRUE(list.remove("c"));
  EXPECT_EQ(list.size(), 1u);
}

TEST(CategoryList, CompletedFromVolumeHeaders) {
  VolumeList volumes;
  VolumeRecord a;
  a.name = "a";
  a.category = "Filme";
  VolumeRecord b;
  b.name = "b";
  VolumeRecord c;
  c.name = "c";
  c.category = "filme";
  volumes.insert(a);
  volumes.insert(b);
  volumes.insert(c);
  CategoryList list({"Archiv"});
  list.addFromVolumes(volumes);
  EXPECT_EQ(list.names(), (std::vector<std::string>{"Archiv", "Filme"}));
}

}  // namespace
}  // namespace diskindex
