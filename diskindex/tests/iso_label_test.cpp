#include "diskindex/core/scan/iso_label.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace diskindex::scan {
namespace {

namespace L = iso_layout;

class Descriptors {
 public:
  Descriptors() : m_bytes(L::kFirstDescriptorOffset, 0) {}
  // Appends one descriptor sector; id is written as given (bytes).
  std::uint8_t* add(std::uint8_t type, const std::string& id = {}) {
    const std::size_t at = m_bytes.size();
    m_bytes.resize(at + L::kSectorSize, 0);
    std::uint8_t* d = m_bytes.data() + at;
    d[L::kTypeOffset] = type;
    std::memcpy(d + L::kMagicOffset, "CD001", 5);
    std::memset(d + L::kVolumeIdOffset, ' ', L::kVolumeIdLength);
    std::memcpy(d + L::kVolumeIdOffset, id.data(), std::min(id.size(), L::kVolumeIdLength));
    return d;
  }
  std::uint8_t* addJoliet(const std::u16string& id) {
    std::uint8_t* d = add(L::kSupplementaryType);
    std::memset(d + L::kVolumeIdOffset, 0, L::kVolumeIdLength);
    for (std::size_t i = 0; i < id.size() && 2 * i + 1 < L::kVolumeIdLength; ++i) {
      d[L::kVolumeIdOffset + 2 * i] = static_cast<std::uint8_t>(id[i] >> 8);
      d[L::kVolumeIdOffset + 2 * i + 1] = static_cast<std::uint8_t>(id[i]);
    }
    std::memcpy(d + L::kEscapeOffset, "%/E", 3);
    return d;
  }
  std::vector<std::uint8_t>& bytes() { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

TEST(IsoLabel, PrimaryIdentifierWithoutItsBlanksAndTheVolumeSize) {
  Descriptors image;
  std::uint8_t* primary = image.add(L::kPrimaryType, "URLAUB_2019");
  primary[L::kVolumeBlocksOffset] = 0x10;  // 0x010010 blocks
  primary[L::kVolumeBlocksOffset + 2] = 0x01;
  primary[L::kBlockSizeOffset + 1] = 0x08;  // 2048 bytes
  image.add(L::kTerminatorType);
  const auto info = readIsoVolumeInfo(image.bytes());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->label, "URLAUB_2019");
  EXPECT_EQ(info->volumeBytes, 0x010010u * 2048u);
}

TEST(IsoLabel, JolietIdentifierIsPreferredForItsCaseAndUmlauts) {
  Descriptors image;
  image.add(L::kPrimaryType, "FOTOS_AUS_KOLN");
  image.addJoliet(u"Fotos aus Köln");
  const auto info = readIsoVolumeInfo(image.bytes());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->label, "Fotos aus Köln");
}

TEST(IsoLabel, SupplementaryDescriptorsWithoutJolietEscapeAreIgnored) {
  Descriptors image;
  image.add(L::kPrimaryType, "PRIMAR");
  image.add(L::kSupplementaryType, "ANDERS");
  EXPECT_EQ(readIsoVolumeInfo(image.bytes())->label, "PRIMAR");
}

TEST(IsoLabel, DescriptorsAfterTheTerminatorAreNotRead) {
  Descriptors image;
  image.add(L::kPrimaryType, "VORHER");
  image.add(L::kTerminatorType);
  image.addJoliet(u"Danach");
  EXPECT_EQ(readIsoVolumeInfo(image.bytes())->label, "VORHER");
}

TEST(IsoLabel, ShortOrForeignBytesGiveNoAnswer) {
  Descriptors image;
  image.add(L::kPrimaryType, "GANZ");
  std::vector<std::uint8_t> cut(image.bytes().begin(), image.bytes().end() - 1);
  EXPECT_FALSE(readIsoVolumeInfo(cut));
  EXPECT_FALSE(readIsoVolumeInfo({}));
  image.bytes()[L::kFirstDescriptorOffset + L::kMagicOffset] = 'X';
  EXPECT_FALSE(readIsoVolumeInfo(image.bytes()));
}

TEST(IsoLabel, NoPrimaryDescriptorWithinTheLimitGivesNoAnswer) {
  Descriptors image;
  for (std::size_t i = 0; i < L::kMaxDescriptors + 4; ++i) image.add(L::kSupplementaryType, "X");
  EXPECT_FALSE(readIsoVolumeInfo(image.bytes()));
}

}  // namespace
}  // namespace diskindex::scan
