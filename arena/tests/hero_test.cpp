#include "arena/core/hero.h"

#include <gtest/gtest.h>

#include "arena/core/game_state.h"
#include "arena_test_support.h"

namespace arena {
namespace {

constexpr Size kClient{800, 600};  // scroll limits 1100 and 1300

CSprite heroAt(int32_t x, int32_t y, Heading heading = Heading::DownRight) {
  return CSprite(heroImage(heading), sprite_flag::kMasked, x, y);
}

TEST(HeroMove, OnTheNearHalfTheHeroWalksAndTheGardenStays) {
  CSprite hero = heroAt(110, 110);
  Point scroll{0, 0};
  moveHero(hero, Heading::Right, kClient, scroll);
  EXPECT_EQ(hero.imageId(), 141);
  EXPECT_EQ(hero.left(), 140);
  EXPECT_EQ(hero.top(), 110);
  EXPECT_EQ(scroll, (Point{0, 0}));
}

TEST(HeroMove, OnTheFarHalfTheGardenScrollsUnderTheHero) {
  CSprite hero = heroAt(500, 400);
  Point scroll{0, 0};
  moveHero(hero, Heading::Right, kClient, scroll);
  EXPECT_EQ(hero.left(), 500);
  EXPECT_EQ(scroll.x, 30);
  moveHero(hero, Heading::Down, kClient, scroll);
  EXPECT_EQ(hero.top(), 400);
  EXPECT_EQ(scroll.y, 30);
  Point nearEnd{1090, 0};
  moveHero(hero, Heading::Right, kClient, nearEnd);
  EXPECT_EQ(nearEnd.x, 1100);  // never beyond the world's edge
}

TEST(HeroMove, DiagonalKeyAtAFullyScrolledEdgeMovesTwoStepsStraightKeyNever) {
  CSprite diagonal = heroAt(100, 100);
  Point scroll{1100, 0};
  moveHero(diagonal, Heading::DownRight, kClient, scroll);
  EXPECT_EQ(diagonal.left(), 160);  // near-half step, then the edge step
  EXPECT_EQ(diagonal.top(), 130);   // vertical axis not at its limit: one step

  CSprite straightNear = heroAt(100, 100);
  scroll = {1100, 0};
  moveHero(straightNear, Heading::Right, kClient, scroll);
  EXPECT_EQ(straightNear.left(), 130);

  CSprite straightFar = heroAt(500, 100);
  scroll = {1100, 0};
  moveHero(straightFar, Heading::Right, kClient, scroll);
  EXPECT_EQ(straightFar.left(), 530);
  EXPECT_EQ(scroll.x, 1100);

  // The same on the left edge with the scroll offset at 0.
  CSprite upLeft = heroAt(600, 400);
  scroll = {0, 500};
  moveHero(upLeft, Heading::UpLeft, kClient, scroll);
  EXPECT_EQ(upLeft.left(), 540);
  EXPECT_EQ(upLeft.top(), 370);
  EXPECT_EQ(scroll, (Point{0, 500}));
  CSprite left = heroAt(600, 400);
  scroll = {0, 500};
  moveHero(left, Heading::Left, kClient, scroll);
  EXPECT_EQ(left.left(), 570);
}

TEST(HeroMove, AtTheEdgesTheHeroKeepsAHundredPixelsFromTheWindowBorder) {
  CSprite hero = heroAt(600, 300);
  Point scroll{1100, 1300};
  moveHero(hero, Heading::Right, kClient, scroll);  // 600 + 84 + 30 > 700
  EXPECT_EQ(hero.left(), 800 - 84 - 100);
  CSprite low = heroAt(110, 110);
  Point zero{0, 0};
  moveHero(low, Heading::Up, kClient, zero);
  EXPECT_EQ(low.top(), 100);
  moveHero(low, Heading::Left, kClient, zero);
  EXPECT_EQ(low.left(), 100);
}

TEST(HeroMove, AViewAsLargeAsTheGardenNeverScrolls) {
  EXPECT_EQ(scrollLimit(1900), 0);
  EXPECT_EQ(scrollLimit(800), 1100);
  CSprite hero = heroAt(1300, 500);
  Point scroll{0, 0};
  moveHero(hero, Heading::Right, {1900, 1900}, scroll);
  EXPECT_EQ(scroll, (Point{0, 0}));
  EXPECT_EQ(hero.left(), 1330);
}

TEST(HeroMove, InANarrowWindowTheHeroStopsAtThePlayingAreasEdge) {
  // At the scroll limit a near-half step would take the 84 pixel wide hero
  // from 1700 to 1730 in the world, over the border at 1800; it stops at
  // 1800 - 84. A window of 426 pixels or more never needs this.
  CSprite hero = heroAt(100, 100, Heading::Right);
  Point scroll{1600, 0};
  moveHero(hero, Heading::Right, {300, 600}, scroll);
  EXPECT_EQ(scroll.x, 1600);
  EXPECT_EQ(hero.left(), 116);
}

TEST(HeroPushOut, StraightMovesStopAtTheWallSide) {
  const Rect wall{400, 300, 500, 400};
  const Point scroll{100, 50};
  CSprite hero = heroAt(0, 0, Heading::Right);
  pushHeroOut(hero, Heading::Right, wall, scroll);
  EXPECT_EQ(hero.left(), 400 - 84 - 100);
  pushHeroOut(hero, Heading::Left, wall, scroll);
  EXPECT_EQ(hero.left(), 500 - 100);
  CSprite tall = heroAt(0, 0, Heading::Down);
  pushHeroOut(tall, Heading::Down, wall, scroll);
  EXPECT_EQ(tall.top(), 300 - 84 - 50);
  pushHeroOut(tall, Heading::Up, wall, scroll);
  EXPECT_EQ(tall.top(), 400 - 50);
}

TEST(HeroPushOut, DiagonalsPushVerticallyOnlyForAStrictlySmallerOverlap) {
  const Rect wall{400, 400, 500, 500};
  // Down-right into the wall's top-left corner, 20 down and 30 across.
  CSprite a = heroAt(400 - 76 + 30, 400 - 76 + 20);
  pushHeroOut(a, Heading::DownRight, wall, {0, 0});
  EXPECT_EQ(a.top(), 400 - 76);
  EXPECT_EQ(a.left(), 354);
  // A tie pushes sideways.
  CSprite b = heroAt(400 - 76 + 25, 400 - 76 + 25);
  pushHeroOut(b, Heading::DownRight, wall, {0, 0});
  EXPECT_EQ(b.left(), 400 - 76);
  EXPECT_EQ(b.top(), 349);
  // Up-left into the bottom-right corner, 10 up and 40 across.
  CSprite c = heroAt(500 - 40, 500 - 10, Heading::UpLeft);
  pushHeroOut(c, Heading::UpLeft, wall, {0, 0});
  EXPECT_EQ(c.top(), 500);
  EXPECT_EQ(c.left(), 460);
  // Up-right and down-left with a larger vertical overlap push sideways.
  CSprite d = heroAt(400 - 76 + 10, 500 - 40, Heading::UpRight);
  pushHeroOut(d, Heading::UpRight, wall, {0, 0});
  EXPECT_EQ(d.left(), 400 - 76);
  CSprite e = heroAt(500 - 10, 400 - 76 + 40, Heading::DownLeft);
  pushHeroOut(e, Heading::DownLeft, wall, {0, 0});
  EXPECT_EQ(e.left(), 500);
}

// Single shots leave from the middle of the facing side (straight headings)
// or the facing corner (diagonals); the double gun fires from both ends of
// the facing side, or from the middles of the two sides meeting at the corner.
TEST(HeroGuns, MuzzlePointsSitOnTheFacingSides) {
  for (int32_t code = 33; code <= 40; ++code) {
    const auto heading = static_cast<Heading>(code);
    const CSprite hero = heroAt(200, 100, heading);
    const Rect r = hero.rect();
    const auto single = muzzlePoints(hero, false);
    const auto pair = muzzlePoints(hero, true);
    ASSERT_EQ(single.size(), 1u);
    ASSERT_EQ(pair.size(), 2u);
    const int32_t dx = headingDx(heading);
    const int32_t dy = headingDy(heading);
    const int32_t faceX = dx > 0 ? r.right : r.left;
    const int32_t faceY = dy > 0 ? r.bottom : r.top;
    const int32_t midX = r.left + r.width() / 2;
    const int32_t midY = r.top + r.height() / 2;
    if (dx != 0 && dy != 0) {
      EXPECT_EQ(single[0], (Point{faceX, faceY})) << code;
      EXPECT_TRUE((pair[0] == Point{midX, faceY} && pair[1] == Point{faceX, midY}) ||
                  (pair[0] == Point{faceX, midY} && pair[1] == Point{midX, faceY}))
          << code;
    } else if (dx != 0) {
      EXPECT_EQ(single[0], (Point{faceX, midY})) << code;
      EXPECT_EQ(pair[0], (Point{faceX, r.top})) << code;
      EXPECT_EQ(pair[1], (Point{faceX, r.bottom})) << code;
    } else {
      EXPECT_EQ(single[0], (Point{midX, faceY})) << code;
      EXPECT_EQ(pair[0], (Point{r.left, faceY})) << code;
      EXPECT_EQ(pair[1], (Point{r.right, faceY})) << code;
    }
  }
  const CSprite hit(heroHitImage(134), sprite_flag::kMasked, 0, 0);
  EXPECT_TRUE(muzzlePoints(hit, false).empty());
}

TEST(HeroGuns, ColourDrawPicksTheShotAndItsSound) {
  EXPECT_EQ(shotColour(0), 180);
  EXPECT_EQ(shotColour(5), 181);
  EXPECT_EQ(shotColour(6), 182);
  EXPECT_EQ(shotColour(32767), 183);
  EXPECT_EQ(shotSound(180), "RED.WAV");
  EXPECT_EQ(shotSound(181), "GREEN.WAV");
  EXPECT_EQ(shotSound(182), "BLUE.WAV");
  EXPECT_EQ(shotSound(183), "YELLOW.WAV");
  EXPECT_EQ(shotSound(205), "WHITE.WAV");
}

}  // namespace
}  // namespace arena
