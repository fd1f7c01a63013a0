// The canvas pixels and the key map of the window, without a window.
#include "arena/ui/canvas_pixels.h"

#include <gtest/gtest.h>

#include <Qt>

#include "arena/core/keys.h"
#include "arena/ui/key_map.h"

namespace arena::ui {
namespace {

const DroxImages& bank() {
  static const DroxImages images;
  return images;
}

QRgb opaque(QRgb c) {
  return c | 0xFF000000u;
}

class CanvasPixelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.clientSize = {320, 240};
    canvas = std::make_unique<CArenaCanvas>(state);
    pixels.buildWorld(*canvas);
    pixels.resize(state.clientSize);
  }

  GameState state;
  std::unique_ptr<CArenaCanvas> canvas;
  CArenaPixels pixels{bank()};
};

TEST_F(CanvasPixelsTest, TheWorldHoldsTheLawnAndTheMaskedWallTiles) {
  const QImage& lawn = bank().picture(image::kBackground);
  // Second row and column of the pattern, inside an open cell (500..600).
  EXPECT_EQ(pixels.world().pixel(478 + 30, 642 + 20), opaque(lawn.pixel(30, 20)));
  // The top-left border cell of garden 1 is the default tile: opaque where
  // the tile is, lawn where it is transparent.
  const QImage& tile = bank().picture(image::kTileDefault);
  ASSERT_NE(qAlpha(tile.pixel(50, 50)), 0);
  ASSERT_EQ(qAlpha(tile.pixel(0, 0)), 0);
  EXPECT_EQ(pixels.world().pixel(50, 50), opaque(tile.pixel(50, 50)));
  EXPECT_EQ(pixels.world().pixel(0, 0), opaque(lawn.pixel(0, 0)));
}

TEST_F(CanvasPixelsTest, APaintCopiesItsAreaFromTheScrolledWorldAndDrawsSpritesMasked) {
  Frame frame;
  frame.scroll = {200, 300};
  frame.pass.area = {20, 10, 220, 150};
  const Rect hero = Rect::fromSize(40, 30, 76, 76);
  frame.pass.sprites.push_back({image::kHeroStart, hero});
  pixels.present(frame);
  EXPECT_EQ(pixels.lastCopiedPixels(), 200 * 140);
  const QImage& shown = pixels.window();
  EXPECT_EQ(shown.pixel(219, 149), pixels.world().pixel(419, 449));
  EXPECT_EQ(shown.pixel(221, 149), qRgb(0, 0, 0)) << "outside the area nothing is copied";
  const QImage& picture = bank().picture(image::kHeroStart);
  EXPECT_EQ(shown.pixel(40, 30), pixels.world().pixel(240, 330)) << "transparent corner";
  EXPECT_EQ(shown.pixel(40 + 38, 30 + 42), opaque(picture.pixel(38, 42)));
}

TEST_F(CanvasPixelsTest, OverlaysBlitOnlyTheirSourceCell) {
  pixels.drawOverlay({image::kScoreDigits, Rect::fromSize(45, 0, 15, 21), {100, 100}});
  const QImage& digits = bank().picture(image::kScoreDigits);
  int drawn = 0;
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 15; ++x) {
      if (qAlpha(digits.pixel(45 + x, y)) == 0) continue;
      EXPECT_EQ(pixels.window().pixel(100 + x, 100 + y), opaque(digits.pixel(45 + x, y)));
      ++drawn;
    }
  }
  EXPECT_GT(drawn, 20);
  EXPECT_EQ(pixels.window().pixel(99, 105), qRgb(0, 0, 0));
  EXPECT_EQ(pixels.window().pixel(115, 105), qRgb(0, 0, 0));
}

TEST(DroxKeyMap, QtKeysBecomeTheGamesVirtualKeys) {
  EXPECT_EQ(virtualKeyFor(Qt::Key_Return), key::kReturn);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Enter), key::kReturn);
  EXPECT_EQ(virtualKeyFor(Qt::Key_PageUp), key::kPrior);
  EXPECT_EQ(virtualKeyFor(Qt::Key_PageDown), key::kNext);
  EXPECT_EQ(virtualKeyFor(Qt::Key_End), key::kEnd);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Home), key::kHome);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Down), key::kDown);
  EXPECT_EQ(virtualKeyFor(Qt::Key_F1), key::kF1);
  EXPECT_EQ(virtualKeyFor(Qt::Key_F2), key::kF2);
  EXPECT_EQ(virtualKeyFor(Qt::Key_A), 0x41);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Z), 0x5A);
  EXPECT_EQ(virtualKeyFor(Qt::Key_7), 0x37);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Space), key::kSpace);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Escape), key::kEscape);
  EXPECT_EQ(virtualKeyFor(Qt::Key_unknown), 0);
}

}  // namespace
}  // namespace arena::ui
