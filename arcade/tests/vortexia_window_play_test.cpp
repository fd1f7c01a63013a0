// The game window while playing: the raised camera, the banners drawn in
// the frame, the attract-mode demo, the question on close and quit signals
// arriving while it is up, and the display warnings at start.
#include "support/vortexia_window_fixture.h"

namespace arcade::ui {
namespace {

TEST_F(VortexiaWindowTest, RaisedCameraOptionTurnsThePlayingCameraAndIsKept) {
  std::filesystem::create_directories(folder);
  const auto settings = folder / "VORTEXIA.INI";
  frame->SetSettingsFile(settings);
  StartPlaying();
  Tick(5);
  frame->UpdateMenus();
  EXPECT_FALSE(frame->Action("raisedCamera")->isChecked()) << "the classic camera by default";
  const QImage classic = Picture();
  frame->Action("raisedCamera")->trigger();
  EXPECT_TRUE(frame->Action("raisedCamera")->isChecked());
  ASSERT_NE(Session().World(), nullptr);
  EXPECT_EQ(Session().World()->Control().View(), CameraView::Raised) << "the level in play turns";
  Tick();
  EXPECT_NE(Picture(), classic);
  EXPECT_EQ(ReadViewSettings(settings).camera, CameraView::Raised) << "kept in the settings";
  frame->Action("gameQuitLevel")->trigger();
  StartPlaying();
  EXPECT_EQ(Session().World()->Control().View(), CameraView::Raised) << "and for the next level";
  frame->Action("raisedCamera")->trigger();
  EXPECT_EQ(ReadViewSettings(settings).camera, CameraView::Classic);
  EXPECT_TRUE(prompts.asked.isEmpty());

  // A settings file that cannot be written is said.
  frame->SetSettingsFile(folder);
  frame->Action("raisedCamera")->trigger();
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_TRUE(prompts.asked[0].startsWith(QStringLiteral("Vortexia Error|Could not save the settings")));
}

// Pixels of a banner colour within the shown game frame.
int BannerPixels(const QImage& picture, Rgb colour) {
  const CGamePalette palette;
  const Rgb shown = palette.Entry(palette.Nearest(colour.r, colour.g, colour.b));
  const QRgb wanted = qRgb(shown.r, shown.g, shown.b);
  int n = 0;
  for (int y = 24; y < 24 + 432; ++y) {
    for (int x = 33; x < 33 + 574; ++x) n += picture.pixel(x, y) == wanted;
  }
  return n;
}

TEST_F(VortexiaWindowTest, SpaceShowsThePausedBannerInTheFrameAndSpaceTakesItAway) {
  StartPlaying();
  Tick(3);
  const int before = BannerPixels(Picture(), kBannerTitleTop);
  QTest::keyClick(view, Qt::Key_Space);
  Tick();
  ASSERT_TRUE(Session().Paused());
  const QImage paused = Picture();
  EXPECT_GT(BannerPixels(paused, kBannerTitleTop), before + 120) << "\"Paused\" in the frame";
  EXPECT_GT(BannerPixels(paused, kBannerFrame), 300) << "the banner's frame";
  QTest::keyClick(view, Qt::Key_Space);
  Tick();
  EXPECT_FALSE(Session().Paused());
  EXPECT_LT(BannerPixels(Picture(), kBannerTitleTop), before + 50);
  // The menu's pause shows it as well.
  frame->Action("gamePause")->trigger();
  EXPECT_GT(BannerPixels(Picture(), kBannerTitleTop), before + 120);
}

TEST_F(VortexiaWindowTest, ClearedLevelShowsItsBannerUntilAKeyBringsTheTitle) {
  StartPlaying();
  Tick(20);
  CWorld& world = *Session().World();
  while (world.Objects() != nullptr) world.RemoveObject(world.Objects());
  Tick();
  ASSERT_EQ(Session().Banner(), BannerKind::Cleared);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Level 1: Player 1 - Vortexia"));
  EXPECT_EQ(Session().Record().highestLevel, 1) << "recorded at once";
  const QImage picture = Picture();
  EXPECT_GT(BannerPixels(picture, kBannerTitleTop), 100) << "\"Level 1 cleared\"";
  EXPECT_GT(BannerPixels(picture, kBannerDetailBottom), 50) << "the time bonus line";
  Tick(10);
  EXPECT_TRUE(Session().Playing()) << "the banner stays a while";
  EXPECT_EQ(Button("buttonPlay"), nullptr);
  QTest::keyClick(view, Qt::Key_A);
  Tick();
  EXPECT_FALSE(Session().Playing());
  ASSERT_NE(Button("buttonPlay"), nullptr) << "the title screen is back";
  ASSERT_NE(Button("buttonNext"), nullptr) << "level 2 is open";
}

TEST_F(VortexiaWindowTest, LostBallAndGameOverBannersAppearAndAClickEndsTheLastOne) {
  StartPlaying();
  Tick(3);
  CWorld& world = *Session().World();
  world.Ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  for (int i = 0; i < 100 && Session().Banner() == BannerKind::None; ++i) Tick();
  ASSERT_EQ(Session().Banner(), BannerKind::BallLost);
  EXPECT_GT(BannerPixels(Picture(), kBannerTitleTop), 100) << "\"Ball lost\"";
  world.Ball().spareBalls = 0;
  world.Ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  for (int i = 0; i < 100 && Session().Banner() != BannerKind::GameOver; ++i) Tick();
  ASSERT_EQ(Session().Banner(), BannerKind::GameOver);
  EXPECT_GT(BannerPixels(Picture(), kBannerTitleTop), 100) << "\"Game over\"";
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(300, 200));
  Tick();
  EXPECT_FALSE(Session().Playing());
  EXPECT_EQ(Session().Record().lastResult[0].seconds, -1);
}

TEST_F(VortexiaWindowTest, AttractDemoStartsAfterThirtyIdleSecondsAndAKeyOrClickEndsIt) {
  const PlayerRecord before = Session().Record();
  Tick(kAttractDelayMs / kTickMs + 1);
  ASSERT_TRUE(Session().Demo());
  EXPECT_EQ(Button("buttonPlay"), nullptr) << "the demo covers the title";
  EXPECT_FALSE(frame->Action("gamePause")->isEnabled()) << "no level of the player's";
  Picture();
  Tick(40);
  ASSERT_NE(Session().World(), nullptr);
  EXPECT_GT(Session().World()->ElapsedMs(), 1000) << "the bot plays";
  EXPECT_GT(BannerPixels(Picture(), kBannerTitleTop), 100) << "\"Demo\"";
  QTest::keyClick(view, Qt::Key_X);
  EXPECT_FALSE(Session().Playing());
  ASSERT_NE(Button("buttonPlay"), nullptr) << "the title screen is back";
  Tick(kAttractDelayMs / kTickMs - 2);
  EXPECT_FALSE(Session().Demo()) << "the key started the wait again";
  Tick(2);
  ASSERT_TRUE(Session().Demo());
  Picture();
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(320, 240));
  EXPECT_FALSE(Session().Playing());
  EXPECT_EQ(Session().Record(), before) << "a demo records nothing";
}

