#include "arena/core/garden_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "arena/core/arena_canvas.h"
#include "arena/core/game_state.h"
#include "arena_test_support.h"

namespace arena {
namespace {

struct Built {
  explicit Built(int32_t garden) {
    state.garden = garden;
    state.canvas = std::make_unique<CArenaCanvas>(state);
  }
  const std::vector<TilePaint>& tiles() const { return state.canvas->tiles(); }
  GameState state;
};

size_t powerUpCells(const CWallList& walls) {
  size_t n = 0;
  for (size_t i = 0; i < walls.count(); ++i) n += walls.kindAt(i) == WallKind::PowerUpCell;
  return n;
}

TEST(GardenBuilder, GardenOneFollowsTheWorkedExample) {
  Built g(1);
  const CWallList& walls = g.state.walls;
  ASSERT_GE(walls.count(), 3u);
  EXPECT_EQ(walls.at(0), (Rect{300, 300, 500, 400}));  // run over two cells
  EXPECT_EQ(walls.at(1), (Rect{700, 300, 800, 400}));  // the power-up cell
  EXPECT_EQ(walls.kindAt(1), WallKind::PowerUpCell);
  EXPECT_EQ(walls.at(2).left, 900);  // the next run opens at 900
  EXPECT_EQ(walls.at(2).top, 300);
  ASSERT_GE(g.state.treasures.count(), 1u);
  EXPECT_EQ(g.state.treasures.at(0)->imageId(), image::kDoubleWhiteLightning);
  EXPECT_EQ(g.state.treasures.at(0)->rect(), (Rect{700, 300, 800, 400}));

  EXPECT_EQ(walls.count(), 30u);
  EXPECT_EQ(powerUpCells(walls), 8u);
  EXPECT_EQ(g.state.treasures.count(), 8u);

  struct Expected {
    int32_t phase;
    Heading heading;
    int32_t speed;
  };
  const Expected droids[] = {{1, Heading::UpRight, 30},
                             {1, Heading::Right, 35},
                             {1, Heading::Right, 30},
                             {0, Heading::Down, 35},
                             {1, Heading::Left, 35}};
  ASSERT_EQ(g.state.droids.count(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    const CDroid& d = g.state.droids.at(i);
    EXPECT_EQ(d.phase(), droids[i].phase) << "droid " << i;
    EXPECT_EQ(d.heading(), droids[i].heading) << "droid " << i;
    EXPECT_EQ(d.speed(), droids[i].speed) << "droid " << i;
    EXPECT_EQ(d.sprite().left(), 1790);
    EXPECT_EQ(d.sprite().top(), 1790);
    EXPECT_EQ(d.kind(), 103);
  }
  // Draw list: the power-ups in laying order, then the droids.
  ASSERT_EQ(g.state.sprites.count(), 13u);
  EXPECT_EQ(g.state.sprites.at(0), g.state.treasures.at(0));
  EXPECT_EQ(g.state.sprites.at(8), &g.state.droids.at(0).sprite());
}

TEST(GardenBuilder, SameNumberGivesTheSameGardenAfterPlayInBetween) {
  test::Session session(3);
  const std::string before = test::snapshot(session.game);
  session.start();
  for (int i = 0; i < 40; ++i) {
    session.game.keyDown(i % 3 == 0 ? key::kSpace : key::kNext);
    session.game.timer();
  }
  session.state.paused = true;
  session.game.startGarden();
  // Lives, score and sounds belong to the play, not to the garden.
  session.state.lives = 5;
  session.state.score = 0;
  session.state.sounds.clear();
  EXPECT_EQ(test::snapshot(session.game), before);
}

TEST(GardenBuilder, GardensBelowEightUseOneTileEverywhere) {
  for (int32_t garden = 1; garden <= 7; ++garden) {
    Built g(garden);
    const int32_t expected =
        garden == 1 ? 167 : std::array{210, 211, 213, 214, 216, 217}[garden - 2];
    EXPECT_EQ(gardenTile(garden), expected);
    for (const TilePaint& t : g.tiles()) ASSERT_EQ(t.imageId, expected) << "garden " << garden;
  }
  Built seven(7);
  EXPECT_EQ(seven.tiles().front().imageId, 217);
}

TEST(GardenBuilder, BorderIsPaintedCellByCellInOrderAndNeverWalled) {
  Built g(2);
  ASSERT_GE(g.tiles().size(), 72u);
  EXPECT_EQ(g.tiles()[0], (TilePaint{210, 0, 0}));
  EXPECT_EQ(g.tiles()[18], (TilePaint{210, 1800, 0}));
  EXPECT_EQ(g.tiles()[19], (TilePaint{210, 0, 1800}));
  EXPECT_EQ(g.tiles()[38], (TilePaint{210, 0, 100}));
  EXPECT_EQ(g.tiles()[54], (TilePaint{210, 0, 1700}));
  EXPECT_EQ(g.tiles()[55], (TilePaint{210, 1800, 100}));
  EXPECT_EQ(g.tiles()[71], (TilePaint{210, 1800, 1700}));
  std::set<std::pair<int32_t, int32_t>> border;
  for (size_t i = 0; i < 72; ++i) border.insert({g.tiles()[i].x, g.tiles()[i].y});
  EXPECT_EQ(border.size(), 72u);
}

TEST(GardenBuilder, GardenEightDrawsOneTileForEachBorderCellBeforeItsLines) {
  Built g(8);
  GameRandom random;
  random.seed(8);
  for (size_t i = 0; i < 72; ++i) {
    ASSERT_EQ(g.tiles()[i].imageId, randomTile(random.draw())) << "border cell " << i;
  }
  // The next draw decides the first candidate cell (300, 300); a wall cell
  // takes one more draw for its own tile.
  const int32_t first = random.draw();
  if (first & 1) {
    EXPECT_EQ(g.state.walls.at(0).left, 300);
    EXPECT_EQ(g.tiles()[72], (TilePaint{randomTile(random.draw()), 300, 300}));
  } else {
    EXPECT_NE(g.tiles()[72].x, 300);
  }
  // Every wall cell of a run was painted once, after the border.
  size_t cells = 0;
  for (size_t i = 0; i < g.state.walls.count(); ++i) {
    const Rect& w = g.state.walls.at(i);
    if (g.state.walls.kindAt(i) == WallKind::Run) cells += std::max(w.width(), w.height()) / 100;
  }
  EXPECT_EQ(g.tiles().size(), 72u + cells);
}

TEST(GardenBuilder, RandomTileTableCoversEveryDrawValue) {
  const int32_t expected[] = {167, 210, 211, 213, 214, 216, 217, 167};
  for (int32_t r = 0; r < 32; ++r) EXPECT_EQ(randomTile(r), expected[r & 7]) << r;
}

TEST(GardenBuilder, DroidCountIsFivePerGardenUpToFifty) {
  EXPECT_EQ(Built(2).state.droids.count(), 10u);
  EXPECT_EQ(Built(9).state.droids.count(), 45u);
  EXPECT_EQ(Built(10).state.droids.count(), 50u);
  EXPECT_EQ(Built(11).state.droids.count(), 50u);
  EXPECT_EQ(Built(1000).state.droids.count(), 50u);
  EXPECT_EQ(gardenDroidCount(0), 0);
  EXPECT_EQ(gardenDroidCount(-5), 0);
}

// Properties every garden has: walls stay on the candidate cells of the ten
// lines, runs are one cell thick, power-up cells are single cells holding a
// power-up, and some lines end with a run still open at 1600.
TEST(GardenBuilder, WallsStayOnTheLinesAndSomeRunsEndAtTheLastCandidate) {
  int runsEndingAt1600 = 0;
  for (int32_t garden = 1; garden <= 40; ++garden) {
    Built g(garden);
    size_t powerUps = 0;
    for (size_t i = 0; i < g.state.walls.count(); ++i) {
      const Rect& w = g.state.walls.at(i);
      ASSERT_GE(w.left, 300) << "garden " << garden << " wall " << w;
      ASSERT_GE(w.top, 300);
      ASSERT_LE(w.right, 1600);
      ASSERT_LE(w.bottom, 1600);
      ASSERT_TRUE(w.width() == 100 || w.height() == 100) << w;
      ASSERT_TRUE(w.left % 300 == 0 || w.top % 300 == 0) << w;
      if (g.state.walls.kindAt(i) == WallKind::PowerUpCell) {
        ASSERT_EQ(w.width(), 100);
        ASSERT_EQ(w.height(), 100);
        ASSERT_EQ(g.state.treasures.at(powerUps)->rect(), w);
        ++powerUps;
      } else if (w.right == 1600 && w.height() == 100 && w.width() > 100) {
        ++runsEndingAt1600;
      } else if (w.bottom == 1600 && w.width() == 100 && w.height() > 100) {
        ++runsEndingAt1600;
      }
    }
    EXPECT_EQ(powerUps, g.state.treasures.count());
  }
  EXPECT_GT(runsEndingAt1600, 0);
}

TEST(GardenBuilder, RebuildingReplacesShotsDroidsAndPowerUps) {
  test::Session session(2);
  session.start();
  session.game.keyDown(key::kSpace);
  ASSERT_EQ(session.state.shots.count(), 1u);
  session.state.paused = true;
  session.game.startGarden();
  EXPECT_EQ(session.state.shots.count(), 0u);
  EXPECT_EQ(session.state.droids.count(), 10u);
  // Draw list: power-ups, droids, then the hero last.
  EXPECT_EQ(session.state.sprites.count(), session.state.treasures.count() + 10u + 1u);
  EXPECT_EQ(session.state.sprites.at(session.state.sprites.count() - 1), session.game.hero());
}

}  // namespace
}  // namespace arena
