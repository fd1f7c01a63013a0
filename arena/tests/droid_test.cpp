#include "arena/core/droid.h"

#include <gtest/gtest.h>

#include "arena/core/arena_canvas.h"
#include "arena/core/game_state.h"
#include "arena_test_support.h"

namespace arena {
namespace {

// A state with no garden: the window shows world (0, 0) to (400, 300) and
// there are no walls unless a test adds them.
struct Field {
  Field() { state.clientSize = {400, 300}; }
  CDroid& add(Heading heading, int32_t phase, int32_t speed, int32_t x, int32_t y) {
    auto droid = std::make_unique<CDroid>(heading, phase, speed);
    droid->sprite().placeAt(x, y);
    CDroid& ref = *droid;
    state.sprites.append(&ref.sprite());
    state.droids.append(std::move(droid));
    return ref;
  }
  GameState state;
};

bool touchesEdge(const CSprite& s) {
  return s.left() <= 100 || s.top() <= 100 || s.rect().right >= 1800 || s.rect().bottom >= 1800;
}

TEST(Droid, CreationTakesThreeDrawsAndStartsWithTheOtherPhaseFrame) {
  GameState state;
  state.random.seed(1);  // 41, 18467, 6334: phase 1, heading 18467 & 7 = 3 (left), speed 30
  CDroid& droid = createDroid(state);
  EXPECT_EQ(droid.phase(), 1);
  EXPECT_EQ(droid.heading(), Heading::Left);
  EXPECT_EQ(droid.speed(), 30);
  EXPECT_EQ(droid.sprite().imageId(), droidFrame(Heading::Left, 0));
  EXPECT_EQ(state.random.draw(), 26500);
  EXPECT_TRUE(droid.sprite().testFlag(sprite_flag::kWorld));
  EXPECT_TRUE(droid.sprite().testFlag(sprite_flag::kMasked));
  EXPECT_EQ(CDroid(Heading::Down, 1, 30).sprite().imageId(), 160);
}

TEST(Droid, SpawnInTheCornerReheadsAfterEveryMoveUntilInside) {
  Field f;
  CDroid& droid = f.add(Heading::Up, 1, 30, 1790, 1790);
  int reheads = 0;
  bool wasInside = false;
  for (int move = 0; move < 400 && !wasInside; ++move) {
    GameRandom expected = f.state.random;
    moveDroid(f.state, droid);
    if (touchesEdge(droid.sprite())) {
      expected.draw();
      ++reheads;
    } else {
      wasInside = true;
    }
    ASSERT_EQ(f.state.random.state(), expected.state()) << "move " << move;
  }
  EXPECT_TRUE(wasInside);
  EXPECT_GT(reheads, 0);
}

TEST(Droid, OffScreenDroidMovesEverySecondCallTwiceAsFar) {
  Field f;
  CDroid& droid = f.add(Heading::Right, 1, 30, 1000, 1000);
  const int32_t image = droid.sprite().imageId();
  moveDroid(f.state, droid);
  EXPECT_EQ(droid.sprite().left(), 1060);
  EXPECT_EQ(droid.phase(), 0);
  moveDroid(f.state, droid);
  EXPECT_EQ(droid.sprite().left(), 1060);
  EXPECT_EQ(droid.phase(), 1);
  moveDroid(f.state, droid);
  EXPECT_EQ(droid.sprite().left(), 1120);
  EXPECT_EQ(droid.sprite().imageId(), image);  // no animation off screen
  EXPECT_TRUE(f.state.dirtyRect.isEmpty());
}

TEST(Droid, VisibleDroidStepsEveryCallAnimatesAndDirtiesBothPlaces) {
  Field f;
  CDroid& droid = f.add(Heading::Down, 0, 35, 150, 120);
  moveDroid(f.state, droid);
  EXPECT_EQ(droid.sprite().top(), 155);
  EXPECT_EQ(droid.sprite().imageId(), droidFrame(Heading::Down, 0));
  EXPECT_EQ(droid.phase(), 1);
  EXPECT_EQ(f.state.dirtyRect,
            (Rect{150, 120, 150 + droid.sprite().width(), 155 + droid.sprite().height()}));
  moveDroid(f.state, droid);
  EXPECT_EQ(droid.sprite().top(), 190);
  EXPECT_EQ(droid.sprite().imageId(), droidFrame(Heading::Down, 1));
}

TEST(Droid, StepsStopAtThePlayingAreaOnEachAxis) {
  Field f;
  CDroid& right = f.add(Heading::DownRight, 0, 30, 1680, 500);
  stepDroid(f.state, right, 30);
  EXPECT_EQ(right.sprite().rect().right, 1800);  // 1680 + 106 + 30 >= 1800
  EXPECT_EQ(right.sprite().top(), 530);          // the other axis moves freely
  CDroid& up = f.add(Heading::UpLeft, 0, 30, 500, 125);
  stepDroid(f.state, up, 30);
  EXPECT_EQ(up.sprite().top(), 100);
  EXPECT_EQ(up.sprite().left(), 470);
  CDroid& left = f.add(Heading::Left, 0, 30, 129, 500);
  stepDroid(f.state, left, 30);
  EXPECT_EQ(left.sprite().left(), 100);
  CDroid& down = f.add(Heading::Down, 0, 30, 500, 1660);
  stepDroid(f.state, down, 30);
  EXPECT_EQ(down.sprite().rect().bottom, 1800);  // 1660 + 110 + 30 >= 1800
}

TEST(Droid, StepIntoAWallIsTakenBackWithANewHeading) {
  Field f;
  f.state.walls.append({700, 600, 1400, 700});
  CDroid& droid = f.add(Heading::Down, 0, 30, 800, 470);  // bottom 580
  GameRandom expected = f.state.random;
  stepDroid(f.state, droid, 30);
  EXPECT_EQ(droid.sprite().top(), 470);
  EXPECT_EQ(droid.sprite().left(), 800);
  const Heading newHeadings[] = {Heading::Up,     Heading::Down,      Heading::Left,
                                 Heading::Right,  Heading::DownRight, Heading::UpRight,
                                 Heading::UpLeft, Heading::DownLeft};
  EXPECT_EQ(droid.heading(), newHeadings[expected.draw() & 7]);
}

TEST(Droid, DestroyedDroidShowsAndKeepsItsDestroyedImage) {
  Field f;
  CDroid& droid = f.add(Heading::UpRight, 1, 30, 200, 200);
  const int32_t frame = droid.sprite().imageId();
  droid.destroy();
  EXPECT_TRUE(droid.destroyed());
  EXPECT_EQ(droid.sprite().imageId(), droidDestroyedImage(frame));
  moveDroid(f.state, droid);  // visible: animates, but stays a wreck
  EXPECT_EQ(droid.sprite().imageId(), droidDestroyedImage(droidFrame(Heading::UpRight, 1)));
}

}  // namespace
}  // namespace arena
