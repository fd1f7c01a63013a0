#include <gtest/gtest.h>

#include <algorithm>

#include "arena/core/arena_game.h"
#include "arena/core/hero.h"
#include "arena_test_support.h"

namespace arena {
namespace {

using test::played;
using test::Session;

CSprite& addPowerUp(GameState& state, int32_t imageId, int32_t x, int32_t y) {
  CSprite& p = state.treasures.append(
      std::make_unique<CSprite>(imageId, sprite_flag::kMasked | sprite_flag::kWorld, x, y));
  state.sprites.append(&p);
  state.walls.append(p.rect(), WallKind::PowerUpCell);
  return p;
}

CSprite& addShot(GameState& state, Heading heading, int32_t x, int32_t y) {
  CSprite& shot =
      state.shots.append(std::make_unique<CSprite>(image::kShotRed, sprite_flag::kMasked, x, y));
  shot.setHeading(heroImage(heading));
  state.sprites.append(&shot);
  return shot;
}

// A running garden 1 with a power-up cell at world (600, 200) and a shot that
// reaches it with its next step.
struct PowerUpShot : Session {
  explicit PowerUpShot(int32_t imageId) : Session(1) {
    start();
    powerUp = &addPowerUp(state, imageId, 600, 200);
    addShot(state, Heading::Right, 565, 230);
    walls = state.walls.count();
  }
  bool powerUpLies() const { return state.treasures.contains(powerUp); }
  CSprite* powerUp;
  size_t walls;
};

TEST(GameTickShots, FiringOnSpaceLeavesFromTheMuzzleAndFliesOnTicks) {
  Session s(1);
  s.start();
  GameRandom expected = s.state.random;
  s.game.keyDown(key::kSpace);
  ASSERT_EQ(s.state.shots.count(), 1u);
  const CSprite& shot = *s.state.shots.at(0);
  EXPECT_EQ(shot.imageId(), shotColour(expected.draw()));
  EXPECT_EQ(shot.heading(), 146);
  EXPECT_EQ(shot.rect(), Rect::fromSize(110 + 76, 110 + 76, 8, 8));
  EXPECT_TRUE(played(s.state, shotSound(shot.imageId())));
  EXPECT_TRUE(s.state.sprites.contains(&shot));
  s.game.keyDown(0x41);
  EXPECT_EQ(shot.rect().left, 186) << "keys do not move shots";
  s.game.tick();
  EXPECT_EQ(shot.rect(), Rect::fromSize(186 + 30, 186 + 30, 8, 8));
}

TEST(GameTickShots, MouseButtonsFireOnlyWhileRunningAndMoveNothingElse) {
  Session s(1);
  s.game.mouseButton();
  EXPECT_EQ(s.state.shots.count(), 0u);
  s.start();
  s.game.mouseButton();
  ASSERT_EQ(s.state.shots.count(), 1u);
  EXPECT_EQ(s.state.shots.at(0)->rect().left, 186);
  EXPECT_EQ(s.screen.frames.back().pass.area.left, 186);  // the new shot is painted at once
}

TEST(GameTickShots, ShotsLeavingTheWindowOrThePlayingAreaAreRemoved) {
  Session s(1);
  s.start();
  s.state.walls.removeAll();
  CSprite& up = addShot(s.state, Heading::Up, 400, 20);        // leaves the window
  CSprite& left = addShot(s.state, Heading::Left, 120, 400);   // world 90 < 100
  CSprite& stays = addShot(s.state, Heading::Down, 400, 300);  // keeps flying
  s.game.tick();
  EXPECT_FALSE(s.state.shots.contains(&up));
  EXPECT_FALSE(s.state.shots.contains(&left));
  ASSERT_TRUE(s.state.shots.contains(&stays));
  EXPECT_EQ(stays.top(), 330);
  EXPECT_FALSE(s.state.sprites.contains(&up));
  // A moving shot repaints where it was and where it is.
  EXPECT_TRUE(s.screen.frames.back().pass.area.overlaps(Rect{400, 300, 408, 338}));
}

TEST(GameTickShots, ShotDestroysADroidWhoseWreckShowsForHalfASecondThenGoesForAHundredPoints) {
  Session s(1);
  s.start();
  s.state.walls.removeAll();
  CDroid& droid = s.state.droids.at(0);
  droid.setHeading(Heading::Down);
  droid.sprite().placeAt(400, 300);
  CSprite& shot = addShot(s.state, Heading::Down, 440, 330);
  s.game.timer();
  EXPECT_TRUE(droid.destroyed());
  EXPECT_FALSE(s.state.shots.contains(&shot));
  EXPECT_TRUE(played(s.state, "DROIDHIT.WAV"));
  EXPECT_EQ(s.state.score, 0);
  const size_t droids = s.state.droids.count();
  const Rect wreck = droid.sprite().rect();
  const int32_t wreckImage = droid.sprite().imageId();
  const auto info =
      std::ranges::find_if(allImages(), [&](const ImageInfo& i) { return i.id == wreckImage; });
  ASSERT_NE(info, allImages().end());
  EXPECT_EQ(info->kind, ImageKind::DroidDestroyed);
  for (int i = 1; i < kWreckTicks; ++i) {
    s.game.timer();
    ASSERT_EQ(s.state.droids.count(), droids) << "tick " << i;
    EXPECT_EQ(droid.sprite().rect(), wreck) << "the wreck does not move";
    EXPECT_EQ(droid.sprite().imageId(), wreckImage);
  }
  EXPECT_EQ(s.state.score, 0);
  s.game.timer();
  EXPECT_EQ(s.state.droids.count(), droids - 1);
  EXPECT_EQ(s.state.score, 100);
}

TEST(GameTickPowerUps, ShotTakesAPowerUpOnATick) {
  PowerUpShot s(image::kWaveOfLife);
  s.game.timer();
  EXPECT_FALSE(s.powerUpLies());
  EXPECT_EQ(s.state.walls.count(), s.walls - 1);
  EXPECT_EQ(s.state.shots.count(), 0u);
  EXPECT_EQ(s.state.score, 50);
  EXPECT_TRUE(s.hero().shieldActive());
  EXPECT_TRUE(played(s.state, "SHIELD.WAV"));
}

TEST(GameTickPowerUps, AKeyPressMovesNoShotAndTheNextTickTakesThePowerUp) {
  PowerUpShot s(image::kWildFire);
  for (int32_t k : {0x41, key::kF2, key::kRight}) s.game.keyDown(k);
  EXPECT_TRUE(s.powerUpLies());
  EXPECT_EQ(s.state.shots.count(), 1u);
  EXPECT_EQ(s.state.shots.at(0)->left(), 565);
  s.game.timer();
  EXPECT_FALSE(s.powerUpLies());
  EXPECT_TRUE(s.state.fireRing);
}

TEST(GameTickPowerUps, WaveOfLifeShotWhileShieldedStaysInPlace) {
  PowerUpShot s(image::kWaveOfLife);
  s.hero().startShield();
  s.game.timer();
  EXPECT_TRUE(s.powerUpLies());
  EXPECT_EQ(s.state.walls.count(), s.walls);
  EXPECT_EQ(s.state.shots.count(), 0u);
  EXPECT_EQ(s.state.score, 0);
}

TEST(GameTickPowerUps, DoubleWhiteLightningGivesOneDoubleShotPerDroid) {
  Session s(3);
  s.start();
  while (s.state.droids.count() > 12) {
    s.state.sprites.remove(&s.state.droids.at(0).sprite());
    s.state.droids.removeAt(0);
  }
  s.state.droids.at(0).destroy();  // destroyed but still listed: counted
  s.game.takePowerUp(addPowerUp(s.state, image::kDoubleWhiteLightning, 1000, 1000));
  EXPECT_EQ(s.hero().doubleShots(), 12);
  EXPECT_TRUE(played(s.state, "DUBGUN.WAV"));
  s.hero().startShield();
  s.game.mouseButton();
  EXPECT_EQ(s.hero().doubleShots(), 12);  // not counted while shielded
  s.hero().setShield(0);
  for (int i = 0; i < 12; ++i) s.game.mouseButton();
  EXPECT_EQ(s.hero().doubleShots(), 0);
  ASSERT_EQ(s.state.shots.count(), 26u);
  for (size_t i = 0; i < 26; ++i) EXPECT_EQ(s.state.shots.at(i)->imageId(), image::kShotWhite);
  s.game.mouseButton();
  EXPECT_EQ(s.state.shots.count(), 27u);
  EXPECT_NE(s.state.shots.at(26)->imageId(), image::kShotWhite);
}

TEST(GameTickPowerUps, WildFireRingGrowsAPixelPerTickAndEndsAfter251Ticks) {
  Session s(1, {1600, 1400});  // the whole ring stays in the window
  s.start();
  test::removeDroids(s.state);  // no droid reaches the hero meanwhile
  s.game.takePowerUp(addPowerUp(s.state, image::kWildFire, 1000, 1000));
  ASSERT_TRUE(s.state.fireRing);
  EXPECT_TRUE(played(s.state, "FIRE.WAV"));
  // A second Wild Fire while one burns stays where it is.
  CSprite& second = addPowerUp(s.state, image::kWildFire, 1500, 1000);
  s.game.takePowerUp(second);
  EXPECT_TRUE(s.state.treasures.contains(&second));
  for (int i = 1; i <= 250; ++i) {
    s.game.tick();
    s.state.posted.clear();
    // Every tick paints the ring's whole area with its band.
    ASSERT_EQ(s.screen.frames.back().fireRing, (Rect{1000 - i, 1000 - i, 1100 + i, 1100 + i}));
    ASSERT_EQ(s.screen.frames.back().fireRingStart, (Rect{1000, 1000, 1100, 1100}));
    ASSERT_EQ(s.screen.frames.back().pass.area.united(*s.screen.frames.back().fireRing),
              s.screen.frames.back().pass.area);
  }
  ASSERT_TRUE(s.state.fireRing);
  EXPECT_EQ(*s.state.fireRing, (Rect{750, 750, 1350, 1350}));
  s.game.tick();
  EXPECT_FALSE(s.state.fireRing);
  const Rect area = s.screen.frames.back().pass.area;  // the band is wiped
  EXPECT_EQ(area.united(Rect{749, 749, 1351, 1351}), area);
  EXPECT_FALSE(s.screen.frames.back().fireRing);
}

TEST(GameTickPowerUps, HeroInsideTheSpreadingRingIsHitWhenItArrives) {
  Session s(1);
  s.start();
  s.state.fireRing = Rect{200, 200, 300, 300};
  int ticks = 0;
  while (heroHeading(s.hero().imageId()) && ticks < 100) {
    s.game.timer();
    ++ticks;
  }
  EXPECT_EQ(ticks, 15);  // the ring's left edge passes the hero's right edge (186)
  EXPECT_TRUE(played(s.state, "HEROHIT.WAV"));
  // The hit picture shows while the world, the ring included, stands still.
  const Rect ring = *s.state.fireRing;
  for (int i = 1; i < kHitPictureTicks; ++i) s.game.timer();
  EXPECT_EQ(*s.state.fireRing, ring);
  EXPECT_EQ(s.state.lives, 5);
  s.game.timer();
  EXPECT_EQ(s.state.lives, 4);
  EXPECT_FALSE(s.state.fireRing);  // the restart cancels it
}

TEST(GameTickPowerUps, ShieldLastsAHundredTicksGrowingAPixelATick) {
  Session s(1);
  s.start();
  test::removeDroids(s.state);
  s.hero().startShield();
  for (int value = 2; value <= 100; ++value) {
    s.game.tick();
    s.state.posted.clear();
    ASSERT_EQ(s.hero().shield(), value);
    // The paint covers the old square and shows the new one.
    const Frame& f = s.screen.frames.back();
    ASSERT_EQ(f.shield, s.hero().rect().inflated(value));
    ASSERT_EQ(f.pass.area.united(s.hero().rect().inflated(value)), f.pass.area);
  }
  EXPECT_TRUE(s.hero().shieldActive());
  s.game.tick();
  EXPECT_FALSE(s.hero().shieldActive());
  const Frame& last = s.screen.frames.back();
  EXPECT_FALSE(last.shield);
  EXPECT_EQ(last.pass.area.united(s.hero().rect().inflated(100)), last.pass.area)
      << "the last square is painted away";
}

}  // namespace
}  // namespace arena
