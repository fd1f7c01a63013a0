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

// The shield and the fire ring: solid outlines in the glow colours that a
// second drawing erases exactly, also where the two cross, and that a paint
// over them wipes for good.
TEST_F(CanvasPixelsTest, GlowOutlinesEraseWhenDrawnTwiceAndShowTheirColours) {
  Frame frame;
  frame.pass.area = {0, 0, 320, 240};
  pixels.present(frame);
  const QImage before = pixels.window().copy();
  const Rect ring{100, 80, 201, 161};
  pixels.drawGlow(ring, Glow::FireRing);
  const QImage once = pixels.window().copy();
  EXPECT_EQ(once.pixel(100, 80), pixels.glowColour(ring, Glow::FireRing));
  EXPECT_EQ(once.pixel(101, 80), pixels.glowColour(ring, Glow::FireRing)) << "solid, not dotted";
  EXPECT_EQ(once.pixel(150, 120), before.pixel(150, 120)) << "the inside stays";
  EXPECT_NE(pixels.glowColour(ring, Glow::FireRing), pixels.glowColour(ring, Glow::Shield));
  // A shield crossing the ring, then both erased in the other order.
  const Rect shield{60, 60, 131, 131};
  pixels.drawGlow(shield, Glow::Shield);
  EXPECT_EQ(pixels.window().pixel(61, 61), pixels.glowColour(shield, Glow::Shield))
      << "the shield is two pixels thick";
  pixels.drawGlow(ring, Glow::FireRing);
  pixels.drawGlow(shield, Glow::Shield);
  EXPECT_EQ(pixels.window(), before);
  // The ring leaves nested outlines; a paint wipes them, and drawing the
  // same rectangle after the paint draws it again instead of erasing.
  pixels.drawGlow(ring, Glow::FireRing);
  pixels.drawGlow(ring.inflated(1), Glow::FireRing);
  EXPECT_NE(pixels.window().pixel(99, 79), before.pixel(99, 79));
  EXPECT_NE(pixels.window().pixel(100, 80), before.pixel(100, 80));
  pixels.present(frame);
  EXPECT_EQ(pixels.window(), before);
  pixels.drawGlow(ring, Glow::FireRing);
  EXPECT_EQ(pixels.window().pixel(100, 80), pixels.glowColour(ring, Glow::FireRing));
}

TEST(DroxKeyMap, QtKeysBecomeTheGamesVirtualKeys) {
  EXPECT_EQ(virtualKeyFor(Qt::Key_Return), key::kReturn);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Enter), key::kReturn);
  EXPECT_EQ(virtualKeyFor(Qt::Key_F1), key::kF1);
  EXPECT_EQ(virtualKeyFor(Qt::Key_F2), key::kF2);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Space), key::kSpace);
  EXPECT_EQ(virtualKeyFor(Qt::Key_Escape), key::kEscape);
  EXPECT_EQ(virtualKeyFor(Qt::Key_unknown), 0);
}

TEST(DroxKeyMap, ArrowsWasdAndTheKeypadMoveTheHero) {
  const auto heading = [](int qtKey, bool keypad = false, bool plain = true) {
    const auto move = moveKeyFor(qtKey, keypad, plain);
    return move ? headingOf(*move) : std::nullopt;
  };
  EXPECT_EQ(heading(Qt::Key_Left), Heading::Left);
  EXPECT_EQ(heading(Qt::Key_PageUp), Heading::UpRight);
  EXPECT_EQ(heading(Qt::Key_End), Heading::DownLeft);
  EXPECT_EQ(heading(Qt::Key_W), Heading::Up);
  EXPECT_EQ(heading(Qt::Key_A), Heading::Left);
  EXPECT_EQ(heading(Qt::Key_S), Heading::Down);
  EXPECT_EQ(heading(Qt::Key_D), Heading::Right);
  EXPECT_EQ(heading(Qt::Key_S, false, false), std::nullopt) << "Ctrl+S is no move";
  EXPECT_EQ(heading(Qt::Key_8, true), Heading::Up);
  EXPECT_EQ(heading(Qt::Key_9, true), Heading::UpRight);
  EXPECT_EQ(heading(Qt::Key_1, true), Heading::DownLeft);
  EXPECT_EQ(heading(Qt::Key_5, true), std::nullopt);
  EXPECT_EQ(heading(Qt::Key_8), std::nullopt) << "the main row's 8 is no move";
  // Held straight keys add up; opposites cancel.
  EXPECT_EQ(headingOf({1, -1}), Heading::UpRight);
  EXPECT_EQ(headingOf({-1, 1}), Heading::DownLeft);
  EXPECT_EQ(headingOf({0, 0}), std::nullopt);
}

}  // namespace
}  // namespace arena::ui
