// The generated pictures and sounds as the game loads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "arena/core/images.h"
#include "arena/core/sounds.h"
#include "arena/ui/image_bank.h"
#include "platform/wave_file.h"

namespace arena {
namespace {

std::vector<uint8_t> readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

std::vector<uint8_t> bitmap(int32_t id) {
  return readAll(std::filesystem::path(DROX_ART_DIR) / ("bitmap_" + std::to_string(id) + ".bmp"));
}

constexpr size_t kColourTable = 54;
constexpr size_t kColourTableBytes = 256 * 4;

TEST(DroxArtwork, EveryPictureIsAn8BitBitmapOfItsSizeInTheGamePalette) {
  const std::vector<uint8_t> carrier = bitmap(image::kPalette);
  ASSERT_GE(carrier.size(), kColourTable + kColourTableBytes);
  for (const ImageInfo& info : allImages()) {
    const std::vector<uint8_t> b = bitmap(info.id);
    ASSERT_GE(b.size(), kColourTable + kColourTableBytes) << info.id;
    EXPECT_EQ(b[0], 'B') << info.id;
    EXPECT_EQ(le32(b, 18), static_cast<uint32_t>(info.width)) << info.id;
    EXPECT_EQ(le32(b, 22), static_cast<uint32_t>(info.height)) << info.id;
    EXPECT_EQ(b[28], 8) << info.id << " bits per pixel";
    // Entry 0 is black, the transparent colour; no other entry is.
    EXPECT_EQ(b[kColourTable] | b[kColourTable + 1] | b[kColourTable + 2], 0) << info.id;
    for (size_t i = 1; i < 256; ++i) {
      const size_t at = kColourTable + 4 * i;
      EXPECT_NE(b[at] | b[at + 1] | b[at + 2], 0) << info.id << " entry " << i;
    }
    EXPECT_TRUE(std::equal(b.begin() + kColourTable, b.begin() + kColourTable + kColourTableBytes,
                           carrier.begin() + kColourTable))
        << info.id << " has a palette of its own";
  }
}

// Sprites and overlays are drawn masked: they need transparent black around
// a solid figure. Wall tiles are masked too but may fill their whole cell (a
// brick wall does). The background is copied whole and has no holes.
TEST(DroxArtwork, MaskedPicturesHaveTransparentBlackAroundASolidFigure) {
  ui::DroxImages images;
  EXPECT_TRUE(images.missing().empty()) << images.missing().front();
  for (const ImageInfo& info : allImages()) {
    const QImage& picture = images.picture(info.id);
    ASSERT_EQ(picture.size(), QSize(info.width, info.height)) << info.id;
    int64_t clear = 0;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) clear += qAlpha(picture.pixel(x, y)) == 0;
    }
    const int64_t all = static_cast<int64_t>(info.width) * info.height;
    if (info.kind == ImageKind::Background || info.kind == ImageKind::Palette ||
        info.kind == ImageKind::Colours) {
      EXPECT_EQ(clear, 0) << info.id;
    } else {
      if (info.kind != ImageKind::Tile) {
        EXPECT_GT(clear, 0) << info.id << " has no transparent pixel";
      }
      EXPECT_LT(clear, all * 9 / 10) << info.id << " is nearly empty";
    }
  }
  EXPECT_EQ(qAlpha(images.picture(image::kHeroStart).pixel(0, 0)), 0);
  EXPECT_TRUE(images.picture(203).isNull());
}

TEST(DroxSounds, EveryFileIsAShortDistinctSoundAtAFullButUnclippedLevel) {
  std::set<std::vector<uint8_t>> seen;
  for (std::string_view name : sound::kAll) {
    const auto bytes = readAll(std::filesystem::path(DROX_SOUND_DIR) / std::string(name));
    const platform::WaveData wave = platform::parseWave(bytes);
    ASSERT_EQ(wave.error, platform::WaveError::Ok) << name;
    EXPECT_EQ(wave.format.bitsPerSample, 16) << name;
    EXPECT_EQ(wave.format.channels, 1) << name;
    const double seconds = static_cast<double>(wave.frames()) / wave.format.sampleRate;
    EXPECT_GT(seconds, 0.1) << name;
    EXPECT_LT(seconds, 3.0) << name;
    int peak = 0;
    for (size_t i = 0; i + 1 < wave.samples.size(); i += 2) {
      const auto v = static_cast<int16_t>(wave.samples[i] | wave.samples[i + 1] << 8);
      peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    EXPECT_GT(peak, 32767 * 6 / 10) << name << " is too quiet";
    EXPECT_LT(peak, 32767 * 95 / 100) << name << " clips";
    EXPECT_TRUE(seen.insert(wave.samples).second) << name << " sounds like another one";
  }
}

}  // namespace
}  // namespace arena