TEST_F(VortexiaWindowTest, ClosingAsksToSaveChangesToTheOpenedGameAndKeepsTheRecord) {
  std::filesystem::create_directories(folder);
  const auto kept = folder / "data" / "vortexia" / "player.vtx";
  ASSERT_EQ(Session().KeepRecordIn(kept), "");
  frame->close();
  EXPECT_FALSE(frame->isVisible()) << "nothing opened: no question";
  EXPECT_TRUE(prompts.asked.isEmpty());
  ASSERT_TRUE(std::filesystem::exists(kept)) << "the record is kept on close";

  frame->show();
  prompts.fileToSave = QString::fromStdString((folder / "game").string());
  frame->Action("fileSave")->trigger();
  const auto game = folder / "game.vtx";
  ASSERT_TRUE(std::filesystem::exists(game));
  frame->Action("shading")->trigger();  // a change to the saved game
  prompts.asked.clear();
  prompts.saveAnswer = SaveAnswer::Cancel;
  frame->close();
  EXPECT_TRUE(frame->isVisible()) << "Cancel keeps the window";
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0], QStringLiteral("Vortexia|Save changes to ") +
                                  QString::fromStdString(game.string()) + QLatin1Char('?'));
  EXPECT_FALSE(Session().Paused()) << "the pause raised for the question is put back";

  prompts.saveAnswer = SaveAnswer::No;
  frame->close();
  EXPECT_FALSE(frame->isVisible());
  PlayerRecord onDisk;
  ASSERT_EQ(LoadSavedGame(game, onDisk), LoadStatus::Loaded);
  EXPECT_EQ(onDisk.shading, 0) << "No leaves the saved game as it was";

  frame->show();
  prompts.saveAnswer = SaveAnswer::Yes;
  frame->close();
  EXPECT_FALSE(frame->isVisible());
  ASSERT_EQ(LoadSavedGame(game, onDisk), LoadStatus::Loaded);
  EXPECT_EQ(onDisk.shading, 1) << "Yes saves it";
  prompts.asked.clear();
  frame->show();
  frame->close();
  EXPECT_TRUE(prompts.asked.isEmpty()) << "saved: nothing to ask";
  ASSERT_EQ(LoadSavedGame(kept, onDisk), LoadStatus::Loaded);
  EXPECT_EQ(onDisk.shading, 1) << "the kept record has the change too";
}

