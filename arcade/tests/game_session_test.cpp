// The shell's workflow on the generated artwork: a level from Play to its
// result, pause by Space, the frame's size and place in both resolutions,
// the title music, the choice of steering device, the banners of pause, a
// lost ball and the level's end, and the kept player record.
#include "arcade/shell/game_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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
  const TickReport ended = Tick();
  EXPECT_TRUE(ended.recorded) << "recorded on the step that cleared it";
  EXPECT_EQ(ended.kind, TickKind::Frame) << "the last frame stays up with its banner";
  EXPECT_EQ(ended.result, StepResult::Cleared);
  EXPECT_TRUE(ended.end.raisedHighest);
  EXPECT_EQ(session.Record().highestLevel, 1);
  EXPECT_EQ(session.Record().lastResult[0].seconds, 3);
  EXPECT_EQ(session.Record().bestResult[0].seconds, 3);
  EXPECT_EQ(session.Banner(), BannerKind::Cleared);
  TickReport last;
  EXPECT_EQ(RunToEnd(last), kLevelEndBannerTicks) << "the banner's time, then the title";
  EXPECT_EQ(last.result, StepResult::Cleared);
  EXPECT_FALSE(last.recorded) << "recorded once";
  EXPECT_FALSE(session.Playing());
  EXPECT_EQ(session.Record().highestLevel, 1);
}

TEST_F(GameSessionTest, TwoSpacePressesBetweenTicksPauseOnceAndPauseHoldsTime) {
  Play();
  session.Keys().Press(ShellKey::Space);
  session.Keys().Release(ShellKey::Space);
  session.Keys().Press(ShellKey::Space);
  EXPECT_EQ(Tick().kind, TickKind::Frame) << "the frame is drawn again with its banner";
  EXPECT_TRUE(session.Paused());
  EXPECT_EQ(session.Banner(), BannerKind::Paused);
  const std::int32_t elapsed = session.World()->ElapsedMs();
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(session.World()->ElapsedMs(), elapsed) << "no play time passes while paused";
  session.Keys().Press(ShellKey::Space);
  EXPECT_EQ(Tick().kind, TickKind::Frame);
  EXPECT_FALSE(session.Paused());
  EXPECT_EQ(session.Banner(), BannerKind::None);
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

// The number of pixels of the banner's title colour in the rendered picture.
int TitleColourPixels(const CRenderer& frame) {
  const std::uint8_t index =
      CGamePalette{}.Nearest(kBannerTitleTop.r, kBannerTitleTop.g, kBannerTitleTop.b);
  int n = 0;
  for (int i = 0; i < frame.width * frame.height; ++i) n += frame.pixels[i] == index;
  return n;
}

TEST_F(GameSessionTest, LostBallShowsItsBannerWhilePlayGoesOnThenGameOverStaysUntilAKey) {
  Play();
  for (int i = 0; i < 3; ++i) Tick();
  const int plain = TitleColourPixels(*session.Renderer());
  CWorld& world = *session.World();
  world.Ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  for (int i = 0; i < 100 && session.Banner() == BannerKind::None; ++i) Tick();
  ASSERT_EQ(session.Banner(), BannerKind::BallLost);
  EXPECT_EQ(world.Ball().spareBalls, 2);
  EXPECT_GT(TitleColourPixels(*session.Renderer()), plain + 50) << "the banner is in the frame";
  for (int i = 0; i < kBallLostBannerTicks; ++i) ASSERT_EQ(Tick().kind, TickKind::Frame);
  EXPECT_EQ(session.Banner(), BannerKind::None) << "gone after its time; play went on";

  world.AddScore(1234);
  world.Ball().spareBalls = 0;
  world.Ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  TickReport ended;
  for (int i = 0; i < 100 && !ended.recorded; ++i) ended = Tick();
  ASSERT_TRUE(ended.recorded);
  EXPECT_EQ(ended.result, StepResult::Lost);
  EXPECT_EQ(session.Banner(), BannerKind::GameOver);
  EXPECT_EQ(BannerFor(BannerKind::GameOver, {0, 0, 1234, 0}).detail, "Score 1,234");
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Tick().kind, TickKind::Idle) << "the last frame stays";
  EXPECT_FALSE(session.UserInput(now)) << "a key ends the banner, not a demo";
  EXPECT_EQ(Tick().kind, TickKind::LevelOver);
  EXPECT_FALSE(session.Playing());
}

