#include <gtest/gtest.h>

#include <bit>

#include "arcade/imagelib/bitmap_format.h"
#include "arcade/imagelib/image_cache.h"
#include "arcade/imagelib/indexed_image.h"
#include "arcade/renderer/renderer.h"
#include "support/fakes.h"

namespace arcade {
namespace {

struct Expected {
  int id, width, height;
};

// The generated resources: 8-bit, a full colour table equal to the game
// palette, widths a multiple of 4, and (where the renderer indexes rows by
// shifting) power-of-two widths.
TEST(Artwork, BitmapsAreEightBitGamePaletteImagesOfTheExpectedSizes) {
  const Expected all[] = {{1002, 128, 128}, {1003, 128, 128}, {1004, 128, 128}, {1005, 128, 128},
                          {1006, 128, 128}, {1007, 128, 128}, {1008, 128, 128}, {1009, 128, 128},
                          {1010, 128, 128}, {1011, 128, 128}, {1250, 64, 64},   {1251, 112, 16},
                          {1252, 56, 8},    {1253, 112, 16},  {1254, 56, 8},    {1255, 32, 32},
                          {1299, 640, 480}};
  const DirectoryResources res(testing::artDirectory());
  for (const Expected& e : all) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(res.Load(ResourceType::Bitmap, e.id, bytes)) << e.id;
    const auto info = bmp::readInfoHeader(bytes, bmp::kFileHeaderSize);
    ASSERT_TRUE(info) << e.id;
    EXPECT_EQ(info->bitCount, 8) << e.id;
    EXPECT_EQ(info->width, e.width) << e.id;
    EXPECT_EQ(info->height, e.height) << e.id;
    EXPECT_EQ(info->width % 4, 0) << e.id;
    EXPECT_EQ(bmp::readColourTable(bytes, bmp::kFileHeaderSize + bmp::kInfoHeaderSize),
              CGamePalette::TableEntries())
        << e.id;
    if (e.id < 1251 || e.id == 1255) {
      EXPECT_TRUE(std::has_single_bit(unsigned(e.width))) << e.id;
    }
  }
}

TEST(Artwork, TexturesLoadUnchangedAndDifferFromEachOther) {
  const CGamePalette palette;
  const DirectoryResources res(testing::artDirectory());
  testing::RecordingReporter reporter;
  ImageLibrary library{palette, res, reporter};
  std::vector<std::vector<std::uint8_t>> seen;
  for (int id = 1002; id <= 1011; ++id) {
    CIndexedImage img;
    ASSERT_TRUE(img.LoadResource(library, id)) << id;
    std::vector<std::uint8_t> file;
    res.Load(ResourceType::Bitmap, id, file);
    const std::vector<std::uint8_t> px(img.pixels, img.pixels + img.size);
    EXPECT_TRUE(std::equal(px.begin(), px.end(), file.begin() + 1078)) << id;
    // Rich enough to look like a surface, not a flat fill.
    std::array<bool, 256> used{};
    for (std::uint8_t p : px) used[p] = true;
    EXPECT_GE(std::count(used.begin(), used.end(), true), 12) << id;
    for (const auto& other : seen) EXPECT_NE(px, other) << id;
    seen.push_back(px);
  }
  EXPECT_EQ(reporter.beeps, 0);
}

TEST(Artwork, BallSitsOnKeyColourAndOverlayGlyphsOnTransparentBlack) {
  const CGamePalette palette;
  const DirectoryResources res(testing::artDirectory());
  testing::RecordingReporter reporter;
  ImageLibrary library{palette, res, reporter};
  CIndexedImage ball;
  ASSERT_TRUE(ball.LoadResource(library, 1255));
  EXPECT_EQ(*ball.PixelAt(0, 0), 250);
  EXPECT_EQ(*ball.PixelAt(31, 31), 250);
  EXPECT_NE(*ball.PixelAt(16, 16), 250);
  CIndexedImage digits;
  ASSERT_TRUE(digits.LoadResource(library, 1253));
  // Each of the ten digits and both glyphs has lit pixels in its columns.
  auto lit = [&](int u0, int w) {
    int n = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = u0; x < u0 + w; ++x) n += *digits.PixelAt(x, y) != 0;
    }
    return n;
  };
  for (int d = 0; d < 10; ++d) EXPECT_GT(lit(10 * d, 10), 10) << d;
  EXPECT_GT(lit(100, 5), 3);
  EXPECT_GT(lit(105, 5), 3);
  EXPECT_EQ(*digits.PixelAt(111, 0), 0);
}

// The overlay on the generated artwork reads "Score 0" and "Time 00:..",
// never "Score0": between the last lit column of a label and the first of
// its value lies a blank of a space's width (6 pixels at full size, 3 at
// half size, where each pixel is shown doubled).
TEST(Artwork, OverlayValuesStandApartFromTheirLabels) {
  const CGamePalette palette;
  const DirectoryResources res(testing::artDirectory());
  testing::RecordingReporter reporter;
  ImageLibrary library{palette, res, reporter};
  CTextureSlots textures(library);
  for (const Resolution r : {Resolution::High, Resolution::Normal}) {
    const bool high = r == Resolution::High;
    SCOPED_TRACE(high ? "high" : "normal");
    const int clientWidth = 576;
    CRenderer renderer(palette, reporter, textures, clientWidth, 432, r);
    renderer.SetOverlay({0, 0, 0, false, 0});
    renderer.Render(nullptr, Fixed::fromDouble(0.6), false);
    const int w = renderer.width, h = renderer.height;
    const int band = high ? 16 : 8, top = h - (high ? 20 : 10);
    auto litColumn = [&](int x) {
      for (int y = top; y < top + band && y < h; ++y) {
        if (renderer.pixels[y * w + x] != renderer.backgroundIndex()) return true;
      }
      return false;
    };
    // The score label is blitted over x = 4..63 (2..31 at half size), the
    // time label ends 137 - 50 (65 - 25) columns before the right edge at
    // the most; the values follow each.
    auto gapAfter = [&](int labelEnd) {
      int last = labelEnd;
      while (last > 0 && !litColumn(last)) --last;
      int first = labelEnd + 1;
      while (first < w && !litColumn(first)) ++first;
      EXPECT_LT(first, w) << "a value follows the label";
      return first - last - 1;
    };
    const int minGap = high ? 6 : 3;
    EXPECT_GE(gapAfter(high ? 63 : 31), minGap) << "Score and its value";
    EXPECT_GE(gapAfter(w - (high ? 137 - 50 : 65 - 25) - 1), minGap) << "Time and its value";
  }
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace arcade
