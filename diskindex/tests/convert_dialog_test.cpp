#include "diskindex/ui/convert_dialog.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "diskindex/tests/ui_test_support.h"
#include "diskindex/ui/busy_scope.h"

namespace diskindex::ui {
namespace {

class DlgConvertTest : public ::testing::Test {
 protected:
  DlgConvertTest() { testing::ensureApplication(); }
};

// A click that waits in the event queue, as one made while a file was being
// converted does.
void clickLater(QPushButton* button) {
  QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
}

TEST_F(DlgConvertTest, CancelPressedDuringAFileIsSeenWhenThatFileEnds) {
  TDlgConvert dialog;
  dialog.showFile(QStringLiteral("/daten/CD000001.DAT"), 1, 3);
  EXPECT_FALSE(dialog.cancelRequested());
  clickLater(dialog.findChild<QPushButton*>(QStringLiteral("ButtonCancel")));
  EXPECT_TRUE(dialog.cancelRequested());
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DlgConvertTest, EscapeAndClosingTheWindowCancel) {
  TDlgConvert escaped;
  escaped.showFile(QStringLiteral("a"), 1, 2);
  QTest::keyClick(&escaped, Qt::Key_Escape);
  EXPECT_TRUE(escaped.cancelRequested());
  TDlgConvert closed;
  closed.showFile(QStringLiteral("a"), 1, 2);
  closed.close();
  EXPECT_TRUE(closed.cancelRequested());
}

TEST_F(DlgConvertTest, MainWindowTakesNoCommandsWhileFilesAreConverted) {
  QMainWindow main;
  main.menuBar()->addMenu(QStringLiteral("&Datenträger"));
  {
    TDlgConvert dialog(&main);
    EXPECT_TRUE(BusyScope::isBusy(&main));
    EXPECT_FALSE(main.menuBar()->isEnabled());
    EXPECT_TRUE(dialog.isEnabled());
  }
  EXPECT_FALSE(BusyScope::isBusy(&main));
  EXPECT_TRUE(main.menuBar()->isEnabled());
}

}  // namespace
}  // namespace diskindex::ui
