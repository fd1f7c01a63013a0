// Banners in the game's own picture: where the box stands (rows count from
// the bottom), what it changes, how large the text gets, that the font has
// every character the banners use, and a golden checksum of one banner.
#include "arcade/renderer/banner.h"

#include <gtest/gtest.h>

#include <set>

#include "arcade/renderer/pixel_font.h"
#include "arcade/shell/level_banner.h"
#include "support/fakes.h"

namespace arcade {
namespace {

class BannerTest : public ::testing::Test {
 protected:
  // A frame of one flat grey, as the renderer leaves its picture.
  void MakePicture(int w, int h) {
    picture.Allocate(w, h, 1);
    grey = palette.Nearest(150, 150, 150);
    std::fill(picture.pixels, picture.pixels + w * h, grey);
  }
  std::uint8_t At(int x, int topDownY) const {
    return picture.pixels[(picture.height - 1 - topDownY) * picture.width + x];
  }
  std::uint8_t Index(Rgb c) const { return palette.Nearest(c.r, c.g, c.b); }

  CGamePalette palette;
  CIndexedImage picture;
  std::uint8_t grey = 0;
};

TEST_F(BannerTest, BoxStandsCentredInTheUpperPartAndChangesNothingOutsideIt) {
  MakePicture(288, 216);
  const BannerBox box = DrawBanner(picture, 287, palette, {"Level 3 cleared", "Time bonus 4,500"});
  EXPECT_NEAR(box.x + box.width / 2, 287 / 2, 1);
  EXPECT_LT(box.y + box.height / 2, 216 / 2) << "above the middle as shown";
  std::set<std::uint8_t> inside;
  for (int y = 0; y < 216; ++y) {
    for (int x = 0; x < 288; ++x) {
      const bool in = x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
      if (in) {
        inside.insert(At(x, y));
      } else {
        ASSERT_EQ(At(x, y), grey) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(inside.count(grey), 0u) << "the scene behind the box is darkened";
  EXPECT_EQ(inside.count(Index(kBannerFrame)), 1u);
  EXPECT_EQ(inside.count(Index(kBannerTitleTop)), 1u) << "title in the labels' colours";
  EXPECT_EQ(inside.count(Index(kBannerDetailBottom)), 1u) << "detail in the digits' colours";
  // The frame's top edge is the box's first row from the top, which is a
  // high row of the bottom-up picture.
  EXPECT_EQ(picture.pixels[(215 - box.y) * 288 + box.x + box.width / 2], Index(kBannerFrame));
}

TEST_F(BannerTest, TextIsAsLargeAsFitsAndTheDetailHalfAsLarge) {
  const BannerBox high = LayoutBanner(575, 432, {"Paused", "Press Space to play on"});
  EXPECT_EQ(high.titleScale, 4);
  EXPECT_EQ(high.detailScale, 2);
  const BannerBox normal = LayoutBanner(287, 216, {"Level 12 cleared", "Time bonus 0"});
  EXPECT_EQ(normal.titleScale, 2);
  EXPECT_EQ(normal.detailScale, 1);
  EXPECT_LE(normal.x + normal.width, 287);
  EXPECT_GE(normal.x, 0);
  const BannerBox low = LayoutBanner(287, 216, BannerFor(BannerKind::Demo, {}));
  EXPECT_GT(low.y, 216 * 3 / 4) << "the demo's banner keeps out of the play's way";
  EXPECT_LE(low.y + low.height, 216 - 216 / 20);
  const BannerBox narrow = LayoutBanner(100, 80, {"Level 12 cleared", ""});
  EXPECT_EQ(narrow.titleScale, 1);
  EXPECT_EQ(narrow.height, 7 + 2 * 3) << "no detail line: the title and its margins";
}

TEST_F(BannerTest, FontHasEveryCharacterTheBannersUse) {
  for (BannerKind kind : {BannerKind::Paused, BannerKind::BallLost, BannerKind::Cleared,
                          BannerKind::GameOver, BannerKind::Demo}) {
    for (const BannerFacts& facts : {BannerFacts{31, 1234567890, 9876543210, 3},
                                     BannerFacts{0, 0, 0, 0}, BannerFacts{9, 100, 250, 1}}) {
      const BannerText text = BannerFor(kind, facts);
      EXPECT_FALSE(text.title.empty());
      EXPECT_TRUE(PixelFontCovers(text.title)) << text.title;
      EXPECT_TRUE(PixelFontCovers(text.detail)) << text.detail;
    }
  }
  for (char c = ' '; c <= '~'; ++c) {
    if (const auto rows = PixelGlyph(c)) {
      for (std::uint8_t row : *rows) EXPECT_LT(row, 32) << "five columns: " << c;
    }
  }
  EXPECT_FALSE(PixelGlyph('\x7f').has_value());
}

TEST_F(BannerTest, PausedBannerGoldenChecksum) {
  MakePicture(288, 216);
  DrawBanner(picture, 287, palette, {"Paused", "Press Space to play on"});
  EXPECT_EQ(testing::fnv1a({picture.pixels, 288u * 216u}), 0xf8a370e46947f7a1ull);
}

}  // namespace
}  // namespace arcade
