// The game's window on the offscreen platform: the title screen and its
// buttons, Enter and Play, a level played to its result with scripted mouse
// input, pause by Space, the menus' check marks, the dialogs, saved games
// through the File menu and the question on close, the banners in the
// frame, and the attract-mode demo.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "arcade/game/saved_game.h"
#include "arcade/shell/view_settings.h"
#include "arcade/imagelib/game_palette.h"
#include "arcade/renderer/banner.h"
#include "arcade/ui/main_frame.h"
#include "arcade/ui/shell_dialogs.h"
#include "arcade/ui/shell_prompts.h"
#include "arcade/ui/vortexia_app.h"
#include "arcade/ui/vortexia_doc.h"
#include "arcade/ui/vortexia_view.h"
#include "arcade/world/geometry.h"
#include "support/fakes.h"

namespace arcade::ui {
namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "arcade_ui_tests";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

class FakePrompts : public IShellPrompts {
 public:
  bool OkCancel(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
    return answer;
  }
  bool YesNo(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
    return answer;
  }
  bool Confirm(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
    return answer;
  }
  SaveAnswer YesNoCancel(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
    if (whileAsking) whileAsking();
    return saveAnswer;
  }
  void Message(QWidget*, MessageIcon, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
  }
  QString OpenFileName(QWidget*, const QString& title, const QString&,
                       const QString& initial) override {
    asked << title + QLatin1Char('|') + initial;
    return fileToOpen;
  }
  QString SaveFileName(QWidget*, const QString& title, const QString&,
                       const QString& initial) override {
    asked << title + QLatin1Char('|') + initial;
    return fileToSave;
  }
  bool answer = true;
  SaveAnswer saveAnswer = SaveAnswer::Cancel;
  std::function<void()> whileAsking;  // what happens while the save question is up
  QString fileToOpen, fileToSave;
  QStringList asked;
};

class CountingAudio : public IShellAudio {
 public:
  void PlayTitleMusic() override { ++starts; }
  void StopTitleMusic() override { ++stops; }
  int starts = 0, stops = 0;
};

class WorkingJoystick : public IShellJoystick {
 public:
  bool Read(JoystickSample& sample) override {
    sample = {0.95f, 0.95f, false, false};
    return true;
  }
};

class VortexiaWindowTest : public ::testing::Test {
 protected:
  VortexiaWindowTest() : resources(testing::artDirectory()) {
    EnsureApplication();
    doc = std::make_unique<CVortexiaDoc>(resources, reporter, audio);
    frame = std::make_unique<CMainFrame>(*doc, prompts);
    view = frame->View();
    view->SetClock([this] { return now; });
    frame->show();
    frame->resize(640, 480 + (frame->height() - view->height()));
    QApplication::processEvents();
  }
  ~VortexiaWindowTest() override {
    frame.reset();
    doc.reset();
    std::filesystem::remove_all(folder);
  }

  CGameSession& Session() { return doc->Session(); }
  QPushButton* Button(const char* name) {
    return view->findChild<QPushButton*>(QLatin1String(name));
  }
  // Paints the view as the screen would and returns the picture.
  QImage Picture() { return view->grab().toImage(); }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      now += kTickMs;
      view->OnTick();
    }
  }
  void StartPlaying() {
    Session().MarkNeedToKnowShown();
    QTest::mouseClick(Button("buttonPlay"), Qt::LeftButton);
    Picture();  // the first paint makes the world
  }
  // Answers the next modal dialog with `answer` once it is open.
  template <typename F>
  void WhenModalOpens(F answer) {
    QTimer::singleShot(0, [answer] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr) << "no modal dialog opened";
      answer(modal);
    });
  }
  int CountColour(const QImage& image, QRect area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
  }

  DirectoryResources resources;
  testing::RecordingReporter reporter;
  CountingAudio audio;
  FakePrompts prompts;
  std::unique_ptr<CVortexiaDoc> doc;
  std::unique_ptr<CMainFrame> frame;
  CVortexiaView* view = nullptr;
  std::uint32_t now = 5000;
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vortexia_window_" + std::to_string(::getpid()));
};