TEST_F(VortexiaWindowTest, QuitSignalDuringTheSaveQuestionClosesAndKeepsTheRecord) {
  std::filesystem::create_directories(folder);
  const auto kept = folder / "data" / "vortexia" / "player.vtx";
  ASSERT_EQ(Session().KeepRecordIn(kept), "");
  prompts.fileToSave = QString::fromStdString((folder / "game").string());
  frame->Action("fileSave")->trigger();
  frame->Action("shading")->trigger();  // a change to the saved game
  // The signal comes while the question is up; the question then goes
  // away unanswered (Cancel, as its close box answers).
  prompts.saveAnswer = SaveAnswer::Cancel;
  prompts.whileAsking = [this] { frame->CloseWithoutQuestions(); };
  frame->close();
  prompts.whileAsking = nullptr;
  EXPECT_FALSE(frame->isVisible()) << "the signal ends the program, question or not";
  PlayerRecord onDisk;
  ASSERT_EQ(LoadSavedGame(kept, onDisk), LoadStatus::Loaded) << "the record is kept";
  EXPECT_EQ(onDisk.shading, 1);
  ASSERT_EQ(LoadSavedGame(folder / "game.vtx", onDisk), LoadStatus::Loaded);
  EXPECT_EQ(onDisk.shading, 0) << "the saved game is not written unasked";
  frame->show();
  prompts.asked.clear();
  frame->close();
  EXPECT_EQ(prompts.asked.size(), 1) << "the next close asks again";
}

TEST_F(VortexiaWindowTest, NewGameAfterOpeningOneClosesWithoutTheSaveQuestion) {
  std::filesystem::create_directories(folder);
  frame->Action("speedFast")->trigger();  // the saved game is no new game
  prompts.fileToSave = QString::fromStdString((folder / "game").string());
  frame->Action("fileSave")->trigger();
  prompts.answer = true;  // erase the current game
  WhenModalOpens([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
  frame->Action("fileNew")->trigger();
  prompts.asked.clear();
  frame->close();
  EXPECT_FALSE(frame->isVisible());
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.asked.join(QLatin1Char('\n')).toStdString();
}

TEST(VortexiaApp, DisplayWarningsAskOnlyWhenTheScreenIsTooNarrow) {
  EnsureApplication();
  FakePrompts prompts;
  EXPECT_TRUE(CVortexiaApp::CheckDisplayMode(prompts, kPresentedBitsPerPixel, 1280));
  EXPECT_TRUE(prompts.asked.isEmpty());
  prompts.answer = false;
  EXPECT_FALSE(CVortexiaApp::CheckDisplayMode(prompts, kPresentedBitsPerPixel, 600));
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_TRUE(prompts.asked[0].startsWith(
      QStringLiteral("Vortexia Warning|Your screen resolution is not set to 640x480 mode.")));
  prompts.answer = true;
  prompts.asked.clear();
  EXPECT_TRUE(CVortexiaApp::CheckDisplayMode(prompts, 24, 1024));
  ASSERT_EQ(prompts.asked.size(), 2) << "the colour warning, then the smoothness note";
  EXPECT_TRUE(prompts.asked[1].endsWith(QStringLiteral("switch your video mode to 256 colors.")));
}

}  // namespace
}  // namespace arcade::ui