TEST_F(GameSessionTest, BannersSayWhatHappened) {
  EXPECT_EQ(BannerFor(BannerKind::Paused, {}).title, "Paused");
  const BannerText cleared = BannerFor(BannerKind::Cleared, {11, 12300, 0, 0});
  EXPECT_EQ(cleared.title, "Level 12 cleared");
  EXPECT_EQ(cleared.detail, "Time bonus 12,300");
  EXPECT_EQ(BannerFor(BannerKind::BallLost, {0, 0, 0, 2}).detail, "2 balls left");
  EXPECT_EQ(BannerFor(BannerKind::BallLost, {0, 0, 0, 1}).detail, "1 ball left");
  EXPECT_EQ(BannerFor(BannerKind::BallLost, {0, 0, 0, 0}).detail, "Last ball");
}

class KeptRecordSessionTest : public GameSessionTest {
 protected:
  ~KeptRecordSessionTest() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vortexia_session_" + std::to_string(::getpid()));
  std::filesystem::path file = folder / "vortexia" / "player.vtx";
};

TEST_F(KeptRecordSessionTest, LevelEndWritesTheKeptRecordAndTheNextStartReadsIt) {
  EXPECT_EQ(session.KeepRecordIn(file), "") << "no record yet is no failure";
  EXPECT_FALSE(std::filesystem::exists(file)) << "nothing written before a level ends";
  session.Record().playerName = "Kept";
  Play();
  for (int i = 0; i < 40; ++i) Tick();
  CWorld& world = *session.World();
  while (world.Objects() != nullptr) world.RemoveObject(world.Objects());
  const TickReport ended = Tick();
  ASSERT_TRUE(ended.recorded);
  EXPECT_EQ(ended.recordMessage, "");
  ASSERT_TRUE(std::filesystem::exists(file)) << "written at the level end, banner still up";
  EXPECT_EQ(std::filesystem::file_size(file), 1044u);

  CGameSession next(resources, reporter, audio);
  EXPECT_EQ(next.KeepRecordIn(file), "");
  EXPECT_EQ(next.Record().playerName, "Kept");
  EXPECT_EQ(next.Record().highestLevel, 1);
  EXPECT_EQ(next.Record().lastResult[0], session.Record().lastResult[0]);
  EXPECT_EQ(next.Record().lastResult[0].seconds, 2);
}

TEST_F(KeptRecordSessionTest, UnreadableRecordIsSaidAndNeverWrittenOver) {
  std::filesystem::create_directories(file.parent_path());
  {
    std::ofstream out(file, std::ios::binary);
    out << "not a record";
  }
  const std::string said = session.KeepRecordIn(file);
  EXPECT_NE(said.find(file.string()), std::string::npos) << said;
  EXPECT_EQ(session.Record(), PlayerRecord{}) << "a new record";
  Play();
  CWorld& world = *session.World();
  while (world.Objects() != nullptr) world.RemoveObject(world.Objects());
  EXPECT_TRUE(Tick().recorded);
  EXPECT_EQ(session.WriteKeptRecord(), "");
  std::ifstream in(file, std::ios::binary);
  const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, "not a record");
}

TEST_F(GameSessionTest, BackdropLoadsOnceFromItsBitmap) {
  const CIndexedImage* backdrop = session.Backdrop();
  ASSERT_NE(backdrop, nullptr);
  EXPECT_GT(backdrop->width, 0);
  EXPECT_EQ(session.Backdrop(), backdrop);
}

}  // namespace
}  // namespace arcade
