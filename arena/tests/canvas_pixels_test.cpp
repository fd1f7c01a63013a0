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

// The shield and the fire ring are drawn by each paint, within its area: the
// shield a two-pixel square, the ring a band of outlines in the fire colours
// from the cell it started as out to the ring.
TEST_F(CanvasPixelsTest, PaintsDrawTheShieldSquareAndTheFireRingsBandInTheirColours) {
  Frame plain;
  plain.pass.area = {0, 0, 320, 240};
  pixels.present(plain);
  const QImage lawn = pixels.window().copy();
  Frame frame = plain;
  frame.shield = Rect{20, 20, 101, 101};
  frame.fireRingStart = Rect{150, 60, 250, 160};
  frame.fireRing = frame.fireRingStart->inflated(12);
  pixels.present(frame);
  const QImage& shown = pixels.window();
  const QRgb shieldColour = pixels.glowColour(*frame.shield, Glow::Shield);
  EXPECT_EQ(shown.pixel(20, 20), shieldColour);
  EXPECT_EQ(shown.pixel(21, 60), shieldColour) << "two pixels thick";
  EXPECT_EQ(shown.pixel(22, 60), lawn.pixel(22, 60)) << "the inside stays";
  EXPECT_EQ(shown.pixel(100, 60), shieldColour);
  // Each outline of the band has the colour of its own width.
  for (int k = 1; k <= 12; ++k) {
    const Rect r = frame.fireRingStart->inflated(k);
    EXPECT_EQ(shown.pixel(r.left, 110), pixels.glowColour(r, Glow::FireRing)) << k;
    EXPECT_EQ(shown.pixel(200, r.bottom - 1), pixels.glowColour(r, Glow::FireRing)) << k;
  }
  EXPECT_NE(pixels.glowColour(frame.fireRingStart->inflated(1), Glow::FireRing),
            pixels.glowColour(frame.fireRingStart->inflated(2), Glow::FireRing));
  EXPECT_EQ(shown.pixel(200, 110), lawn.pixel(200, 110)) << "the cell inside the band stays";
  EXPECT_EQ(shown.pixel(150, 60), lawn.pixel(150, 60)) << "the cell's own edge is no outline";
  // A paint elsewhere leaves them; a paint over them without them wipes them.
  Frame corner = plain;
  corner.pass.area = {300, 220, 320, 240};
  pixels.present(corner);
  EXPECT_EQ(pixels.window().pixel(20, 20), shieldColour);
  pixels.present(plain);
  EXPECT_EQ(pixels.window(), lawn);
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
