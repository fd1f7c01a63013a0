// The shell's workflow on the generated artwork: a level from Play to its
// result, pause by Space, the frame's size and place in both resolutions,
// the title music, and the choice of steering device.
#include "arcade/shell/game_session.h"

#include <gtest/gtest.h>

#include "arcade/shell/pause_scope.h"
#include "arcade/world/geometry.h"
#include "support/fakes.h"

namespace arcade {
namespace {

class CountingAudio : public IShellAudio {
 public:
  void PlayTitleMusic() override { ++starts; }
  void StopTitleMusic() override { ++stops; }
  int starts = 0, stops = 0;
};

class ScriptedJoystick : public IShellJoystick {
 public:
  bool Read(JoystickSample& sample) override {
    ++reads;
    if (!works) return false;
    sample = next;
    return true;
  }
  bool works = true;
  JoystickSample next;
  int reads = 0;
};

class GameSessionTest : public ::testing::Test {
 protected:
  GameSessionTest() : resources(testing::artDirectory()), session(resources, reporter, audio) {
    session.SetSeed(7);
  }
  // Play, then the first paint of a 640 x 480 client area.
  void Play() {
    session.StartLevel();
    ASSERT_TRUE(session.GameFrame(640, 480, {}, now));
  }
  TickReport Tick() {
    now += kTickMs;
    return session.Tick(640, 480, {}, now);
  }
  // Ticks until the level is over; the number of ticks it took.
  int RunToEnd(TickReport& last, int limit = 400) {
    for (int i = 1; i <= limit; ++i) {
      last = Tick();
      if (last.kind == TickKind::LevelOver) return i;
    }
    return -1;
  }

