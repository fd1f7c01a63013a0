// The ball: serving, the paddle bounce, floor and ceiling bounces, the
// stuck-ball rescue and losing a ball.
#include <gtest/gtest.h>

#include <cmath>

#include "arcade/world/block.h"
#include "arcade/world/geometry.h"
#include "support/world_fixture.h"

namespace arcade {
namespace {

using testing::WorldTest;

class BallTest : public WorldTest {
 protected:
  void SetUp() override {
    Build(0);
    EmptyLevel();
  }
  CBall& ball() { return world->Ball(); }
  // One tick of ball motion alone (16 sub-steps of a 50 ms step).
  void Fly() { ball().TickUpdate(3276, {}); }
};

TEST_F(BallTest, HeldBallIsServedAutomaticallyAfterItsCountdown) {
  EXPECT_EQ(ball().state(), BallState::Held);
  for (int i = 0; i < 80; ++i) Tick();
  EXPECT_EQ(ball().state(), BallState::Held);
  Tick();
  EXPECT_EQ(ball().state(), BallState::InFlight);
}

TEST_F(BallTest, FireServesAtOnceWhenTheWayIsFree) {
  WorldInput fire;
  fire.fire = true;
  Tick(fire);
  EXPECT_EQ(ball().state(), BallState::InFlight);
}

TEST_F(BallTest, FireDoesNotServeIntoAnObject) {
  const Vector3 at = ball().position;
  world->AddSolid<CBlock>(at - Vector3{fx(3), fx(3), fx(3)}, at + Vector3{fx(3), fx(3), fx(3)}, 1,
                          3, nullptr);
  WorldInput fire;
  fire.fire = true;
  Tick(fire);
  EXPECT_EQ(ball().state(), BallState::Held);
}

TEST_F(BallTest, PaddleCentreSendsTheBallBackTowardTheCentre) {
  Tick();
  const Vector3 out{Fixed(), Fixed(), Fixed::fromInt(-1)};
  ball().Launch({Fixed(), Fixed(), fx(-49.5)}, out);
  Fly();
  EXPECT_GT(ball().velocity().z, fx(0.9)) << "back toward the centre";
  EXPECT_EQ(ball().paddleHits(), 1);
  EXPECT_EQ(sound.count(sound::kPaddleBounce), 1);
}

TEST_F(BallTest, OffCentrePaddleHitsKeepTheBallInPlay) {
  Tick();
  for (double offset : {-3.8, -2.0, 1.0, 3.0, 4.0}) {
    ball().Launch({fx(offset), Fixed(), fx(-49.6)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
    for (int i = 0; i < 3; ++i) Fly();
    EXPECT_GT(ball().velocity().z, Fixed()) << "offset " << offset;
    EXPECT_LT(ball().position.length(), fx(50.525)) << "offset " << offset;
  }
}

TEST_F(BallTest, GreenHoldsTheBallFromTheThirdPaddleContactAfterAServe) {
  world->Control().CatchField(enhancement::kGreen, {});
  Tick();
  const int flushes = keys.flushes;
  for (int contact = 1; contact <= 3; ++contact) {
    ball().Launch({Fixed(), Fixed(), fx(-49.6)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
    Fly();
    EXPECT_EQ(ball().state(), contact < 3 ? BallState::InFlight : BallState::Held)
        << "contact " << contact;
  }
  EXPECT_EQ(ball().paddleHits(), 0);
  EXPECT_EQ(ball().spareBalls, 3) << "no ball is lost";
  EXPECT_EQ(keys.flushes, flushes + 1);
}

TEST_F(BallTest, RedSlowsTheBallOnEveryPaddleHitAndOtherHitsSpeedItUp) {
  Tick();
  ball().Launch({Fixed(), Fixed(), fx(-49.6)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  Fly();
  ball().Launch({Fixed(), Fixed(), fx(-49.6)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  Fly();
  EXPECT_GT(ball().speed(), ball().baseSpeed()) << "the second paddle hit speeds up";
  world->Control().CatchField(enhancement::kRed, {});
  ball().Launch({Fixed(), Fixed(), fx(-49.6)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  Fly();
  // 0.75 x base, then one approach step toward the maximum (weight 10).
  const Fixed slowed = ball().baseSpeed() * fx(0.75);
  EXPECT_EQ(ball().speed(), approach(slowed, ball().maxSpeed(), 10));
}

TEST_F(BallTest, BallMissingThePaddleIsLost) {
  Tick();
  ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  const int spare = ball().spareBalls;
  for (int i = 0; i < 40 && ball().state() == BallState::InFlight; ++i) Fly();
  EXPECT_EQ(ball().spareBalls, spare - 1);
  EXPECT_EQ(ball().state(), BallState::Held);
  EXPECT_EQ(ball().holdCountdown(), 80);
  EXPECT_EQ(sound.count(sound::kBallLost), 1);
  EXPECT_EQ(keys.flushes, 1) << "pending serve keys are flushed";
  EXPECT_EQ(world->Paddle().scale, Fixed()) << "the paddle regrows";
}

TEST_F(BallTest, LostBallEndsTheEnhancement) {
  world->Control().CatchField(enhancement::kRed, {});
  Tick();
  ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  for (int i = 0; i < 40 && ball().state() == BallState::InFlight; ++i) Fly();
  EXPECT_EQ(world->ActiveEnhancement(), enhancement::kNone);
  EXPECT_EQ(world->Control().EnhancementMs(), 0);
}

TEST_F(BallTest, StuckBallReturnsAfterMoreThanSixCollidingSubSteps) {
  Tick();
  // A gap narrower than one sub-step between two walls: every sub-step
  // collides and the ball never moves.
  world->AddSolid<CBlock>(Vector3{fx(-10), fx(-5.8), fx(-11.0)},
                          Vector3{fx(10), fx(5.8), fx(-9.99)}, -1, 6, nullptr);
  world->AddSolid<CBlock>(Vector3{fx(-10), fx(-5.8), fx(-9.98)}, Vector3{fx(10), fx(5.8), fx(-9.0)},
                          -1, 6, nullptr);
  ball().Launch({Fixed(), Fixed(), fx(-9.985)}, {Fixed(), Fixed(), Fixed::fromInt(1)});
  Fly();
  EXPECT_EQ(ball().state(), BallState::Held);
  EXPECT_EQ(sound.count(sound::kWallBounce), 7) << "returned on the seventh collision in a row";
  EXPECT_EQ(ball().collisionRun(), 0);
  EXPECT_EQ(ball().holdCountdown(), 80);
}

TEST_F(BallTest, FloorAndCeilingBounceAndThe13thPushes) {
  Tick();
  ball().Launch({Fixed(), Fixed(), fx(-20.0)}, {Fixed(), Fixed::fromInt(1), Fixed()});
  for (int i = 0; i < 400 && ball().floorBounces() < 12; ++i) Fly();
  EXPECT_EQ(ball().floorBounces(), 12);
  EXPECT_EQ(sound.count(sound::kWallBounce), 12);
  for (int i = 0; i < 40 && ball().floorBounces() != 0; ++i) Fly();
  EXPECT_EQ(sound.count(sound::kBouncePush), 1);
  EXPECT_GT(std::abs(ball().velocity().x.toDouble()) + std::abs(ball().velocity().z.toDouble()),
            0.2)
      << "pushed off the vertical";
}

TEST_F(BallTest, HeldBallAndContactPointFollowThePaddlesPitch) {
  WorldInput up;
  up.y = 1.0f;
  for (int i = 0; i < 20; ++i) Tick(up);
  const CPaddle& paddle = world->Paddle();
  ASSERT_EQ(paddle.pitch(), 128);
  const Vector3 d = paddle.Direction();
  EXPECT_NEAR(d.length().toDouble(), 1.0, 0.002);
  EXPECT_NEAR(paddle.Point(paddle.radius()).y.toDouble(), 50.525 * std::sin(128 * 2 * M_PI / 8192),
              0.02)
      << "the paddle centre stands about 4.9 above the plane";
  EXPECT_GT(ball().position.y, fx(4.0)) << "the held ball sits on the tilted direction";
}

TEST_F(BallTest, BallServedAtRestFromAPitchedPaddleLeavesThePlane) {
  WorldInput down;
  down.y = -1.0f;
  for (int i = 0; i < 20; ++i) Tick(down);
  down.fire = true;
  Tick(down);
  ASSERT_EQ(ball().state(), BallState::InFlight);
  WorldInput still;
  still.y = -1.0f;
  for (int i = 0; i < 40 && ball().paddleHits() == 0; ++i) Tick(still);
  ASSERT_EQ(ball().paddleHits(), 1) << "served toward the paddle, which sends it back";
  EXPECT_NE(ball().velocity().y, Fixed()) << "the bounce off a tilted paddle has vertical speed";
  Tick(still);
  EXPECT_GT(std::abs(ball().position.y.toDouble()), 1.0) << "away from the middle plane";
}

// Two stacked tiles meet at y = 0 and two columns at x = 0: a ball aimed
// exactly at the seam hits one of them instead of slipping through.
TEST_F(BallTest, BallAimedAtASeamBetweenBlocksHitsOneOfThem) {
  Tick();
  world->Blocks(
      {.from = {-6, -5.8, -10}, .to = {6, 5.8, -12}, .cells = {2, 2, 1}, .hp = -1, .colour = 6});
  int bounces = 0;
  for (const double x : {0.0, 3.0, -3.0}) {
    for (const double y : {0.0, 2.9, -2.9}) {
      ball().Launch({fx(x), fx(y), Fixed()}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
      for (int i = 0; i < 20 && ball().velocity().z < Fixed(); ++i) Fly();
      EXPECT_GT(ball().velocity().z, Fixed()) << "x " << x << " y " << y;
      EXPECT_GT(ball().position.z, fx(-10.0)) << "x " << x << " y " << y;
      EXPECT_EQ(sound.count(sound::kWallBounce), ++bounces) << "x " << x << " y " << y;
    }
  }
}

}  // namespace
}  // namespace arcade
