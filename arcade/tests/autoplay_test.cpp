// The tracking bot: it clears every layout within twenty minutes of game
// time, and it only reads the world (a level played by a script of its
// inputs is the same game).
#include "arcade/world/autoplay.h"

#include <gtest/gtest.h>

#include "support/world_fixture.h"

namespace arcade {
namespace {

using testing::WorldTest;

constexpr int kTwentyMinutesOfTicks = 20 * 60 * 20;  // 50 ms ticks

class AutoplayLayoutTest : public WorldTest, public ::testing::WithParamInterface<int> {};

TEST_P(AutoplayLayoutTest, BotClearsTheLayoutWithinTwentyMinutes) {
  Build(GetParam(), 1);
  CAutoplay bot;
  StepResult result = StepResult::Playing;
  int ticks = 0;
  while (result == StepResult::Playing && ticks < kTwentyMinutesOfTicks) {
    result = Tick(bot.NextInput(*world));
    ++ticks;
  }
  EXPECT_EQ(result, StepResult::Cleared)
      << "after " << ticks << " ticks, score " << world->Score() << ", objects "
      << world->ObjectCount() << ", spare balls " << world->Ball().spareBalls;
  EXPECT_GT(world->Score(), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, AutoplayLayoutTest, ::testing::Range(0, 11),
                         [](const auto& info) { return "Layout" + std::to_string(info.param); });

class AutoplayTest : public WorldTest {};

TEST_F(AutoplayTest, BotServesAHeldBallAtOnceAndStaysWithinTheDeviceRange) {
  Build(1, 3);
  CAutoplay bot;
  const WorldInput first = bot.NextInput(*world);
  EXPECT_TRUE(first.fire);
  Tick(first);
  EXPECT_EQ(world->Ball().state(), BallState::InFlight);
  for (int i = 0; i < 600; ++i) {
    const WorldInput in = bot.NextInput(*world);
    ASSERT_LE(std::abs(in.x), 1.0f);
    ASSERT_LE(std::abs(in.y), 1.0f);
    Tick(in);
  }
}

TEST_F(AutoplayTest, BotOnlyReadsTheWorldSoItsInputsReplayTheSameGame) {
  Build(2, 5);
  CAutoplay bot;
  std::vector<WorldInput> inputs;
  for (int i = 0; i < 1500; ++i) {
    inputs.push_back(bot.NextInput(*world));
    Tick(inputs.back());
  }
  const std::uint64_t played = world->StateHash();
  Build(2, 5);
  for (const WorldInput& in : inputs) Tick(in);
  EXPECT_EQ(world->StateHash(), played);
}

}  // namespace
}  // namespace arcade
