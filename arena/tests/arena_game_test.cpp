#include "arena/core/arena_game.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "arena_test_support.h"

namespace arena {
namespace {

using test::played;
using test::Session;
using test::snapshot;

void placeDroidOnHero(Session& s, size_t index) {
  CDroid& droid = s.state.droids.at(index);
  droid.setHeading(Heading::Down);
  const Point scroll = s.state.scroll();
  droid.sprite().placeAt(s.hero().left() + scroll.x, s.hero().top() + scroll.y);
}

// Starts the game, then a droid takes the hero's last life on the next tick.
void loseTheLastLifeWith1234Points(Session& s) {
  s.start();
  s.state.lives = 1;
  s.state.score = 1234;
  placeDroidOnHero(s, 0);
  s.game.timer();
  test::sitOutTheHit(s.game);
}

TEST(ArenaGameRules, FirstGardenIsPausedUntilEnter) {
  Session s(1);
  ASSERT_TRUE(s.state.paused);
  ASSERT_FALSE(s.screen.frames.empty());
  EXPECT_EQ(s.screen.frames.back().overlays.front().imageId, image::kTitle);
  const std::string before = snapshot(s.game);
  for (int32_t k : {key::kRight, key::kSpace, key::kF2, key::kEscape, 0x41}) s.game.keyDown(k);
  s.game.mouseButton();
  for (int i = 0; i < 5; ++i) s.game.timer();
  EXPECT_EQ(snapshot(s.game), before);
  s.game.keyDown(key::kReturn);
  EXPECT_FALSE(s.state.paused);
  EXPECT_TRUE(s.screen.frames.back().overlays.empty());
  s.game.timer();
  EXPECT_NE(snapshot(s.game), before);
}

// Only the timer moves the world: a running key moves at most the hero.
TEST(ArenaGameRules, RunningKeysMoveNoDroidAndNoShotAndF2TogglesSound) {
  Session s(2);
  s.start();
  s.game.keyDown(key::kSpace);
  const std::string before = snapshot(s.game);
  s.game.keyDown(key::kF2);
  EXPECT_FALSE(s.state.soundOn);
  s.state.soundOn = true;
  for (int i = 0; i < 10; ++i) s.game.keyDown(0x41);
  EXPECT_EQ(snapshot(s.game), before);
  std::vector<Rect> droids;
  for (size_t i = 0; i < s.state.droids.count(); ++i) {
    droids.push_back(s.state.droids.at(i).sprite().rect());
  }
  const Rect shot = s.state.shots.at(0)->rect();
  for (int32_t k : {key::kRight, key::kDown, key::kNext, key::kLeft}) s.game.keyDown(k);
  EXPECT_NE(s.hero().rect().left, 110);
  EXPECT_EQ(s.state.shots.at(0)->rect(), shot);
  for (size_t i = 0; i < droids.size(); ++i) {
    EXPECT_EQ(s.state.droids.at(i).sprite().rect(), droids[i]);
  }
  s.game.keyDown(key::kF2);
  s.state.sounds.clear();
  s.game.keyDown(key::kSpace);
  EXPECT_TRUE(s.state.sounds.empty());  // no sound is queued while sound is off
}

TEST(ArenaGameRules, EscapeAndF1PauseWithoutMovingAnything) {
  Session s(1);
  s.start();
  const std::string running = snapshot(s.game);
  s.game.keyDown(key::kEscape);
  EXPECT_TRUE(s.state.paused);
  s.state.paused = false;
  EXPECT_EQ(snapshot(s.game), running);
  s.game.keyDown(key::kF1);
  EXPECT_TRUE(s.state.paused);
  EXPECT_EQ(s.screen.helpOpened, 1);
  s.game.keyDown(key::kF1);  // help also opens while paused
  EXPECT_EQ(s.screen.helpOpened, 2);
}

TEST(ArenaGameRules, ClearedGardenIsDeclaredOnTheTickAfterTheLastWreckWent) {
  Session s(1);
  s.start();
  for (size_t i = 0; i < s.state.droids.count(); ++i) s.state.droids.at(i).destroy();
  for (int i = 1; i < kWreckTicks; ++i) s.game.timer();
  EXPECT_EQ(s.state.droids.count(), 5u) << "the wrecks still show";
  s.game.timer();
  EXPECT_EQ(s.state.droids.count(), 0u);
  EXPECT_EQ(s.state.score, 500);
  EXPECT_EQ(s.state.garden, 1);
  EXPECT_FALSE(s.state.paused);
  s.game.timer();
  EXPECT_EQ(s.state.garden, 2);
  EXPECT_EQ(s.state.score, 1500);
  EXPECT_TRUE(s.state.paused);
  EXPECT_EQ(s.state.droids.count(), 10u);
  EXPECT_TRUE(played(s.state, "WINLEVEL.WAV"));
  // The banner with the bonus stands in the title's place, then the title
  // comes back; Enter would have started play at once.
  const Banner cleared{BannerKind::GardenCleared, kBannerTicks, kPointsGarden};
  EXPECT_EQ(s.screen.frames.back().overlays, overlayLayout({800, 600}, 1500, 2, 5, cleared));
  EXPECT_EQ(s.screen.frames.back().overlays.front().imageId, image::kGardenClearedBanner);
  for (int i = 1; i < kBannerTicks; ++i) s.game.timer();
  EXPECT_EQ(s.screen.frames.back().overlays.front().imageId, image::kGardenClearedBanner);
  s.game.timer();
  EXPECT_FALSE(s.state.banner.active());
  EXPECT_EQ(s.screen.frames.back().overlays, overlayLayout({800, 600}, 1500, 2, 5));
}

TEST(ArenaGameRules, AHitShowsTheHitPictureForASecondThenCostsOneLifeEvenFromSeveralDroids) {
  Session s(2);
  s.start();
  placeDroidOnHero(s, 0);
  placeDroidOnHero(s, 1);
  s.game.timer();
  EXPECT_EQ(s.hero().imageId(), heroHitImage(image::kHeroStart));
  EXPECT_TRUE(played(s.state, "HEROHIT.WAV"));
  EXPECT_FALSE(played(s.state, "LOSLEVEL.WAV")) << "the hit sound is not cut off at once";
  const std::string hit = snapshot(s.game);
  for (int i = 1; i < kHitPictureTicks; ++i) {
    s.game.timer();
    s.game.keyDown(key::kRight);
    s.game.keyDown(key::kSpace);
  }
  EXPECT_EQ(snapshot(s.game), hit) << "the garden and the hero stand still";
  EXPECT_EQ(s.state.lives, 5);
  s.game.timer();
  EXPECT_EQ(s.state.lives, 4);
  EXPECT_EQ(s.state.garden, 2);
  EXPECT_TRUE(s.state.paused);
  EXPECT_TRUE(s.state.posted.empty());
  EXPECT_TRUE(played(s.state, "LOSLEVEL.WAV"));
  EXPECT_EQ(s.screen.frames.back().overlays.front().imageId, image::kLifeLostBanner);
  // The same garden starts again: every droid back at the spawn point.
  EXPECT_EQ(s.state.droids.count(), 10u);
  for (size_t i = 0; i < 10; ++i) EXPECT_EQ(s.state.droids.at(i).sprite().left(), 1790);
  EXPECT_EQ(s.hero().imageId(), image::kHeroStart);
  EXPECT_EQ(s.hero().rect().left, 110);
  s.game.keyDown(key::kReturn);
  EXPECT_FALSE(s.state.banner.active()) << "Enter plays on at once";
}

TEST(ArenaGameRules, ShieldedHeroIsNotHurtByDroids) {
  Session s(2);
  s.start();
  s.hero().startShield();
  placeDroidOnHero(s, 0);
  s.game.timer();
  EXPECT_EQ(s.state.lives, 5);
  EXPECT_FALSE(s.state.paused);
}

TEST(ArenaGameRules, LosingTheLastLifeStartsANewGamePausedAtGardenOne) {
  Session s(4);
  loseTheLastLifeWith1234Points(s);
  EXPECT_EQ(s.state.garden, 1);
  EXPECT_EQ(s.state.lives, 5);
  EXPECT_EQ(s.state.score, 0);
  EXPECT_TRUE(s.state.paused);
  EXPECT_EQ(s.state.droids.count(), 5u);
  EXPECT_TRUE(played(s.state, "GAMEOVER.WAV"));
  s.game.keyDown(key::kReturn);
  EXPECT_FALSE(s.state.paused);
  EXPECT_EQ(s.state.lives, 5);
}

TEST(ArenaGameRules, TheGameOverBannerShowsOnceOverTheFinalScoreAndTheLastLife) {
  Session s(4);
  loseTheLastLifeWith1234Points(s);
  ASSERT_EQ(s.screen.windowBlits.size(), 1u);
  EXPECT_EQ(s.screen.windowBlits[0].blit, gameOverBanner({800, 600}));
  // The banner goes over garden 1's paint, which still counts the old game.
  const size_t paints = s.screen.windowBlits[0].framesBefore;
  ASSERT_EQ(paints, s.screen.frames.size());
  EXPECT_EQ(s.screen.frames.back().overlays, overlayLayout({800, 600}, 1234, 1, 1));
  // Any later paint shows the new game and no banner.
  s.game.paint();
  EXPECT_EQ(s.screen.frames.back().overlays, overlayLayout({800, 600}, 0, 1, 5));
  s.game.keyDown(key::kF1);
  s.game.keyDown(key::kReturn);
  EXPECT_EQ(s.screen.windowBlits.size(), 1u);
}

TEST(ArenaGameRules, ResizeRestartsTheSameGardenAndPauses) {
  Session s(3);
  s.start();
  for (int32_t k : {key::kRight, key::kDown, key::kNext, key::kRight}) {
    s.game.keyDown(k);
    s.game.timer();
  }
  s.game.resize({640, 480});
  EXPECT_TRUE(s.state.paused);
  EXPECT_EQ(s.state.clientSize, (Size{640, 480}));
  EXPECT_EQ(s.state.canvas->backBufferSize(), (Size{640, 480}));
  Session fresh(3, {640, 480});
  s.state.sounds.clear();
  fresh.state.sounds.clear();
  EXPECT_EQ(snapshot(s.game), snapshot(fresh.game));
}

TEST(ArenaGameView, AWindowLargerThanTheGardenIsCappedToIt) {
  EXPECT_EQ(ArenaGame::viewSize({2500, 1000}), (Size{1900, 1000}));
  EXPECT_EQ(ArenaGame::viewSize({640, 4000}), (Size{640, 1900}));
  EXPECT_EQ(ArenaGame::viewSize({-5, 1900}), (Size{0, 1900}));
  Session s(1, {2500, 2200});
  EXPECT_EQ(s.state.clientSize, (Size{1900, 1900}));
  EXPECT_EQ(s.state.canvas->backBufferSize(), (Size{1900, 1900}));
  EXPECT_EQ(s.screen.frames.back().pass.area, (Rect{0, 0, 1900, 1900}));
  s.game.resize({3000, 700});
  EXPECT_EQ(s.state.clientSize, (Size{1900, 700}));
}

TEST(ArenaGameRules, ResizeBeforeTheFirstGardenOnlyStoresTheSize) {
  GameState state;
  ArenaGame game(state);
  game.resize({300, 200});
  EXPECT_EQ(state.clientSize, (Size{300, 200}));
  EXPECT_EQ(state.canvas, nullptr);
  game.keyDown(key::kReturn);
  game.timer();
  EXPECT_TRUE(state.paused);
}

TEST(ArenaGameRules, DeactivationStopsTheTimerAndPauses) {
  Session s(1);
  s.game.activate(true);
  EXPECT_EQ(s.game.timerId(), 1);
  s.start();
  s.game.activate(false);
  EXPECT_EQ(s.game.timerId(), 0);
  EXPECT_TRUE(s.state.paused);
}

TEST(ArenaGameKeys, AHeroStillInAWallAfterThePushGoesBackWithTheScroll) {
  Session blocked(1);
  Session free(1);
  for (Session* s : {&blocked, &free}) {
    s->start();
    s->state.walls.removeAll();
    s->state.walls.append({200, 180, 400, 400});
  }
  blocked.state.walls.append({100, 200, 130, 230});
  blocked.game.keyDown(key::kNext);
  free.game.keyDown(key::kNext);
  EXPECT_EQ(free.hero().left(), 124);  // pushed out sideways (the tie rule)
  EXPECT_EQ(free.hero().top(), 140);
  EXPECT_EQ(blocked.hero().left(), 110);
  EXPECT_EQ(blocked.hero().top(), 110);
  EXPECT_EQ(blocked.state.scroll(), (Point{0, 0}));
}

// Walks the hero, with no walls in the way, to every edge and corner and back
// and forth in windows of many sizes, larger and smaller than the garden: it
// reaches every edge of the playing area and never steps onto the border.
TEST(ArenaGameKeys, TheHeroNeverWalksOutOfThePlayingArea) {
  const int32_t headings[] = {key::kPrior, key::kNext, key::kEnd,   key::kHome,
                              key::kLeft,  key::kUp,   key::kRight, key::kDown};
  const Rect playArea{kPlayMin, kPlayMin, kPlayMax, kPlayMax};
  for (const Size client : {Size{2600, 2400}, Size{1900, 1900}, Size{2000, 500}, Size{800, 600},
                            Size{400, 300}, Size{250, 250}, Size{120, 90}, Size{40, 30}}) {
    Session s(1, client);
    s.start();
    s.state.walls.removeAll();
    uint32_t lcg = 12345;
    std::vector<int32_t> walk;
    for (int32_t k : headings) walk.insert(walk.end(), 80, k);
    for (int i = 0; i < 600; ++i) {
      lcg = lcg * 1103515245u + 12345u;
      walk.insert(walk.end(), 1 + (lcg >> 16) % 20, headings[(lcg >> 8) % 8]);
    }
    Rect reach = s.hero().worldRect(s.state.scroll());
    for (size_t i = 0; i < walk.size(); ++i) {
      s.game.keyDown(walk[i]);
      const Rect world = s.hero().worldRect(s.state.scroll());
      ASSERT_TRUE(playArea.contains(world))
          << "client " << client << ", key " << i << ": hero at " << world;
      reach = reach.united(world);
    }
    EXPECT_EQ(reach, playArea) << "client " << client;
  }
}

TEST(ArenaGameKeys, AHeroMoveRepaintsTheWholeWindowWithTheShieldAroundTheHero) {
  Session s(1);
  s.start();
  s.hero().startShield();
  s.game.keyDown(key::kDown);
  EXPECT_EQ(s.screen.frames.back().pass.area, (Rect{0, 0, 800, 600}));
  EXPECT_EQ(s.screen.frames.back().scroll, s.state.scroll());
  EXPECT_EQ(s.screen.frames.back().shield, s.hero().rect().inflated(1));
}

}  // namespace
}  // namespace arena

