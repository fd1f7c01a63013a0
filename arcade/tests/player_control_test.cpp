// The player control: enhancements and their timer, the camera following
// the paddle, zoom, and the listener geometry of positional sounds.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "arcade/world/geometry.h"
#include "support/world_fixture.h"

namespace arcade {
namespace {

using testing::WorldTest;

class PlayerControlTest : public WorldTest {
 protected:
  void SetUp() override { Build(0); }
  CPlayerControl& control() { return world->Control(); }
};

TEST_F(PlayerControlTest, AquaWhileBlueKeepsBlueAndItsTimer) {
  control().CatchField(enhancement::kBlue, {});
  control().CountDown(1234);
  const int spare = world->Ball().spareBalls;
  control().CatchField(enhancement::kAqua, {});
  EXPECT_EQ(control().ActiveEnhancement(), enhancement::kBlue);
  EXPECT_EQ(control().EnhancementMs(), 30000 - 1234);
  EXPECT_EQ(world->Ball().spareBalls, spare + 1);
  EXPECT_EQ(sound.count(sound::kBoxBounce), 2) << "each catch sounds";
}

TEST_F(PlayerControlTest, AnotherTimedCatchReplacesAndRestartsTheTimer) {
  control().CatchField(enhancement::kRed, {});
  control().CountDown(5000);
  control().CatchField(enhancement::kYellow, {});
  EXPECT_EQ(control().ActiveEnhancement(), enhancement::kYellow);
  EXPECT_EQ(control().EnhancementMs(), 30000);
}

TEST_F(PlayerControlTest, EnhancementRunsOutAfterThirtySecondsOfPlay) {
  control().CatchField(enhancement::kGreen, {});
  control().CountDown(29999);
  EXPECT_EQ(control().ActiveEnhancement(), enhancement::kGreen);
  control().CountDown(75);
  EXPECT_EQ(control().ActiveEnhancement(), enhancement::kNone);
  EXPECT_EQ(control().EnhancementMs(), 0);
  EXPECT_EQ(sound.count(sound::kEnhancementOver), 1);
}

TEST_F(PlayerControlTest, FieldFlyingIntoThePaddleIsCaught) {
  Tick();
  world->ReleaseField(enhancement::kBlue, {Fixed(), Fixed(), fx(-40.0)}, 1);
  for (int i = 0; i < 40 && world->Census().fields == 1; ++i) Tick();
  EXPECT_EQ(control().ActiveEnhancement(), enhancement::kBlue);
  EXPECT_EQ(control().EnhancementMs(), 30000);
  EXPECT_EQ(world->Census().fields, 0);
}

TEST_F(PlayerControlTest, FieldMissingThePaddleFliesOnAndIsGone) {
  Tick();
  world->ReleaseField(enhancement::kRed, {Fixed(), Fixed(), fx(40.0)}, 0);  // outward, far side
  int ticks = 0;
  for (; ticks < 100 && world->Census().fields == 1; ++ticks) Tick();
  EXPECT_EQ(world->Census().fields, 0);
  EXPECT_GT(ticks, 10) << "it flies to 8 beyond the paddle circle first";
  EXPECT_EQ(control().ActiveEnhancement(), enhancement::kNone);
}

TEST_F(PlayerControlTest, YellowWidensThePaddle) {
  Tick();
  EXPECT_EQ(world->Paddle().halfWidth(), fx(4.25));
  control().CatchField(enhancement::kYellow, {});
  Tick();
  EXPECT_EQ(world->Paddle().halfWidth(), fx(5.95));
}

TEST_F(PlayerControlTest, CameraStaysWhileThePaddleIsInsideTheDeadZone) {
  WorldInput slight;
  slight.x = 0.5f;  // 256 units to the side: inside the 416-unit dead zone
  for (int i = 0; i < 20; ++i) Tick(slight);
  EXPECT_EQ(control().Yaw(), 0);
  EXPECT_EQ(control().Roll(), 0);
  EXPECT_NE(world->Paddle().yaw(), 0) << "the paddle itself moved";
}

TEST_F(PlayerControlTest, CameraFollowsASteeredPaddleAroundTheCircle) {
  WorldInput left;
  left.x = 1.0f;
  Tick(left);
  EXPECT_EQ((8192 - control().Yaw()) & 8191, 24) << "the first turn is limited by the ramp";
  for (int i = 0; i < 40; ++i) Tick(left);
  const int turned = (8192 - control().Yaw()) & 8191;
  EXPECT_GT(turned, 1000) << "keeps turning while steered";
  EXPECT_NE(control().Roll(), 0) << "banks while turning";
  const int held = control().Yaw();
  for (int i = 0; i < 40; ++i) Tick();
  EXPECT_EQ(control().Roll(), 0);
  EXPECT_EQ(control().YawRamp(), 24) << "ramp reset once the paddle is back in the dead zone";
  EXPECT_LT(std::abs(((control().Yaw() - held + 4096) & 8191) - 4096), 600)
      << "the view stays about where the paddle went";
}

// Where a world point lands in camera space (x right, y up, z depth).
Vector3 Seen(const CPlayerControl& control, double x, double y, double z) {
  return control.Camera().transformPoint({fx(x), fx(y), fx(z)});
}

TEST_F(PlayerControlTest, RaisedCameraHangsAboveThePlaneAndLooksDown) {
  Tick();
  ASSERT_EQ(control().View(), CameraView::Classic) << "the classic camera is the default";
  // Classic: the camera lies in the middle plane, 90 from the centre.
  const Vector3 centre = Seen(control(), 0, 0, 0);
  EXPECT_NEAR(centre.y.toDouble(), 0.0, 1e-3);
  EXPECT_NEAR(centre.z.toDouble(), 90.0, 1e-3);
  // The camera's own place is the point that lands on the eye.
  const double side = std::fabs(Seen(control(), 0, 0, 90).z.toDouble()) < 1e-2 ? 90 : -90;
  ASSERT_NEAR(Seen(control(), 0, 0, side).z.toDouble(), 0.0, 1e-2);

  control().SetView(CameraView::Raised);
  Tick();
  EXPECT_EQ(control().Yaw(), 0);
  const Vector3 eye = Seen(control(), 0, kRaisedCameraHeight, side);
  EXPECT_NEAR(eye.x.toDouble(), 0.0, 1e-2);
  EXPECT_NEAR(eye.y.toDouble(), 0.0, 1e-2) << "25 above the plane over the classic place";
  EXPECT_NEAR(eye.z.toDouble(), 0.0, 1e-2);
  // Looking down 25 degrees: the middle of the picture meets the plane
  // 25 / tan 25 = 53.6 units ahead, just inside the paddle circle.
  const double ahead = kRaisedCameraHeight / std::tan(25.0 * std::numbers::pi / 180.0);
  const Vector3 aim = Seen(control(), 0, 0, side - std::copysign(ahead, side));
  EXPECT_NEAR(aim.x.toDouble(), 0.0, 0.05);
  EXPECT_NEAR(aim.y.toDouble() / aim.z.toDouble(), 0.0, 0.005);
  EXPECT_GT(aim.z.toDouble(), 50.0);
  // The centre and the far side of the playfield stay in front and above
  // the middle of the picture; the plane's top is seen from above.
  const Vector3 raisedCentre = Seen(control(), 0, 0, 0);
  EXPECT_GT(raisedCentre.y.toDouble(), 0.0);
  EXPECT_GT(Seen(control(), 0, 5.8, 0).z.toDouble(), Seen(control(), 0, 5.8, side).z.toDouble());
  EXPECT_LT(Seen(control(), 0, 5.8, 0).y.toDouble() - raisedCentre.y.toDouble(), 5.8)
      << "a vertical edge looks shorter from above";

  control().SetView(CameraView::Classic);
  Tick();
  EXPECT_NEAR(Seen(control(), 0, 0, 0).z.toDouble(), 90.0, 1e-3) << "switching back restores it";
}

TEST_F(PlayerControlTest, WildInputKeepsThePaddleOnItsCircle) {
  WorldInput wild;
  wild.x = std::numeric_limits<float>::quiet_NaN();
  wild.y = 1e30f;
  for (int i = 0; i < 5; ++i) Tick(wild);
  EXPECT_EQ(world->Paddle().pitch(), 128) << "tilt held at its limit";
  EXPECT_GE(world->Paddle().yaw(), 0);
  EXPECT_LT(world->Paddle().yaw(), 8192);
}

TEST_F(PlayerControlTest, ZoomKeysMoveTheZoomWithinItsLimits) {
  WorldInput in;
  in.zoomIn = true;
  for (int i = 0; i < 60; ++i) Tick(in);
  EXPECT_EQ(control().TargetZoom().raw(), kZoomMax);
  EXPECT_NEAR(control().Zoom().toDouble(), 1.6, 0.001);
  in = {};
  in.zoomOut = true;
  for (int i = 0; i < 60; ++i) Tick(in);
  EXPECT_EQ(control().TargetZoom().raw(), kZoomMin);
}

TEST_F(PlayerControlTest, SoundStraightAheadIsCentredAndNearSoundsAreLoud) {
  Tick();
  sound.played.clear();
  control().PlaySoundAt(2000, {Fixed(), Fixed(), fx(-20.0)});
  ASSERT_EQ(sound.played.size(), 1u);
  const auto& s = sound.played[0];
  EXPECT_NEAR(s.x, 0.0, 0.01);
  EXPECT_GE(std::abs(s.y), 1.0) << "depth term kept away from 0";
  // listener at 52.525 from the centre: distance 32.525
  EXPECT_NEAR(s.volume, 1.0 - 32.525 / 68.0, 0.002);
  control().PlaySoundAt(2000, {fx(10.0), Fixed(), fx(-52.0)});
  EXPECT_GT(sound.played[1].x, 5.0) << "a source at +x is to the right";
  control().PlaySoundAt(2000, {Fixed(), Fixed(), fx(60.0)});
  EXPECT_NEAR(sound.played[2].volume, 0.001, 1e-6) << "far sounds are nearly silent";
}

}  // namespace
}  // namespace arcade
