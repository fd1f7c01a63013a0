// The world's step: end of level, lost level, the step-length clamp and a
// scripted replay pinned by a golden hash of the world state.
#include <gtest/gtest.h>

#include <algorithm>

#include "arcade/world/block.h"
#include "arcade/world/geometry.h"
#include "arcade/world/sphere.h"
#include "arcade/world/trig.h"
#include "support/world_fixture.h"

namespace arcade {
namespace {

using testing::WorldTest;

class WorldStepTest : public WorldTest {
 protected:
  CBlock& AddBlock(double z, int hp) {
    return world->AddSolid<CBlock>(Vector3{fx(-1), fx(-1), fx(z - 1)},
                                   Vector3{fx(1), fx(1), fx(z + 1)}, hp, 3, nullptr);
  }
};

TEST_F(WorldStepTest, LevelEndsOnlyAfterTheLastObjectHasShrunkAway) {
  Build(0);
  EmptyLevel();
  CBlock& last = AddBlock(-10, 1);
  AddBlock(-20, -1);
  world->AddSolid<CSphere>(8, Vector3{Fixed(), Fixed(), fx(10.0)});  // indestructible
  EXPECT_EQ(Tick(), StepResult::Playing);
  last.Hit();
  int playing = 0;
  StepResult r = StepResult::Playing;
  while ((r = Tick()) == StepResult::Playing && playing < 200) {
    ++playing;
    ASSERT_GT(world->ObjectCount(), 0) << "cleared only once the list is empty";
  }
  EXPECT_EQ(r, StepResult::Cleared);
  EXPECT_EQ(world->ObjectCount(), 0);
  EXPECT_GT(playing, 5) << "the wall and the large sphere shrink away first";
  EXPECT_EQ(world->Score(), 250) << "the rest go without points";
  EXPECT_EQ(sound.count(sound::kSphereGone), 1);
}

TEST_F(WorldStepTest, ForceFieldsLeftBehindDoNotHoldUpTheEnd) {
  Build(0);
  EmptyLevel();
  world->AddSolid<CEnhancementBox>(enhancement::kRed, Vector3{Fixed(), Fixed(), fx(-10.0)}, 1)
      .Hit();
  StepResult r = StepResult::Playing;
  for (int i = 0; i < 200 && r == StepResult::Playing; ++i) r = Tick();
  EXPECT_EQ(r, StepResult::Cleared);
  EXPECT_EQ(world->Census().fields, 1) << "the released field is still flying";
}

TEST_F(WorldStepTest, ALostBallWithNoSpareBallsEndsTheLevel) {
  Build(0);
  world->Ball().spareBalls = 0;
  Tick();
  world->Ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  StepResult r = StepResult::Playing;
  for (int i = 0; i < 100 && r == StepResult::Playing; ++i) r = Tick();
  EXPECT_EQ(r, StepResult::Lost);
  EXPECT_EQ(world->Ball().spareBalls, -1);
}

TEST_F(WorldStepTest, StepsAreHeldBetween50And75Milliseconds) {
  Build(0);
  EXPECT_EQ(world->Step(true, 1.0, {}, 10'000).result, StepResult::Playing);
  EXPECT_EQ(world->ElapsedMs(), 50) << "the first step is 50 ms";
  world->Step(false, 1.0, {}, 12'000);  // a stalled machine
  EXPECT_EQ(world->ElapsedMs(), 125);
  world->Step(false, 1.0, {}, 12'010);  // too soon
  EXPECT_EQ(world->ElapsedMs(), 175);
  world->Step(false, 1.0, {}, 12'070);
  EXPECT_EQ(world->ElapsedMs(), 235);
}

TEST_F(WorldStepTest, ClampedStepMovesTheBallNoFurtherThanA75MillisecondStep) {
  auto flight = [&](std::uint32_t gap) {
    Build(0);
    EmptyLevel();
    world->Step(true, 1.0, {}, 1000);
    world->Ball().Launch({Fixed(), Fixed(), Fixed()}, {Fixed::fromInt(1), Fixed(), Fixed()});
    world->Step(false, 1.0, {}, 1000 + gap);
    return world->Ball().position.x;
  };
  const Fixed at75 = flight(75);
  EXPECT_EQ(flight(5000), at75);
  EXPECT_NEAR(at75.toDouble(), 16.0 * 0.075, 0.01);
}

// Scripted input for 2,000 ticks: a player who steers the paddle toward the
// ball (reading only the world's integer state), wobbles the tilt, presses
// fire now and then and touches the zoom keys.
WorldInput scriptedInput(const CWorld& world, int tick) {
  WorldInput in;
  const Vector3& b = world.Ball().position;
  const int ballYaw = arcTangent(-b.z.raw(), -b.x.raw());
  int c = world.Control().Yaw();
  if (c > 4096) c -= 8192;
  int want = ((ballYaw + c + 4096) & 8191) - 4096;
  in.x = std::clamp(static_cast<float>(want) / 512.0f, -1.0f, 1.0f);
  in.y = (tick / 50) % 2 == 0 ? 0.25f : -0.25f;
  in.fire = tick % 90 == 5;
  in.zoomIn = tick % 400 < 10;
  return in;
}

std::uint64_t replay(CWorld& world, int& ticks) {
  StepResult r = StepResult::Playing;
  std::uint32_t now = 0;
  for (ticks = 0; ticks < 2000 && r == StepResult::Playing; ++ticks) {
    now += 50;
    r = world.Step(ticks == 0, 1.0, scriptedInput(world, ticks), now).result;
  }
  return world.StateHash();
}

struct ReplayCase {
  int level;
  std::uint32_t seed;
  std::uint64_t golden;
};

class WorldReplayTest : public WorldTest, public ::testing::WithParamInterface<ReplayCase> {};

TEST_P(WorldReplayTest, ScriptedReplayMatchesItsGoldenHash) {
  const ReplayCase c = GetParam();
  int ticks = 0;
  const std::uint64_t hash = replay(Build(c.level, c.seed), ticks);
  EXPECT_EQ(hash, c.golden) << std::hex << "hash 0x" << hash << std::dec << " after " << ticks
                            << " ticks, score " << world->Score() << ", balls "
                            << world->Ball().spareBalls;
  int again = 0;
  EXPECT_EQ(replay(Build(c.level, c.seed), again), hash) << "same seed, same game";
  EXPECT_NE(replay(Build(c.level, c.seed + 1), again), hash) << "another seed differs";
}

INSTANTIATE_TEST_SUITE_P(Levels, WorldReplayTest,
                         ::testing::Values(ReplayCase{3, 7, 0xd97fe4773512c53cull},
                                           ReplayCase{6, 11, 0xf7c8f49f9a071f78ull}),
                         [](const auto& info) {
                           return "Level" + std::to_string(info.param.level);
                         });

}  // namespace
}  // namespace arcade
