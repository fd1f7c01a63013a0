// The calculator's main window on the offscreen platform: keyboard and
// mouse, help mode, settings across restarts, separators, the schedule,
// the tape file, running programs.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "calculator/core/keypad_grid.h"
#include "calculator/tests/ui_test_support.h"
#include "calculator/ui/amort_dialog.h"
#include "calculator/ui/help_window.h"
#include "calculator/ui/key_button.h"
#include "calculator/ui/keypad_widget.h"
#include "calculator/ui/program_dialogs.h"
#include "calculator/ui/register_window.h"
#include "calculator/ui/tape_window.h"
#include "platform/ini_file.h"

namespace finova::ui {
namespace {

using testing::Calculator;
using testing::FakePrompts;
using testing::TempFolder;

class FinovaWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ensureApplication(); }

  KeyButton* button(FinovaWindow& window, const char* name) {
    auto* found = window.keypad()->findChild<KeyButton*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString field(FinovaWindow& window, const char* name) {
    auto* label = window.keypad()->findChild<QLabel*>(QLatin1String(name));
    return label == nullptr ? QStringLiteral("<missing>") : label->text();
  }
  void click(FinovaWindow& window, const char* name) {
    QTest::mouseClick(button(window, name), Qt::LeftButton);
  }
  void typeText(FinovaWindow& window, const QString& text) {
    for (const QChar c : text) {
      QTest::keyClick(window.keypad(), c.toLatin1());
    }
  }
  // Answers the next modal dialog with `answer` once it is open.
  template <typename F>
  void whenModalOpens(F answer) {
    QTimer::singleShot(0, [answer] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr) << "no modal dialog opened";
      answer(modal);
    });
  }
  platform::IniFile iniOf(const TempFolder& folder) {
    return platform::IniFile(folder.file("FINOVA.INI"));
  }

  FakePrompts prompts;
  TempFolder folder;
};

TEST_F(FinovaWindowTest, TypingOneTwoPlusActsLikeTheKeypadAndDrawsKeysPressedAndReleased) {
  Calculator typed(folder.file("a.ini"), prompts);
  Calculator clicked(folder.file("b.ini"), prompts);
  FinovaWindow& w = *typed.window;
  KeyButton* one = button(w, "KEY1");
  const QImage released = one->grab().toImage();

  QTest::keyPress(w.keypad(), '1');
  EXPECT_TRUE(one->isDown());
  EXPECT_EQ(one->faceName(), "KEY12");
  EXPECT_NE(one->grab().toImage(), released) << "the pressed face looks like the plain one";
  QTest::keyRelease(w.keypad(), '1');
  EXPECT_FALSE(one->isDown());
  EXPECT_EQ(one->faceName(), "KEY13") << "released with the focus";
  QTest::keyClick(w.keypad(), '2');
  QTest::keyClick(w.keypad(), '+');
  EXPECT_EQ(one->faceName(), "KEY11") << "the focus moved on";
  EXPECT_EQ(button(w, "PLUS")->faceName(), "PLUS3");

  for (const char* name : {"KEY1", "KEY2", "PLUS"}) click(*clicked.window, name);
  EXPECT_EQ(field(w, "XLine"), "12.00");
  EXPECT_EQ(field(w, "XLine"), field(*clicked.window, "XLine"));
  EXPECT_EQ(field(w, "YLine"), field(*clicked.window, "YLine"));
  EXPECT_EQ(typed.session->tape().text(), clicked.session->tape().text());
}

TEST_F(FinovaWindowTest, HelpModeOnPvOpensTopic30006AndPressesNothing) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  typeText(w, "5");
  const auto keysBefore = calc.session->engine().keyCount();
  w.findChild<QAction*>(QStringLiteral("actionHelpMode"))->trigger();
  ASSERT_TRUE(w.helpMode());
  click(w, "PV");
  EXPECT_TRUE(w.helpWindow()->isVisible());
  EXPECT_EQ(w.helpWindow()->currentTopic(), 30006);
  EXPECT_TRUE(w.helpWindow()->pageTitle().startsWith("Time value of money"))
      << w.helpWindow()->pageTitle().toStdString();
  EXPECT_EQ(calc.session->engine().keyCount(), keysBefore);
  EXPECT_EQ(calc.session->engine().registers().PV(), 0.0);
  EXPECT_EQ(field(w, "XLine"), "5.");
  EXPECT_FALSE(w.helpMode()) << "help mode ends with the key";
  click(w, "PV");
  EXPECT_EQ(calc.session->engine().registers().PV(), 5.0);
}