  DirectoryResources resources;
  testing::RecordingReporter reporter;
  CountingAudio audio;
  CGameSession session;
  std::uint32_t now = 1000;
};

TEST_F(GameSessionTest, PlayBuildsTheWorldOnTheFirstFrameAndTicksRenderIt) {
  session.Record().currentLevel = 3;
  session.StartLevel();
  EXPECT_TRUE(session.Playing());
  EXPECT_EQ(session.World(), nullptr) << "the world is made by the first paint";
  EXPECT_EQ(audio.stops, 1) << "the title music stops";
  ASSERT_TRUE(session.GameFrame(640, 480, {}, now));
  ASSERT_NE(session.World(), nullptr);
  EXPECT_EQ(session.World()->LevelIndex(), 3);
  EXPECT_EQ(session.World()->ElapsedMs(), 50) << "the first frame seeds the camera with a step";
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Tick().kind, TickKind::Frame);
  EXPECT_EQ(session.World()->ElapsedMs(), 300);
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
}

TEST_F(GameSessionTest, LostLevelRecordsScoreWithoutTimeAndReturnsToTheTitle) {
  Play();
  CWorld& world = *session.World();
  world.Ball().spareBalls = 0;
  world.AddScore(420);
  world.Ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  TickReport last;
  ASSERT_GT(RunToEnd(last), 0);
  EXPECT_EQ(last.result, StepResult::Lost);
  EXPECT_FALSE(session.Playing());
  EXPECT_EQ(session.World(), nullptr);
  EXPECT_EQ(session.Renderer(), nullptr);
  EXPECT_EQ(session.Record().lastResult[0], (LevelResult{420, -1}));
  EXPECT_EQ(session.Record().bestResult[0], (LevelResult{420, -1})) << "420 beats the empty 0";
  EXPECT_EQ(session.Record().highestLevel, 0);
  EXPECT_EQ(Tick().kind, TickKind::Idle) << "nothing steps on the title screen";
}

TEST_F(GameSessionTest, ClearedLevelRecordsWholeSecondsAndOpensTheNextLevel) {
  Play();
  for (int i = 0; i < 60; ++i) ASSERT_EQ(Tick().kind, TickKind::Frame);  // 3,050 ms played
  CWorld& world = *session.World();
  while (world.Objects() != nullptr) world.RemoveObject(world.Objects());
  TickReport last;
  ASSERT_EQ(RunToEnd(last), 1);
  EXPECT_EQ(last.result, StepResult::Cleared);
  EXPECT_TRUE(last.end.raisedHighest);
  EXPECT_EQ(session.Record().highestLevel, 1);
  EXPECT_EQ(session.Record().lastResult[0].seconds, 3);
  EXPECT_EQ(session.Record().bestResult[0].seconds, 3);
}

TEST_F(GameSessionTest, TwoSpacePressesBetweenTicksPauseOnceAndPauseHoldsTime) {
  Play();
  session.Keys().Press(ShellKey::Space);
  session.Keys().Release(ShellKey::Space);
  session.Keys().Press(ShellKey::Space);
  EXPECT_EQ(Tick().kind, TickKind::Idle);
  EXPECT_TRUE(session.Paused());
  const std::int32_t elapsed = session.World()->ElapsedMs();
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(session.World()->ElapsedMs(), elapsed) << "no play time passes while paused";
  session.Keys().Press(ShellKey::Space);
  EXPECT_EQ(Tick().kind, TickKind::Frame);
  EXPECT_FALSE(session.Paused());
}

TEST_F(GameSessionTest, PauseScopeHoldsThePauseAndRestoresTheFormerValue) {
  {
    PauseScope dialog(session);
    EXPECT_TRUE(session.Paused());
    {
      PauseScope nested(session);  // a message box over the dialog
      EXPECT_TRUE(session.Paused());
    }
    EXPECT_TRUE(session.Paused()) << "the inner scope puts back the raised flag";
  }
  EXPECT_FALSE(session.Paused()) << "a running game runs on after the dialog";
  session.TogglePause();
  { PauseScope dialog(session); }
  EXPECT_TRUE(session.Paused()) << "a paused game stays paused after the dialog";
}

TEST_F(GameSessionTest, StartingALevelForgetsEarlierPressesAndHoldsHighestInRange) {
  session.Record().highestLevel = 57;
  session.Keys().Press(ShellKey::Space);
  session.Keys().Press(ShellKey::LeftButton);
  session.StartLevel();
  EXPECT_EQ(session.Record().highestLevel, 31);
  EXPECT_FALSE(session.Keys().TakePressed(ShellKey::Space));
  EXPECT_FALSE(session.Keys().TakePressed(ShellKey::LeftButton));
  session.EndLevel();
  session.TitleShown();
  session.TitleShown();
  EXPECT_EQ(audio.starts, 2) << "the audio layer itself ignores a second start";
}

TEST_F(GameSessionTest, FrameIsSizedAndPlacedByResolution) {
  session.Record().resolution = 0;  // High
  Play();
  ASSERT_NE(session.Renderer(), nullptr);
  EXPECT_EQ(session.Renderer()->width, 576);
  EXPECT_EQ(session.Renderer()->height, 432);
  FramePlacement high = session.Placement(640);
  EXPECT_EQ(high.x, 31);  // (576 - 576 + 63) / 2
  EXPECT_EQ(high.y, 24);
  EXPECT_FALSE(high.doubled);

  session.SetResolution(Resolution::Normal);
  now += kTickMs;
  ASSERT_EQ(session.Tick(640, 480, {}, now).kind, TickKind::Frame);
  // 577 >> 1 = 288 (already a multiple of 4), and 433 >> 1.
  EXPECT_EQ(session.Renderer()->width, 288);
  EXPECT_EQ(session.Renderer()->height, 216);
  FramePlacement normal = session.Placement(640);
  EXPECT_TRUE(normal.doubled);
  EXPECT_EQ(normal.x, 33);  // ((577 + 64) - (2 * 288 - 2)) / 2
}

TEST_F(GameSessionTest, NextAndBackStayWithinTheLevels) {
  session.Record().currentLevel = 31;
  EXPECT_FALSE(session.NextLevel());
  EXPECT_TRUE(session.PreviousLevel());
  EXPECT_EQ(session.Record().currentLevel, 30);
  session.Record().currentLevel = 0;
  EXPECT_FALSE(session.PreviousLevel());
  EXPECT_TRUE(session.PlayNeedsIntroduction());
  session.MarkNeedToKnowShown();
  EXPECT_FALSE(session.PlayNeedsIntroduction());
}

TEST_F(GameSessionTest, JoystickSteersAfterAGoodProbeAndAFailedReadGivesTheMouseBack) {
  ScriptedJoystick stick;
  EXPECT_FALSE(session.SelectJoystick()) << "no joystick given: the mouse stays";
  session.SetJoystick(&stick);
  stick.works = false;
  EXPECT_FALSE(session.SelectJoystick());
  EXPECT_TRUE(session.MouseMode());
  stick.works = true;
  stick.next = {0.45f, 1.45f, true, false};
  EXPECT_TRUE(session.SelectJoystick());
  const WorldInput in = session.ReadInput({});
  EXPECT_FLOAT_EQ(in.x, 0.5f);
  EXPECT_FLOAT_EQ(in.y, -0.5f);
  EXPECT_TRUE(in.fire);
  stick.works = false;
  const WorldInput failed = session.ReadInput({});
  EXPECT_TRUE(session.MouseMode());
  EXPECT_FLOAT_EQ(failed.x, 0.5f) << "the last good reading stands this once";
  const int reads = stick.reads;
  session.ReadInput({});
  EXPECT_EQ(stick.reads, reads) << "the mouse steers now";
}

TEST_F(GameSessionTest, CapturedMouseWinsOverTheJoystick) {
  ScriptedJoystick stick;
  session.SetJoystick(&stick);
  ASSERT_TRUE(session.SelectJoystick());
  PointerReading pointer{true, {0, 0, 400, 300}, 100, 150};
  const int reads = stick.reads;
  EXPECT_FLOAT_EQ(session.ReadInput(pointer).x, 0.5f);
  EXPECT_EQ(stick.reads, reads);
}

TEST_F(GameSessionTest, BackdropLoadsOnceFromItsBitmap) {
  const CIndexedImage* backdrop = session.Backdrop();
  ASSERT_NE(backdrop, nullptr);
  EXPECT_GT(backdrop->width, 0);
  EXPECT_EQ(session.Backdrop(), backdrop);
}

}  // namespace
}  // namespace arcade
