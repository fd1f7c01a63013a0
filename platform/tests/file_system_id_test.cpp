#include "platform/file_system_id.h"

#include <gtest/gtest.h>

#include <set>

namespace platform {
namespace {

TEST(FileSystemId, FullUuidKeepsItsSixteenBytesInOrderWhateverTheCase) {
  const FileSystemId id = FileSystemId::fromUuidText("9F3C2A1E-0b7d-4c55-8e21-3f6a9d0c4b12");
  EXPECT_EQ(id.bytes()[0], 0x9F);
  EXPECT_EQ(id.bytes()[4], 0x0B);
  EXPECT_EQ(id.bytes()[15], 0x12);
  EXPECT_EQ(id.text(), "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12");
  EXPECT_EQ(id, FileSystemId::fromUuidText("9f3c2a1e0b7d4c558e213f6a9d0c4b12"));
}

TEST(FileSystemId, ShortSerialsKeepTheirDigitsAndDifferByLength) {
  const FileSystemId fat = FileSystemId::fromUuidText("1c2b-7e0a");
  EXPECT_EQ(fat.text(), "1C2B7E0A");
  EXPECT_EQ(fat, FileSystemId::fromUuidText("1C2B-7E0A"));
  // Leading zeros count: "0A" and "A" are different serials.
  EXPECT_NE(FileSystemId::fromUuidText("0A"), FileSystemId::fromUuidText("A"));
  const FileSystemId iso = FileSystemId::fromUuidText("2024-03-01-12-00-00-00");
  EXPECT_EQ(iso.text(),
            "202403011200000"
            "0");
  EXPECT_NE(iso, FileSystemId::fromUuidText("2024-03-01-12-00-00-01"));
  // Odd digit counts: the last nibble is kept.
  EXPECT_NE(FileSystemId::fromUuidText("ABC"), FileSystemId::fromUuidText("ABD"));
  EXPECT_EQ(FileSystemId::fromUuidText("ABC").text(), "ABC");
}

TEST(FileSystemId, OtherTextIsHashedStablyAndNothingIsUnknown) {
  const FileSystemId a = FileSystemId::fromUuidText("volume#1");
  EXPECT_TRUE(a.known());
  EXPECT_EQ(a, FileSystemId::fromUuidText("volume#1"));
  EXPECT_NE(a, FileSystemId::fromUuidText("volume#2"));
  EXPECT_EQ(a.text().size(), 31u);
  EXPECT_EQ(a.text()[0], '#');
  // 29 digits do not fit as a serial and are hashed instead.
  const FileSystemId longSerial = FileSystemId::fromUuidText(std::string(29, '7'));
  EXPECT_EQ(longSerial.text()[0], '#');
  EXPECT_FALSE(FileSystemId::fromUuidText("").known());
  EXPECT_FALSE(FileSystemId().known());
  EXPECT_EQ(FileSystemId().text(), "");
}

TEST(FileSystemId, StatfsIdsAreTaggedAndZeroIsUnknown) {
  EXPECT_FALSE(FileSystemId::fromStatfs(0, 0).known());
  const FileSystemId id = FileSystemId::fromStatfs(0xabcd, 0x1234);
  EXPECT_EQ(id.text(), "fsid:0000abcd:00001234");
  EXPECT_NE(id, FileSystemId::fromStatfs(0x1234, 0xabcd));
}

TEST(FileSystemId, KindsDoNotCollideOnSameLookingInput) {
  std::set<FileSystemId::Bytes> seen;
  for (const FileSystemId& id :
       {FileSystemId::fromUuidText("00000000-0000-0000-0000-000000000001"),
        FileSystemId::fromUuidText("01"), FileSystemId::fromUuidText("1"),
        FileSystemId::fromStatfs(1, 0), FileSystemId::fromUuidText("x1")}) {
    EXPECT_TRUE(seen.insert(id.bytes()).second) << id.text();
  }
}

TEST(FileSystemId, FromBytesTakesAtMostSixteenAndPadsWithZero) {
  const std::uint8_t three[] = {1, 2, 3};
  const FileSystemId id = FileSystemId::fromBytes(three);
  EXPECT_EQ(id.bytes()[2], 3);
  EXPECT_EQ(id.bytes()[3], 0);
  std::uint8_t twenty[20] = {};
  twenty[15] = 9;
  twenty[19] = 7;
  EXPECT_EQ(FileSystemId::fromBytes(twenty).bytes()[15], 9);
}

}  // namespace
}  // namespace platform