TEST_F(VortexiaWindowTest, TitleScreenShowsTheCaptionTextsButtonsAndMusic) {
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Level 1: Player 1 - Vortexia"));
  EXPECT_EQ(view->size(), QSize(640, 480));
  ASSERT_NE(Button("buttonHelp"), nullptr);
  ASSERT_NE(Button("buttonPlay"), nullptr);
  ASSERT_NE(Button("buttonInfo"), nullptr);
  EXPECT_EQ(Button("buttonNext"), nullptr) << "level 1 is the highest reached";
  EXPECT_EQ(Button("buttonBack"), nullptr);
  EXPECT_TRUE(Button("buttonPlay")->isDefault());
  EXPECT_EQ(Button("buttonPlay")->geometry(), QRect(531, 432, 91, 32));
  EXPECT_EQ(Button("buttonInfo")->geometry().x(), 422);
  const QImage picture = Picture();
  // "Vortexia" in yellow across the top, "Player 1" in green below it.
  EXPECT_GT(CountColour(picture, QRect(200, 20, 240, 50), qRgb(255, 255, 0)), 500);
  EXPECT_GT(CountColour(picture, QRect(240, 150, 160, 25), qRgb(0, 255, 0)), 100);
  EXPECT_GE(audio.starts, 1) << "the title music plays";
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(frame->minimumSize(), QSize(280, 240));
}

TEST_F(VortexiaWindowTest, EnterStartsALevelAndTheGameFrameIsShown) {
  Session().MarkNeedToKnowShown();
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Return);
  ASSERT_TRUE(Session().Playing());
  EXPECT_EQ(Button("buttonPlay"), nullptr) << "the title buttons are closed";
  EXPECT_EQ(audio.stops, 1);
  EXPECT_TRUE(frame->Action("gamePause")->isEnabled());
  EXPECT_TRUE(frame->Action("gameQuitLevel")->isEnabled());
  Picture();
  ASSERT_NE(Session().World(), nullptr);
  Tick(3);
  const QImage frameShot = Picture();
  // Normal resolution: a 288 x 216 frame doubled at ((577 + 64) - 574) / 2 = 33, 24.
  EXPECT_EQ(Session().Placement(640).x, 33);
  EXPECT_NE(frameShot.pixel(320, 250), Picture().pixel(2, 250)) << "frame and backdrop differ";
}

