// The calculator's window with real files and real events on the offscreen
// platform: held keys, the side windows beside the keypad, European paste,
// quit signals, an unwritable settings file, program and tape files that
// must not be used, and saving over an existing file.

#include <gtest/gtest.h>
#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTest>

#include "calculator/tests/ui_test_support.h"
#include "calculator/ui/help_window.h"
#include "calculator/ui/keypad_widget.h"
#include "calculator/ui/program_dialogs.h"
#include "calculator/ui/quit_signal_watch.h"
#include "calculator/ui/register_window.h"
#include "calculator/ui/tape_window.h"
#include "platform/ini_file.h"

namespace finova::ui {
namespace {

using testing::Calculator;
using testing::FakePrompts;
using testing::TempFolder;

class WindowFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ensureApplication(); }
  QString xLine(FinovaWindow& window) {
    return window.keypad()->findChild<QLabel*>(QStringLiteral("XLine"))->text();
  }
  void trigger(QWidget& window, const char* action) {
    auto* found = window.findChild<QAction*>(QLatin1String(action));
    ASSERT_NE(found, nullptr) << action;
    found->trigger();
  }
  bool askedAbout(const QString& words) const {
    for (const QString& question : prompts.asked) {
      if (question.contains(words)) return true;
    }
    return false;
  }
  TempFolder folder;
  FakePrompts prompts;
};

TEST_F(WindowFilesTest, HoldingAKeyPressesItOnce) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  QWidget* keypad = calc.window->keypad();
  QKeyEvent first(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
  QApplication::sendEvent(keypad, &first);
  for (int k = 0; k < 4; ++k) {
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"), true);
    QApplication::sendEvent(keypad, &repeat);
    EXPECT_TRUE(repeat.isAccepted()) << "the repeat is swallowed";
  }
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
  QApplication::sendEvent(keypad, &release);
  EXPECT_EQ(xLine(*calc.window), QStringLiteral("5."));
  QTest::keyClick(keypad, '5');
  EXPECT_EQ(xLine(*calc.window), QStringLiteral("55.")) << "a new press still counts";
}

TEST_F(WindowFilesTest, SideWindowsOpenBesideTheKeypadAndRememberWhereTheyWere) {
  const auto ini = folder.file("FINOVA.INI");
  {
    Calculator calc(ini, prompts);
    calc.window->show();
    calc.window->move(100, 60);
    QApplication::processEvents();
    const QRect keypad = calc.window->frameGeometry();
    trigger(*calc.window, "actionRegisters");
    trigger(*calc.window, "actionMemory");
    calc.window->helpWindow()->showTopic(0);
    calc.window->commentsWindow()->showComment(QStringLiteral("Loan payments"));
    QApplication::processEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const std::vector<QWidget*> sides{static_cast<QWidget*>(calc.window->registersWindow()),
                                      static_cast<QWidget*>(calc.window->memoryWindow()),
                                      static_cast<QWidget*>(calc.window->helpWindow()),
                                      static_cast<QWidget*>(calc.window->commentsWindow())};
    // No side window opens on top of another: each title bar stays in view.
    for (std::size_t a = 0; a < sides.size(); ++a) {
      for (std::size_t b = a + 1; b < sides.size(); ++b) {
        EXPECT_NE(sides[a]->pos(), sides[b]->pos())
            << sides[a]->objectName().toStdString() << " on "
            << sides[b]->objectName().toStdString();
      }
    }
    const QRect registers = sides[0]->geometry();
    const QRect memory = sides[1]->geometry();
    if (screen.height() >= registers.height() + memory.height() + 2 * 40) {
      EXPECT_FALSE(registers.intersects(memory)) << "Memory opens below Registers";
    }
    for (QWidget* side : sides) {
      ASSERT_TRUE(side->isVisible());
      const bool room = screen.right() - keypad.right() >= side->width() ||
                        keypad.left() - screen.left() >= side->width();
      if (room) {
        EXPECT_FALSE(side->geometry().intersects(keypad))
            << side->objectName().toStdString() << " covers the keypad";
      } else if (side == sides[0]) {
        // The first against the screen's edge (room left for a frame),
        // covering as little as it can; later ones step aside from it.
        EXPECT_TRUE(side->geometry().right() >= screen.right() - 16 ||
                    side->geometry().left() <= screen.left() + 16)
            << side->objectName().toStdString();
      }
      EXPECT_TRUE(screen.contains(side->geometry().topLeft()));
    }
    calc.window->registersWindow()->move(30, 40);
    QApplication::processEvents();
    calc.window->close();
  }
  EXPECT_EQ(platform::IniFile(ini).readInt("FINOVA", "RHORIZ", -1), 30);
  Calculator again(ini, prompts);
  again.window->show();
  trigger(*again.window, "actionRegisters");
  QApplication::processEvents();
  EXPECT_EQ(again.window->registersWindow()->pos(), QPoint(30, 40));
}