TEST_F(FinovaWindowTest, EveryHelpTopicHasItsOwnPage) {
  HelpWindow help;
  for (int topic = kFirstHelpTopic; topic <= kLastHelpTopic; ++topic) {
    help.showTopic(topic);
    EXPECT_EQ(help.currentTopic(), topic);
    EXPECT_FALSE(help.pageTitle().isEmpty()) << topic;
    EXPECT_NE(help.pageTitle(), "Finova Help") << topic;
  }
  help.showTopic(0);
  EXPECT_EQ(help.pageTitle(), "Finova Help");
}

TEST_F(FinovaWindowTest, AlwaysOnTopSurvivesARestart) {
  const auto ini = folder.file("FINOVA.INI");
  {
    Calculator calc(ini, prompts);
    EXPECT_FALSE(calc.window->alwaysOnTop());
    calc.window->findChild<QAction*>(QStringLiteral("actionAlwaysOnTop"))->trigger();
    EXPECT_TRUE(calc.window->alwaysOnTop());
    calc.window->close();
  }
  EXPECT_EQ(platform::IniFile(ini).readInt("FINOVA", "ONTOP", -1), 8);
  Calculator again(ini, prompts);
  EXPECT_TRUE(again.window->alwaysOnTop());
  EXPECT_TRUE(again.window->tapeWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(again.window->findChild<QAction*>(QStringLiteral("actionAlwaysOnTop"))->isChecked());
}

TEST_F(FinovaWindowTest, EuropeanSeparatorsReachDisplayTapeAndBothRegisterWindows) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  w.findChild<QAction*>(QStringLiteral("actionRegisters"))->trigger();
  w.findChild<QAction*>(QStringLiteral("actionMemory"))->trigger();
  w.findChild<QAction*>(QStringLiteral("actionTape"))->trigger();
  whenModalOpens([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>(QStringLiteral("EditDecimals"))->setText(QStringLiteral("3"));
    dialog->findChild<QRadioButton*>(QStringLiteral("RadioEuropean"))->setChecked(true);
    static_cast<QDialog*>(dialog)->accept();
  });
  w.showPreferences();
  typeText(w, "1234567.5");
  QTest::keyClick(w.keypad(), Qt::Key_Return);
  click(w, "STO");
  click(w, "KEY1");
  EXPECT_EQ(field(w, "XLine"), "1.234.567,500");
  EXPECT_EQ(field(w, "YLine"), "1.234.567,500");
  EXPECT_EQ(w.registersWindow()->valueText("X"), "1.234.567,500");
  EXPECT_EQ(w.memoryWindow()->valueText("R1"), "1.234.567,500");
  TapeView* tape = w.tapeWindow()->view();
  EXPECT_EQ(tape->numberText(0), "1.234.567,500") << "the entry line";
  EXPECT_EQ(tape->mnemonicText(0), "ENTER");
  // The tape keeps the English form; only its window shows the other style.
  EXPECT_EQ(calc.session->tape().lines().front().text, "1,234,567.500");
}

TEST_F(FinovaWindowTest, ScheduleRefusesUnsuitableRegistersAndListsRowsOtherwise) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  EngineRegisters& r = calc.session->engine().registers();
  r.PV() = 1000;
  r.PMT() = 100;  // not a payment made
  r.i() = 1;
  w.showSchedule();
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_TRUE(prompts.asked[0].startsWith("Amortization Error|")) << prompts.asked[0].toStdString();

  r.PMT() = -100;
  r.X = r.working = 7;
  int rows = 0;
  QString lastRow;
  QString loan;
  whenModalOpens([&](QWidget* dialog) {
    auto* amort = qobject_cast<AmortDialog*>(dialog);
    ASSERT_NE(amort, nullptr);
    rows = amort->rowList()->count();
    lastRow = amort->rowList()->item(rows - 1)->text();
    loan = amort->headerText("LoanAmount");
    amort->reject();
  });
  w.showSchedule();
  EXPECT_EQ(rows, 11) << "ten payments of 100 and the rest";
  EXPECT_EQ(loan, "1,000.00");
  EXPECT_TRUE(lastRow.startsWith(" 011")) << lastRow.toStdString();
  EXPECT_EQ(r.PV(), 1000) << "the registers are left as they were";
  EXPECT_EQ(r.n(), 0);
  EXPECT_EQ(r.X, 7);
}

TEST_F(FinovaWindowTest, ScheduleSavesItsRowsAsText) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  EngineRegisters& r = calc.session->engine().registers();
  r.PV() = 1000;
  r.PMT() = -100;
  r.i() = 1;
  AmortDialog dialog(calc.session->engine(), prompts);
  prompts.fileToSave = QString::fromStdString(folder.file("plan").string());
  dialog.save();
  const std::string text = testing::readFile(folder.file("plan.txt"));
  EXPECT_EQ(text.rfind(" 001", 0), 0u) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), dialog.rowList()->count());
  EXPECT_EQ(text.find("Pmt#"), std::string::npos) << "rows only";
}

