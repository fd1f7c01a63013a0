#include "diskindex/core/volume_finder.h"

#include <gtest/gtest.h>

#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"

namespace diskindex {
namespace {

using platform::FileSystemId;
using scan::testing::FakeDrive;
using scan::testing::TempTree;

VolumeRecord volume(const std::string& name, std::int64_t freeSpace, const std::string& uuid = {}) {
  VolumeRecord r;
  r.name = name;
  r.freeSpace = freeSpace;
  r.capacity = freeSpace < 0 ? -1 : freeSpace + 1000;
  r.volumeId = FileSystemId::fromUuidText(uuid);
  return r;
}

std::vector<std::string> names(const VolumeList& list, const std::vector<std::size_t>& rows) {
  std::vector<std::string> out;
  for (std::size_t row : rows) out.push_back(list[row].name);
  return out;
}

TEST(VolumeFinder, FreeSpaceOrderPutsMostRoomFirstUnknownLastAndTiesByName) {
  VolumeList list;
  for (const VolumeRecord& r : {volume("Delta", 500), volume("alpha", 500), volume("Charlie", -1),
                                volume("Bravo", 9000), volume("Echo", 0), volume("Able", -1)}) {
    list.insert(r);
  }
  std::vector<std::size_t> rows = {5, 4, 3, 2, 1, 0};
  orderOverviewRows(rows, list, OverviewOrder::FreeSpace);
  EXPECT_EQ(names(list, rows),
            (std::vector<std::string>{"Bravo", "alpha", "Delta", "Echo", "Able", "Charlie"}));
  orderOverviewRows(rows, list, OverviewOrder::Name);
  EXPECT_EQ(names(list, rows),
            (std::vector<std::string>{"Able", "alpha", "Bravo", "Charlie", "Delta", "Echo"}));
}

TEST(VolumeFinder, RowsShowTheFreeSpaceOnlyInTheFreeSpaceOrder) {
  EXPECT_EQ(overviewRowText(volume("Fotos", 1474560), OverviewOrder::FreeSpace),
            "Fotos  (1,4 MB frei)");
  EXPECT_EQ(overviewRowText(volume("Leer", 0), OverviewOrder::FreeSpace), "Leer  (0 Byte frei)");
  EXPECT_EQ(overviewRowText(volume("Fotos", 1474560), OverviewOrder::Name), "Fotos");
  EXPECT_EQ(overviewRowText(volume("Alt", -1), OverviewOrder::FreeSpace), "Alt");
}

TEST(VolumeFinder, FreeSpaceFilterNeedsKnownRoomOfAtLeastTheAmount) {
  EXPECT_TRUE(hasFreeSpace(volume("a", 4096), 4096));
  EXPECT_FALSE(hasFreeSpace(volume("a", 4095), 4096));
  EXPECT_TRUE(hasFreeSpace(volume("a", 0), 0));
  EXPECT_FALSE(hasFreeSpace(volume("a", -1), 0));
  EXPECT_TRUE(hasFreeSpace(volume("a", 5'000'000'000), 4'700'000'000));
}

TEST(VolumeFinder, VolumesAreFoundByIdentityAndNeverByAnUnknownOne) {
  VolumeList list;
  list.insert(volume("Stick", 1, "1C2B-7E0A"));
  list.insert(volume("Ordner", 1));
  list.insert(volume("Stick (Kopie)", 1, "1c2b-7e0a"));
  list.insert(volume("Platte", 1, "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12"));
  EXPECT_EQ(names(list, volumesWithId(list, FileSystemId::fromUuidText("1C2B-7E0A"))),
            (std::vector<std::string>{"Stick", "Stick (Kopie)"}));
  EXPECT_TRUE(volumesWithId(list, FileSystemId()).empty());
  EXPECT_TRUE(volumesWithId(list, FileSystemId::fromUuidText("0000-0001")).empty());
}

TEST(VolumeFinder, RecognisesTheVolumesInTheDrivesByLetter) {
  TempTree e, f, g;
  const platform::DriveTable drives = scan::testing::fakeDriveTable(
      {
          {'E', FakeDrive{e.root(), "vfat", "NEU", {}}},
          {'F', FakeDrive{f.root(), "ext4", "", {}}},
          {'G', FakeDrive{g.root(), "ext4", "", {}}},
      },
      {{'E', "1C2B-7E0A"}, {'G', "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12"}});
  VolumeList list;
  list.insert(volume("Platte", 1, "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12"));
  list.insert(volume("Ordner", 1));
  list.insert(volume("Stick", 1, "1C2B-7E0A"));
  const auto found = recogniseVolumes(list, drives);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].driveLetter, 'E');
  EXPECT_EQ(list[found[0].volumeIndex].name, "Stick");
  EXPECT_EQ(found[1].driveLetter, 'G');
  EXPECT_EQ(list[found[1].volumeIndex].name, "Platte");
  VolumeList none;
  none.insert(volume("Ordner", 1));
  EXPECT_TRUE(recogniseVolumes(none, drives).empty());
}

}  // namespace
}  // namespace diskindex