TEST_F(WindowFilesTest, AnnotationsHoldEighteenCharactersWhateverTheirEncodedLength) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  calc.window->tapeWindow()->show();
  const QString face = QString::fromUcs4(U"\U0001F600");  // two UTF-16 units
  QString typed;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("EditAnnotation"));
    ASSERT_NE(edit, nullptr);
    for (int k = 0; k < 20; ++k) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, face);
      QApplication::sendEvent(edit, &press);
    }
    typed = edit->text();
    QTest::keyClick(edit, Qt::Key_Return);
  });
  trigger(*calc.window->tapeWindow(), "tapeAnnotate");
  EXPECT_EQ(typed.toUcs4().size(), 18) << "the field takes 18 faces, not 9";
  ASSERT_FALSE(calc.session->tape().lines().empty());
  EXPECT_EQ(calc.session->tape().lines().back().text, "[" + typed.toStdString() + "]");
}

TEST_F(WindowFilesTest, EuropeanPasteReadsGroupingAndDecimalComma) {
  const auto ini = folder.file("FINOVA.INI");
  testing::writeFile(ini, "[FINOVA]\nSEPARATOR=10136\n");
  Calculator calc(ini, prompts);
  QApplication::clipboard()->setText(QStringLiteral("1.234.567,89"));
  trigger(*calc.window, "actionPaste");
  QTest::keyClick(calc.window->keypad(), Qt::Key_Return);
  EXPECT_DOUBLE_EQ(calc.session->engine().registers().X, 1234567.89);
  trigger(*calc.window, "actionCopy");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1234567,89 "));
}

TEST_F(WindowFilesTest, SigtermClosesTheWindowAsFileExitDoes) {
  const auto ini = folder.file("FINOVA.INI");
  Calculator calc(ini, prompts);
  ASSERT_TRUE(closeOnQuitSignals(*calc.window));
  calc.window->show();
  QTest::keyClicks(calc.window->keypad(), QStringLiteral("77"));
  ::raise(SIGTERM);
  for (int k = 0; k < 50 && !calc.session->finished(); ++k) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  EXPECT_TRUE(calc.session->finished());
  EXPECT_FALSE(calc.window->isVisible());
  EXPECT_EQ(platform::IniFile(ini).readString("FINOVA", "R0"), "7.70000000000000E+01");
}

TEST_F(WindowFilesTest, AnUnwritableSettingsFileIsReportedWithTheChoiceToSaveElsewhere) {
  testing::writeFile(folder.file("blocker"), "not a folder");
  Calculator calc(folder.file("blocker") / "FINOVA.INI", prompts);
  QTest::keyClicks(calc.window->keypad(), QStringLiteral("9"));
  prompts.fileToSave = QString::fromStdString(folder.file("mine.ini").string());
  calc.window->close();
  EXPECT_TRUE(askedAbout(QStringLiteral("The settings could not be written to ")));
  EXPECT_EQ(platform::IniFile(folder.file("mine.ini")).readString("FINOVA", "R0"),
            "9.00000000000000E+00");
}

TEST_F(WindowFilesTest, AProgramFileThatIsNotAProgramIsSaidAsTheCliSaysIt) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  QTest::keyClicks(calc.window->keypad(), QStringLiteral("1"));
  calc.session->engine().program().setComment("mine");
  testing::writeFile(folder.file("photo.pgm"), std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10));
  prompts.fileToOpen = QString::fromStdString(folder.file("photo.pgm").string());
  trigger(*calc.window, "actionOpen");
  EXPECT_TRUE(prompts.asked.contains(QStringLiteral("Open|") + prompts.fileToOpen +
                                     QStringLiteral(": Not a Finova program file.")))
      << prompts.asked.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(calc.session->engine().program().comment(), "mine");
  EXPECT_TRUE(calc.window->programFile().isEmpty());
}

TEST_F(WindowFilesTest, SaveDialogsAskBeforeReplacingAFile) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  const auto existing = folder.file("loan.pgm");
  testing::writeFile(existing, "CCC  precious\r\n");
  prompts.fileToSave = QString::fromStdString(folder.file("loan").string());  // ".pgm" is added
  prompts.confirmAnswer = false;
  trigger(*calc.window, "actionSaveAs");
  EXPECT_TRUE(askedAbout(QStringLiteral("already exists")));
  EXPECT_EQ(testing::readFile(existing), "CCC  precious\r\n");
  prompts.asked.clear();
  testing::writeFile(folder.file("paper.tpf"), "[precious]\r\n");
  prompts.fileToSave = QString::fromStdString(folder.file("paper.tpf").string());
  trigger(*calc.window->tapeWindow(), "tapeSaveAs");
  EXPECT_TRUE(askedAbout(QStringLiteral("already exists")));
  EXPECT_EQ(testing::readFile(folder.file("paper.tpf")), "[precious]\r\n");
}

TEST_F(WindowFilesTest, TapeOpenRefusesAFileThatIsNotATape) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  const std::string pdf("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n\0\0stream", 22);
  testing::writeFile(folder.file("report.pdf"), pdf);
  prompts.fileToOpen = QString::fromStdString(folder.file("report.pdf").string());
  trigger(*calc.window->tapeWindow(), "tapeOpen");
  EXPECT_TRUE(askedAbout(QStringLiteral("is not a tape")));
  QTest::keyClicks(calc.window->keypad(), QStringLiteral("1+"));
  calc.window->close();
  EXPECT_EQ(testing::readFile(folder.file("report.pdf")), pdf);
}

}  // namespace
}  // namespace finova::ui