TEST_F(FinovaWindowTest, TapeFileGetsTheSessionsLinesWhenTheWindowCloses) {
  const auto ini = folder.file("FINOVA.INI");
  const auto tapeFile = folder.file("paper.tpf");
  testing::writeFile(tapeFile, "[Old]\r\n");
  testing::writeFile(ini, "[FINOVA]\nTAPEFILE=" + tapeFile.string() + "\n");
  Calculator calc(ini, prompts);
  ASSERT_EQ(calc.session->tape().size(), 1u) << "the tape file is loaded at start";
  typeText(*calc.window, "100");
  QTest::keyClick(calc.window->keypad(), Qt::Key_Return);
  typeText(*calc.window, "50+");
  calc.window->close();
  const std::string text = testing::readFile(tapeFile);
  EXPECT_EQ(text.rfind("[Old]\r\n100.00 ENTER\r\n50.00 +\r\n150.00 ###\r\n[", 0), 0u) << text;
  EXPECT_NE(text.find("[Tape Saved]\r\n"), std::string::npos) << text;
}

TEST_F(FinovaWindowTest, SettingsRoundTripWithStoredNumbers) {
  const auto ini = folder.file("FINOVA.INI");
  {
    Calculator calc(ini, prompts);
    typeText(*calc.window, "12.5");
    QTest::keyClick(calc.window->keypad(), Qt::Key_Return);
    typeText(*calc.window, "3");
    click(*calc.window, "STO");
    click(*calc.window, "KEY5");
    click(*calc.window, "BEG");
    calc.window->close();
  }
  const platform::IniFile stored(ini);
  EXPECT_EQ(stored.readString("FINOVA", "R0"), "3.00000000000000E+00");
  EXPECT_EQ(stored.readString("FINOVA", "R1"), "1.25000000000000E+01");
  EXPECT_EQ(stored.readString("FINOVA", "M5"), "3.00000000000000E+00");
  EXPECT_EQ(stored.readString("FINOVA", "END"), "0");
  Calculator again(ini, prompts);
  EXPECT_EQ(field(*again.window, "XLine"), "3.00");
  EXPECT_EQ(field(*again.window, "YLine"), "12.50");
  EXPECT_EQ(field(*again.window, "IndicatorEnd"), "BEG");
  EXPECT_EQ(again.session->engine().registers().R[5], 3.0);
}

TEST_F(FinovaWindowTest, WindowManagerCloseWritesSettingsLikeFileExit) {
  const auto ini = folder.file("FINOVA.INI");
  Calculator calc(ini, prompts);
  calc.window->show();
  calc.window->move(120, 90);
  QApplication::processEvents();
  typeText(*calc.window, "42");
  // What the window manager's close button sends.
  QCloseEvent close;
  QApplication::sendEvent(calc.window.get(), &close);
  EXPECT_TRUE(close.isAccepted());
  EXPECT_TRUE(calc.session->finished());
  const platform::IniFile stored(ini);
  EXPECT_EQ(stored.readString("FINOVA", "R0"), "4.20000000000000E+01");
  EXPECT_EQ(stored.readInt("FINOVA", "HORIZ", -1), calc.window->pos().x());
  EXPECT_EQ(stored.readInt("FINOVA", "DECPT", -1), 2);
}

TEST_F(FinovaWindowTest, ALongProgramKeepsRunningUntilRunStop) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  // 001 1, 002 +, 003 GTO 001: counts up forever.
  for (const char* name : {"PR", "KEY1", "PLUS", "GTO", "KEY0", "KEY0", "KEY1", "PR"})
    click(w, name);
  click(w, "RS");
  ASSERT_TRUE(calc.session->engine().running());
  for (int turn = 0; turn < 20; ++turn) QApplication::processEvents();
  EXPECT_TRUE(calc.session->engine().running());
  EXPECT_GT(calc.session->engine().registers().X, 1000.0) << "the program went on between events";
  EXPECT_EQ(field(w, "XLine").toStdString(), calc.session->engine().display().xLine);
  click(w, "RS");
  EXPECT_FALSE(calc.session->engine().running());
  const double stopped = calc.session->engine().registers().X;
  QApplication::processEvents();
  EXPECT_EQ(calc.session->engine().registers().X, stopped);
}