namespace arena {
namespace {

TEST(ArenaGameStatus, PanesAreWrittenAtGardenStartsTicksAndResizes) {
  Session s(3);
  ASSERT_EQ(s.state.status.lives, 5);
  EXPECT_EQ(s.state.status.score, 0);
  EXPECT_FALSE(s.state.status.droids) << "no tick and no resize since the garden was built";
  s.game.resize({640, 480});
  EXPECT_EQ(s.state.status.droids, 15);
  s.start();
  s.state.score = 70;
  s.game.timer();
  EXPECT_EQ(s.state.status.score, 70);
  EXPECT_EQ(s.state.status.droids, static_cast<int32_t>(s.state.droids.count()));
}

TEST(ArenaGameStatus, AfterTheLastLifeTheScorePaneKeepsTheFinalScore) {
  Session s(1);
  s.start();
  s.state.lives = 1;
  s.state.score = 1234;
  CDroid& droid = s.state.droids.at(0);
  droid.setHeading(Heading::Down);
  droid.sprite().placeAt(s.hero().left() + s.state.scroll().x, s.hero().top() + s.state.scroll().y);
  const uint32_t startsBefore = s.state.gardenStarts;
  s.game.timer();
  test::sitOutTheHit(s.game);
  EXPECT_EQ(s.state.score, 0);
  EXPECT_EQ(s.state.status.score, 1234);
  EXPECT_EQ(s.state.status.lives, 5);
  EXPECT_EQ(s.state.gardenStarts, startsBefore + 1);
  s.game.timer();  // paused: nothing is written
  EXPECT_EQ(s.state.status.score, 1234);
}

}  // namespace
}  // namespace arena