TEST_F(VortexiaWindowTest, FirstPlayShowsNeedToKnowOnceWithOkAsTheDefault) {
  bool seen = false;
  WhenModalOpens([&seen](QWidget* modal) {
    EXPECT_EQ(modal->objectName(), QStringLiteral("NeedToKnow"));
    auto* ok = modal->findChild<QPushButton*>(QStringLiteral("needToKnowOk"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    seen = true;
    QTest::keyClick(modal, Qt::Key_Return);
  });
  QTest::mouseClick(Button("buttonPlay"), Qt::LeftButton);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(Session().Playing());
  EXPECT_FALSE(Session().Paused()) << "the pause raised for the dialog is put back";
  view->OnQuitLevel();
  ASSERT_NE(Button("buttonPlay"), nullptr);
  QTest::mouseClick(Button("buttonPlay"), Qt::LeftButton);  // no dialog this time
  EXPECT_TRUE(Session().Playing());
}

TEST_F(VortexiaWindowTest, ALevelPlaysToItsResultWithScriptedMouseInput) {
  StartPlaying();
  CWorld& world = *Session().World();
  // The right button takes hold of the mouse; the cursor is hidden.
  QTest::mouseClick(view, Qt::RightButton, {}, QPoint(100, 100));
  ASSERT_TRUE(view->MouseCaptured());
  EXPECT_EQ(view->cursor().shape(), Qt::BlankCursor);
  // The last ball flies out past the paddle while the mouse steers left
  // and right.
  world.Ball().spareBalls = 0;
  world.AddScore(730);
  world.Ball().Launch({fx(20.0), Fixed(), fx(-44.0)}, {Fixed(), Fixed(), Fixed::fromInt(-1)});
  const QPoint centre = view->mapToGlobal(QPoint(320, 240));
  for (int i = 0; i < 200 && Session().Playing(); ++i) {
    QCursor::setPos(centre + QPoint((i % 20) * 10 - 100, 0));
    Tick();
  }
  ASSERT_FALSE(Session().Playing());
  EXPECT_FALSE(view->MouseCaptured()) << "the title screen lets go of the mouse";
  EXPECT_EQ(Session().Record().lastResult[0], (LevelResult{730, -1}));
  EXPECT_EQ(Session().Record().bestResult[0], (LevelResult{730, -1}));
  ASSERT_NE(Button("buttonPlay"), nullptr) << "the title screen is back";
  EXPECT_FALSE(frame->Action("gameQuitLevel")->isEnabled());
  const QImage picture = Picture();
  EXPECT_GT(CountColour(picture, QRect(300, 300, 200, 60), qRgb(0, 255, 0)), 50)
      << "the score table shows the result";
}

TEST_F(VortexiaWindowTest, TwoSpacePressesBetweenTicksPauseOnceAndTheMenuShowsIt) {
  StartPlaying();
  QTest::keyClick(view, Qt::Key_Space);
  QTest::keyClick(view, Qt::Key_Space);
  Tick();
  EXPECT_TRUE(Session().Paused());
  EXPECT_TRUE(frame->Action("gamePause")->isChecked());
  const std::int32_t elapsed = Session().World()->ElapsedMs();
  Tick(5);
  EXPECT_EQ(Session().World()->ElapsedMs(), elapsed);
  frame->Action("gamePause")->trigger();
  EXPECT_FALSE(Session().Paused());
  EXPECT_FALSE(frame->Action("gamePause")->isChecked());
}

TEST_F(VortexiaWindowTest, SpaceOnTheTitleDoesNothingSoPlayStartsUnpaused) {
  QTest::keyClick(view, Qt::Key_Space);
  Tick(3);
  EXPECT_FALSE(Session().Paused());
  EXPECT_FALSE(frame->Action("gamePause")->isChecked());
  StartPlaying();
  Tick(5);
  EXPECT_FALSE(Session().Paused()) << "the level runs";
  EXPECT_GT(Session().World()->ElapsedMs(), 0);
}

TEST_F(VortexiaWindowTest, QuitLevelEndsWithoutRecording) {
  StartPlaying();
  Tick(10);
  QTest::keySequence(frame.get(), QKeySequence(Qt::CTRL | Qt::Key_X));
  EXPECT_FALSE(Session().Playing());
  EXPECT_EQ(Session().Record().lastResult[0], LevelResult{});
  EXPECT_EQ(Session().World(), nullptr);
}

TEST_F(VortexiaWindowTest, OptionAndInputMenusCarryTheirCheckMarks) {
  EXPECT_TRUE(frame->Action("resolutionNormal")->isChecked());
  EXPECT_FALSE(frame->Action("resolutionHigh")->isChecked());
  EXPECT_TRUE(frame->Action("speedAverage")->isChecked());
  EXPECT_TRUE(frame->Action("inputMouse")->isChecked());
  frame->Action("resolutionHigh")->trigger();
  frame->Action("shading")->trigger();
  frame->Action("speedUltraFast")->trigger();
  EXPECT_EQ(Session().Record().resolution, 0);
  EXPECT_EQ(Session().Record().shading, 1);
  EXPECT_EQ(Session().Record().speed, 3);
  EXPECT_TRUE(frame->Action("resolutionHigh")->isChecked());
  EXPECT_FALSE(frame->Action("resolutionNormal")->isChecked());
  EXPECT_TRUE(frame->Action("shading")->isChecked());
  EXPECT_TRUE(frame->Action("speedUltraFast")->isChecked());
  EXPECT_FALSE(frame->Action("speedAverage")->isChecked());
  frame->Action("shading")->trigger();
  EXPECT_FALSE(frame->Action("shading")->isChecked());
  frame->Action("inputJoystick")->trigger();
  EXPECT_TRUE(frame->Action("inputMouse")->isChecked()) << "no joystick: the mouse stays";
  EXPECT_FALSE(frame->Action("inputJoystick")->isChecked());
  WorkingJoystick stick;
  Session().SetJoystick(&stick);
  frame->Action("inputJoystick")->trigger();
  EXPECT_TRUE(frame->Action("inputJoystick")->isChecked());
  EXPECT_FALSE(frame->Action("inputMouse")->isChecked());
  frame->Action("inputMouse")->trigger();
  EXPECT_TRUE(Session().MouseMode());
  EXPECT_FALSE(frame->Action("gamePause")->isEnabled()) << "only while playing";
}

TEST_F(VortexiaWindowTest, NextAndBackChooseTheLevelUpToTheHighestReached) {
  Session().Record().highestLevel = 2;
  view->RefreshTitle();
  ASSERT_NE(Button("buttonNext"), nullptr);
  QTest::mouseClick(Button("buttonNext"), Qt::LeftButton);
  QTest::mouseClick(Button("buttonNext"), Qt::LeftButton);
  EXPECT_EQ(Session().Record().currentLevel, 2);
  EXPECT_EQ(Button("buttonNext"), nullptr) << "hidden at the highest level";
  ASSERT_NE(Button("buttonBack"), nullptr);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Level 3: Player 1 - Vortexia"));
  QTest::mouseClick(Button("buttonBack"), Qt::LeftButton);
  EXPECT_EQ(Session().Record().currentLevel, 1);
}

TEST_F(VortexiaWindowTest, NarrowWindowKeepsButtonsFortyEightPixelsWide) {
  frame->resize(290, frame->height());
  QApplication::processEvents();
  ASSERT_LT(view->width(), 336);
  ASSERT_NE(Button("buttonPlay"), nullptr);
  EXPECT_EQ(Button("buttonPlay")->width(), 48);
  EXPECT_EQ(Button("buttonHelp")->width(), 48);
}

TEST_F(VortexiaWindowTest, PlayerInformationEditsTheNameAndShowsTheTotals) {
  Session().Record().highestLevel = 1;
  Session().Record().bestResult[0] = {1000, 100};  // par 120: 2,000 bonus
  Session().Record().bestResult[1] = {500, -1};
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("Player Information"));
    auto* name = modal->findChild<QLineEdit*>(QStringLiteral("playerName"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->selectedText(), QStringLiteral("Player 1"));
    EXPECT_EQ(modal->findChild<QLabel*>(QStringLiteral("highestLevel"))->text(),
              QStringLiteral("2"));
    EXPECT_EQ(modal->findChild<QLabel*>(QStringLiteral("totalScore"))->text(),
              QStringLiteral("3,500"));
    name->setText(QStringLiteral("Zoë"));
    QTest::keyClick(name, Qt::Key_Return);
  });
  QTest::mouseClick(Button("buttonInfo"), Qt::LeftButton);
  EXPECT_EQ(Session().Record().playerName, "Zo\xc3\xab");
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Level 1: Zoë - Vortexia"));
  EXPECT_FALSE(Session().Paused());

  WhenModalOpens([](QWidget* modal) {
    modal->findChild<QLineEdit*>(QStringLiteral("playerName"))->setText(QStringLiteral("X"));
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  frame->Action("fileInformation")->trigger();
  EXPECT_EQ(Session().Record().playerName, "Zo\xc3\xab") << "Cancel changes nothing";
}

TEST_F(VortexiaWindowTest, NewAsksBeforeErasingAndThenAsksForTheName) {
  Session().Record().highestLevel = 4;
  Session().Record().currentLevel = 3;
  prompts.answer = false;
  frame->Action("fileNew")->trigger();
  EXPECT_EQ(Session().Record().currentLevel, 3);
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0],
            QStringLiteral("Vortexia is Puzzled|Do you really wish to erase the current game?"));
  prompts.answer = true;
  bool infoShown = false;
  WhenModalOpens([&infoShown](QWidget* modal) {
    infoShown = modal->objectName() == QStringLiteral("PlayerInformation");
    QTest::keyClick(modal, Qt::Key_Return);
  });
  frame->Action("fileNew")->trigger();
  EXPECT_TRUE(infoShown);
  EXPECT_EQ(Session().Record(), PlayerRecord{});
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Level 1: Player 1 - Vortexia"));
}

