#include "diskindex/ui/busy_scope.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

TEST(BusyScope, NoShortCutOrClickReachesACommandUntilTheOuterScopeEnds) {
  testing::ensureApplication();
  QMainWindow main;
  auto* central = new QLineEdit;
  main.setCentralWidget(central);
  QToolBar* tools = main.addToolBar(QStringLiteral("Symbolleiste"));
  QAction* add = main.menuBar()
                     ->addMenu(QStringLiteral("&Datenträger"))
                     ->addAction(QStringLiteral("&Hinzufügen ..."));
  add->setShortcut(Qt::Key_F7);
  tools->addAction(add);
  main.statusBar()->setEnabled(false);
  int triggered = 0;
  QObject::connect(add, &QAction::triggered, [&triggered] { ++triggered; });
  main.show();
  QApplication::setActiveWindow(&main);
  {
    BusyScope outer(&main);
    {
      BusyScope inner(&main);
      EXPECT_TRUE(BusyScope::isBusy(&main));
    }
    EXPECT_TRUE(BusyScope::isBusy(&main));
    EXPECT_FALSE(central->isEnabled());
    EXPECT_FALSE(tools->isEnabled());
    QTest::keyClick(&main, Qt::Key_F7);
    EXPECT_EQ(triggered, 0);
  }
  EXPECT_FALSE(BusyScope::isBusy(&main));
  EXPECT_TRUE(central->isEnabled());
  EXPECT_TRUE(tools->isEnabled());
  EXPECT_FALSE(main.statusBar()->isEnabled());  // it was disabled before and stays so
  QTest::keyClick(&main, Qt::Key_F7);
  EXPECT_EQ(triggered, 1);
}

}  // namespace
}  // namespace diskindex::ui
