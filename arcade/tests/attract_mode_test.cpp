// The title screen's attract mode: after 30 seconds without a key or click
// the autoplay bot plays the shown level as a demo; a key or click ends it,
// a modal dialog holds it off, and nothing of a demo reaches the record.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "arcade/shell/game_session.h"
#include "support/fakes.h"

namespace arcade {
namespace {

class AttractModeTest : public ::testing::Test {
 protected:
  AttractModeTest() : resources(testing::artDirectory()), session(resources, reporter, audio) {
    session.SetSeed(1);
  }
  ~AttractModeTest() override { std::filesystem::remove_all(folder); }
  // A small client area keeps the demo's frames cheap.
  TickReport Tick() {
    now += kTickMs;
    return session.Tick(200, 160, {}, now);
  }
  // Ticks on the title screen for ms; the first report that is not Idle.
  TickReport WaitOnTitle(std::uint32_t ms) {
    for (std::uint32_t t = 0; t < ms; t += kTickMs) {
      const TickReport report = Tick();
      if (report.kind != TickKind::Idle) return report;
    }
    return {};
  }

  DirectoryResources resources;
  testing::RecordingReporter reporter;
  NullShellAudio audio;
  CGameSession session;
  std::uint32_t now = 1000;
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vortexia_attract_" + std::to_string(::getpid()));
};

TEST_F(AttractModeTest, DemoStartsAfterThirtySecondsWithoutInput) {
  Tick();  // the title's wait starts with its first tick
  EXPECT_EQ(WaitOnTitle(kAttractDelayMs - kTickMs).kind, TickKind::Idle);
  EXPECT_FALSE(session.Playing());
  EXPECT_EQ(Tick().kind, TickKind::DemoStarted);
  EXPECT_TRUE(session.Playing());
  EXPECT_TRUE(session.Demo());
  ASSERT_TRUE(session.GameFrame(200, 160, {}, now));
  EXPECT_EQ(session.Banner(), BannerKind::Demo);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Tick().kind, TickKind::Frame);
  EXPECT_EQ(session.World()->Ball().state(), BallState::InFlight) << "the bot serves at once";
}

TEST_F(AttractModeTest, KeyOrClickRestartsTheWaitAndEndsTheDemo) {
  Tick();
  WaitOnTitle(20000);
  EXPECT_FALSE(session.UserInput(now)) << "on the title screen only the wait starts again";
  EXPECT_EQ(WaitOnTitle(kAttractDelayMs - kTickMs).kind, TickKind::Idle);
  EXPECT_EQ(Tick().kind, TickKind::DemoStarted);
  ASSERT_TRUE(session.GameFrame(200, 160, {}, now));
  Tick();
  EXPECT_TRUE(session.UserInput(now)) << "the title screen comes back";
  EXPECT_FALSE(session.Playing());
  EXPECT_FALSE(session.Demo());
  EXPECT_EQ(session.World(), nullptr);
  EXPECT_EQ(WaitOnTitle(kAttractDelayMs - kTickMs).kind, TickKind::Idle) << "a new wait";
}

TEST_F(AttractModeTest, ModalDialogOnTheTitleHoldsTheDemoOff) {
  Tick();
  const std::int32_t saved = session.RaisePause();
  EXPECT_EQ(WaitOnTitle(2 * kAttractDelayMs).kind, TickKind::Idle);
  session.RestorePause(saved);
  EXPECT_EQ(WaitOnTitle(kAttractDelayMs - kTickMs).kind, TickKind::Idle);
  EXPECT_EQ(Tick().kind, TickKind::DemoStarted);
}

TEST_F(AttractModeTest, DemoPlaysTheLevelToItsEndAndRecordsNothing) {
  const auto file = folder / "vortexia" / "player.vtx";
  ASSERT_EQ(session.KeepRecordIn(file), "");
  const PlayerRecord before = session.Record();
  Tick();
  ASSERT_EQ(WaitOnTitle(kAttractDelayMs + kTickMs).kind, TickKind::DemoStarted);
  ASSERT_TRUE(session.GameFrame(200, 160, {}, now));
  // Space in the demo pauses nothing (the window ends the demo on any key).
  session.Keys().Press(ShellKey::Space);
  Tick();
  EXPECT_FALSE(session.Paused());
  TickReport report;
  int score = 0;
  // 20 minutes of game time at most.
  for (int i = 0; i < 24000 && report.kind != TickKind::LevelOver; ++i) {
    report = Tick();
    if (session.World() != nullptr) score = session.World()->Score();
    ASSERT_FALSE(report.recorded);
  }
  ASSERT_EQ(report.kind, TickKind::LevelOver);
  EXPECT_EQ(report.result, StepResult::Cleared) << "the bot clears level 1";
  EXPECT_GT(score, 0);
  EXPECT_FALSE(session.Playing());
  EXPECT_EQ(session.Record(), before) << "no result, no best, no highest level";
  EXPECT_FALSE(std::filesystem::exists(file)) << "the kept record is not written";
}

}  // namespace
}  // namespace arcade
