// The calculator's main window on the offscreen platform: where its windows
// open, and the pause timer that lets a program's pause run out.

#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "calculator/tests/ui_test_support.h"
#include "calculator/ui/help_window.h"
#include "calculator/ui/key_button.h"
#include "calculator/ui/keypad_widget.h"
#include "calculator/ui/tape_window.h"

namespace finova::ui {
namespace {

using testing::Calculator;
using testing::FakePrompts;
using testing::TempFolder;

class FinovaWindowStartTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ensureApplication(); }

  void click(FinovaWindow& window, const char* name) {
    auto* button = window.keypad()->findChild<KeyButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // 001 PSE, 002 7: pauses, then puts 7 into X.
  void recordPauseProgram(FinovaWindow& window) {
    for (const char* name : {"PR", "PSE", "KEY7", "PR"}) click(window, name);
  }
  static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
  static QRect placed(const QWidget& window) { return QRect(window.pos(), window.size()); }

  FakePrompts prompts;
  TempFolder folder;
};

TEST_F(FinovaWindowStartTest, OnFirstStartTheWindowOpensCentredAndWhole) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  const QRect window = placed(*calc.window);
  const QRect screen = screenArea();
  EXPECT_TRUE(screen.contains(window))
      << "window " << window.x() << "," << window.y() << " " << window.width() << "x"
      << window.height() << " screen " << screen.width() << "x" << screen.height();
  // Centred up to the room left for the window manager's frame.
  EXPECT_LE(std::abs(window.center().x() - screen.center().x()), 12)
      << "window " << window.x() << "," << window.y() << " " << window.width() << "x"
      << window.height() << " screen " << screen.width() << "x" << screen.height();
  EXPECT_LE(std::abs(window.center().y() - screen.center().y()), 40);
  EXPECT_TRUE(screen.contains(placed(*calc.window->tapeWindow())));
}

TEST_F(FinovaWindowStartTest, StoredPositionsAreRestoredOnlyOnAScreen) {
  const auto ini = folder.file("FINOVA.INI");
  const QRect screen = screenArea();
  testing::writeFile(ini, "[FINOVA]\nHORIZ=" + std::to_string(screen.x() + 20) +
                              "\nVERT=" + std::to_string(screen.y() + 30) +
                              "\nTHORIZ=" + std::to_string(screen.x() + 40) + "\nTVERT=-9000\n");
  Calculator calc(ini, prompts);
  EXPECT_EQ(calc.window->pos(), screen.topLeft() + QPoint(20, 30));
  EXPECT_TRUE(screen.contains(placed(*calc.window->tapeWindow())))
      << "the tape window's position is off the screen";

  testing::writeFile(ini, "[FINOVA]\nHORIZ=-9000\nVERT=100\n");
  Calculator lost(ini, prompts);
  Calculator fresh(folder.file("other.ini"), prompts);
  EXPECT_EQ(lost.window->pos(), fresh.window->pos()) << "as on the first start";
}

TEST_F(FinovaWindowStartTest, AStoredPositionNearTheEdgeMovesSoTheWholeWindowShows) {
  const auto ini = folder.file("FINOVA.INI");
  const QRect screen = screenArea();
  const QPoint nearCorner = screen.bottomRight() - QPoint(5, 5);
  testing::writeFile(ini, "[FINOVA]\nHORIZ=" + std::to_string(nearCorner.x()) +
                              "\nVERT=" + std::to_string(nearCorner.y()) + "\n");
  Calculator calc(ini, prompts);
  EXPECT_TRUE(screen.contains(placed(*calc.window)));
  EXPECT_GT(calc.window->x(), screen.center().x() - calc.window->width())
      << "moved only as far as needed";
}

TEST_F(FinovaWindowStartTest, ThePauseTimerTicksFirstAfter100msThenEverySecond) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  const QTimer& timer = calc.window->pauseTimer();
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), 100);
  calc.window->pauseTick();
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), 1000);
  // Ticks with no program running leave the calculator alone.
  QTest::keyClick(calc.window->keypad(), '4');
  const auto keys = calc.session->engine().keyCount();
  const std::size_t lines = calc.session->tape().size();
  calc.window->pauseTick();
  calc.window->pauseTick();
  EXPECT_EQ(calc.session->engine().keyCount(), keys);
  EXPECT_EQ(calc.session->tape().size(), lines);
  QTest::keyClick(calc.window->keypad(), '2');
  EXPECT_EQ(calc.session->engine().display().xLine, "42.");
}

TEST_F(FinovaWindowStartTest, APausedProgramGoesOnAtTheThirdTick) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  recordPauseProgram(w);
  click(w, "RS");
  ASSERT_TRUE(calc.session->engine().program().paused());
  w.pauseTick();
  w.pauseTick();
  EXPECT_TRUE(calc.session->engine().running());
  EXPECT_EQ(calc.session->engine().registers().X, 0.0);
  w.pauseTick();
  EXPECT_FALSE(calc.session->engine().running()) << "the program went on and ended";
  EXPECT_EQ(calc.session->engine().registers().X, 7.0);
  EXPECT_EQ(w.focusedKey(), key::kRS) << "ticks do not take the keypad focus";
}

TEST_F(FinovaWindowStartTest, APauseStoppedByRunStopStillRunsOut) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  recordPauseProgram(w);
  click(w, "RS");
  click(w, "RS");
  ASSERT_FALSE(calc.session->engine().running());
  ASSERT_TRUE(calc.session->engine().program().paused());
  for (int tick = 0; tick < 3; ++tick) w.pauseTick();
  EXPECT_FALSE(calc.session->engine().program().paused());
  EXPECT_FALSE(calc.session->engine().running()) << "running out does not restart it";
  // R/S then continues at once, with no pause left to wait for.
  click(w, "RS");
  EXPECT_EQ(calc.session->engine().registers().X, 7.0);
}

TEST_F(FinovaWindowStartTest, PauseTicksLeaveHelpModeOn) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  w.findChild<QAction*>(QStringLiteral("actionHelpMode"))->trigger();
  ASSERT_TRUE(w.helpMode());
  w.pauseTick();
  w.pauseTick();
  EXPECT_TRUE(w.helpMode());
  EXPECT_FALSE(w.helpWindow()->isVisible());
  click(w, "RCL");
  EXPECT_EQ(w.helpWindow()->currentTopic(), 30017);
}

}  // namespace
}  // namespace finova::ui
