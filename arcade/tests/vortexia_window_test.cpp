// The game's window on the offscreen platform: the title screen and its
// buttons, Enter and Play, a level played to its result with scripted mouse
// input, pause by Space, the menus' check marks, the dialogs and saved games
// through the File menu.
#include "support/vortexia_window_fixture.h"

namespace arcade::ui {
namespace {

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

}  // namespace
}  // namespace arcade::ui