TEST_F(FinovaWindowTest, ArrowsMoveTheKeypadFocusAndSpacePressesTheFocusedKey) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  click(w, "KEY7");
  QTest::keyClick(w.keypad(), Qt::Key_Right);
  EXPECT_EQ(w.focusedKey(), 8);
  QTest::keyClick(w.keypad(), Qt::Key_Down);
  EXPECT_EQ(w.focusedKey(), key::kEnd) << "the label below 8";
  for (int k = 0; k < 3; ++k) QTest::keyClick(w.keypad(), Qt::Key_Down);
  EXPECT_EQ(w.focusedKey(), key::kMDY);
  QTest::keyClick(w.keypad(), Qt::Key_Home);
  EXPECT_EQ(button(w, "SQRT")->faceName(), "SQRT3");
  QTest::keyClick(w.keypad(), Qt::Key_Up);
  EXPECT_EQ(w.focusedKey(), key::kPower);
  QTest::keyClick(w.keypad(), Qt::Key_End);
  EXPECT_EQ(w.focusedKey(), key::kTimes);
  QTest::keyClick(w.keypad(), Qt::Key_Space);
  EXPECT_EQ(calc.session->engine().registers().X, 0.0) << "7 times 0";
  EXPECT_EQ(calc.session->tape().lines().front().mnemonic, "*");
}

TEST_F(FinovaWindowTest, ProgramsSaveWithTheirCommentAndLoadIntoTheCaption) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  for (const char* name : {"PR", "KEY2", "TIMES", "PR"}) click(w, name);
  EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("actionSave"))->isEnabled());
  prompts.newComment = QStringLiteral("Doubles X");
  prompts.fileToSave = QString::fromStdString(folder.file("a_long_program_name_here").string());
  w.saveProgramAs();
  const auto saved = folder.file("a_long_program_name_here.pgm");
  // The unrecorded lines after the program (GTO 0 0 0) are not written.
  EXPECT_EQ(testing::readFile(saved), "CCC  Doubles X\r\n001  2\r\n002  *\r\n");
  EXPECT_EQ(w.windowTitle().toStdString(), "Finova 4.0 - ...program_name_here.pgm");
  EXPECT_TRUE(w.findChild<QAction*>(QStringLiteral("actionSave"))->isEnabled());

  prompts.confirmAnswer = true;
  w.newProgram();
  EXPECT_TRUE(prompts.asked.contains("New|Clear Program Memory?"));
  EXPECT_EQ(w.windowTitle(), "Finova 4.0");
  EXPECT_EQ(calc.session->engine().program().step(1)[0], key::kGto);

  prompts.fileToOpen = QString::fromStdString(saved.string());
  w.openProgram();
  EXPECT_EQ(calc.session->engine().program().step(2)[0], key::kTimes);
  EXPECT_TRUE(w.commentsWindow()->isVisible());
  EXPECT_EQ(w.commentsWindow()->text(), "Doubles X\n");
  click(w, "KEY5");
  click(w, "RS");
  EXPECT_EQ(field(w, "XLine"), "10.00");
}

TEST_F(FinovaWindowTest, CopyAndPasteCarryX) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  FinovaWindow& w = *calc.window;
  typeText(w, "1234.5N");
  w.copyX();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "-1234.5 ") << "the entry as shown";
  QTest::keyClick(w.keypad(), Qt::Key_Return);
  w.copyX();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "-1234.50 ");
  click(w, "CLX");
  QApplication::clipboard()->setText(QStringLiteral("-2,5x7"));
  w.pasteX();
  EXPECT_EQ(field(w, "XLine"), "-257.");
}

TEST_F(FinovaWindowTest, KeypadButtonsAreAlignedInsideTheClientAndDoNotOverlap) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  KeypadWidget* keypad = calc.window->keypad();
  const auto& buttons = keypad->buttons();
  EXPECT_EQ(buttons.size(), 100);
  QList<KeyButton*> list = buttons.values();
  for (KeyButton* b : list) {
    EXPECT_TRUE(keypad->rect().contains(b->geometry())) << b->objectName().toStdString();
    EXPECT_EQ(KeyFromControl(b->controlId()) == key::kNoKey, false);
    for (KeyButton* other : list) {
      if (other == b) continue;
      EXPECT_FALSE(b->geometry().intersects(other->geometry()))
          << b->objectName().toStdString() << " and " << other->objectName().toStdString();
    }
  }
  // Keys of one row share their top; columns share their left edge.
  EXPECT_EQ(button(*calc.window, "N")->y(), button(*calc.window, "DIVIDE")->y());
  EXPECT_EQ(button(*calc.window, "N")->x(), button(*calc.window, "RS")->x());
  KeyButton* enter = button(*calc.window, "ENTER");
  EXPECT_EQ(enter->y(), button(*calc.window, "RS")->y());
  EXPECT_EQ(enter->geometry().bottom(), button(*calc.window, "RCL")->geometry().bottom());
}

}  // namespace
}  // namespace finova::ui