TEST_F(VortexiaWindowTest, HelpButtonShowsThePagesAndCountsAsTheIntroduction) {
  WhenModalOpens([](QWidget* modal) {
    auto* help = qobject_cast<CHelpDialog*>(modal);
    ASSERT_NE(help, nullptr);
    EXPECT_GE(help->PageCount(), 3);
    QString all;
    for (int page = 0; page < help->PageCount(); ++page) {
      help->ShowPage(page);
      all += modal->findChild<QTextBrowser*>(QStringLiteral("helpText"))->toPlainText();
    }
    EXPECT_TRUE(all.contains(QStringLiteral("Super ball - one hit destroys anything.")));
    EXPECT_TRUE(all.contains(QStringLiteral("Causes ball to stick to paddle.")));
    EXPECT_TRUE(all.contains(QStringLiteral("permanent blue tiles")));
    modal->close();
  });
  QTest::mouseClick(Button("buttonHelp"), Qt::LeftButton);
  EXPECT_TRUE(Session().NeedToKnowShown());
  EXPECT_FALSE(Session().PlayNeedsIntroduction());
}

TEST_F(VortexiaWindowTest, SaveAndOpenThroughTheFileMenuRestoreTheOptions) {
  std::filesystem::create_directories(folder);
  const char* formerData = std::getenv("XDG_DATA_HOME");
  const std::string former = formerData != nullptr ? formerData : "";
  ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
  struct RestoreData {
    const char* before;
    std::string value;
    ~RestoreData() {
      if (before != nullptr) {
        ::setenv("XDG_DATA_HOME", value.c_str(), 1);
      } else {
        ::unsetenv("XDG_DATA_HOME");
      }
    }
  } restore{formerData, former};
  Session().Record().playerName = "Saver";
  Session().Record().resolution = 0;
  Session().Record().speed = 2;
  Session().Record().highestLevel = 5;
  Session().Record().currentLevel = 4;
  prompts.fileToSave = QString::fromStdString((folder / "game").string());
  frame->Action("fileSave")->trigger();
  const auto saves = folder / "data" / "vortexia" / "saves";
  EXPECT_TRUE(std::filesystem::is_directory(saves)) << "the saves folder is made when missing";
  EXPECT_EQ(prompts.asked.value(0),
            QStringLiteral("Save Game|") + QString::fromStdString((saves / "Saver").string()))
      << "opens with the name, in the saves folder";
  const auto saved = folder / "game.vtx";
  ASSERT_TRUE(std::filesystem::exists(saved)) << "the extension is added";
  EXPECT_EQ(std::filesystem::file_size(saved), 1044u);

  Session().ResetRecord();
  doc->UpdateTitle();
  prompts.fileToOpen = QString::fromStdString(saved.string());
  frame->Action("fileOpen")->trigger();
  EXPECT_EQ(prompts.asked.value(1),
            QStringLiteral("Load Game|") + QString::fromStdString(saved.string()))
      << "the shared name is the one last used";
  EXPECT_EQ(Session().Record().playerName, "Saver");
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Level 5: Saver - Vortexia"));
  frame->UpdateMenus();
  EXPECT_TRUE(frame->Action("resolutionHigh")->isChecked());
  EXPECT_TRUE(frame->Action("speedFast")->isChecked());
  ASSERT_NE(Button("buttonNext"), nullptr);

  prompts.fileToOpen = QString::fromStdString((folder / "missing.vtx").string());
  frame->Action("fileOpen")->trigger();
  EXPECT_EQ(prompts.asked.last(), QStringLiteral("Vortexia Error|Could not open the load file!"));
  EXPECT_EQ(Session().Record().playerName, "Saver");
}

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
