#include "platform/little_endian.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace platform::le {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kHuge = std::numeric_limits<std::size_t>::max();

TEST(LittleEndian, ReadsLowestByteFirst) {
  const Bytes bytes{0x34, 0x12, 0x78, 0x56, 0xBC, 0x9A, 0xF0, 0xDE};
  EXPECT_EQ(readU16(bytes, 0), 0x1234u);
  EXPECT_EQ(readU16(bytes, 1), 0x7812u);
  EXPECT_EQ(readU32(bytes, 0), 0x56781234u);
  EXPECT_EQ(readU64(bytes, 0), 0xDEF09ABC56781234u);
}

TEST(LittleEndian, SignedFieldsAreTwosComplement) {
  const Bytes bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x80};
  EXPECT_EQ(readI16(bytes, 0), -1);
  EXPECT_EQ(readI16(bytes, 4), std::numeric_limits<std::int16_t>::min());
  EXPECT_EQ(readI32(bytes, 0), -1);
  EXPECT_EQ(readI32(bytes, 2), static_cast<std::int32_t>(0x8000FFFFu));
}

TEST(LittleEndian, AFieldReachingTheLastByteIsRead) {
  const Bytes bytes{0, 0, 0, 0x01, 0x02, 0x03, 0x04};
  EXPECT_EQ(readU32(bytes, 3), 0x04030201u);
  EXPECT_EQ(readU16(bytes, 5), 0x0403u);
}

TEST(LittleEndian, AFieldCutOffByTheEndGivesNoValue) {
  const Bytes bytes{1, 2, 3, 4, 5, 6, 7};
  EXPECT_EQ(readU16(bytes, 6), std::nullopt);
  EXPECT_EQ(readU32(bytes, 4), std::nullopt);
  EXPECT_EQ(readU64(bytes, 0), std::nullopt);
  EXPECT_EQ(readI32(bytes, 5), std::nullopt);
  EXPECT_EQ(readF64(bytes, 0), std::nullopt);
  EXPECT_EQ(readU16(bytes, 7), std::nullopt);
  EXPECT_EQ(readU16(Bytes{}, 0), std::nullopt);
}

TEST(LittleEndian, OffsetsNearTheLargestSizeDoNotWrapAround) {
  // at + width would wrap to a small number; a naive check would accept it.
  const Bytes bytes(16, 0xAA);
  EXPECT_EQ(readU16(bytes, kHuge), std::nullopt);
  EXPECT_EQ(readU32(bytes, kHuge - 1), std::nullopt);
  EXPECT_EQ(readU64(bytes, kHuge - 6), std::nullopt);
  EXPECT_FALSE(fits(bytes.size(), kHuge - 2, 4));
  EXPECT_FALSE(fits(bytes.size(), 17, 0));
  EXPECT_TRUE(fits(bytes.size(), 16, 0));
}

TEST(LittleEndian, WritesReadBackAndRefuseFieldsThatDoNotFit) {
  std::array<std::uint8_t, 14> bytes{};
  EXPECT_TRUE(writeU16(bytes, 0, 0xBEEF));
  EXPECT_TRUE(writeI32(bytes, 2, -2));
  EXPECT_TRUE(writeF64(bytes, 6, -1234.5));
  EXPECT_EQ(bytes[0], 0xEF);
  EXPECT_EQ(bytes[1], 0xBE);
  EXPECT_EQ(readI32(bytes, 2), -2);
  EXPECT_EQ(readF64(bytes, 6), -1234.5);

  const std::array<std::uint8_t, 14> before = bytes;
  EXPECT_FALSE(writeU32(bytes, 11, 0x11223344));
  EXPECT_FALSE(writeU64(bytes, 7, 1));
  EXPECT_FALSE(writeU16(bytes, kHuge, 1));
  EXPECT_EQ(bytes, before) << "a refused write must leave every byte alone";
}

TEST(LittleEndian, UnsignedExtremesRoundTrip) {
  std::array<std::uint8_t, 8> bytes{};
  for (const std::uint64_t value : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{0x8000000000000000u},
                                    std::numeric_limits<std::uint64_t>::max()}) {
    ASSERT_TRUE(writeU64(bytes, 0, value));
    EXPECT_EQ(readU64(bytes, 0), value);
  }
  ASSERT_TRUE(writeU32(bytes, 4, 0xFFFFFFFFu));
  EXPECT_EQ(readU32(bytes, 4), 0xFFFFFFFFu);
  EXPECT_EQ(readI32(bytes, 4), -1);
}

}  // namespace
}  // namespace platform::le
