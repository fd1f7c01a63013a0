// Boxes a workflow opens while a modal window runs (a reading's progress
// window, which stays on top) belong to that window, so they are never
// hidden behind it; with no modal window they belong to the main window.

#include "diskindex/ui/box_owner.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "diskindex/core/files/volume_check.h"
#include "diskindex/tests/ui_test_support.h"
#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/scan_prompts.h"

namespace diskindex::ui {
namespace {

TEST(BoxOwner, BoxesOpenedWhileAProgressWindowRunsBelongToIt) {
  testing::ensureApplication();
  QWidget main;
  main.show();
  QtScanPrompts scanPrompts(&main);
  QtCopyPrompts copyPrompts(&main);

  static QWidget* seen = nullptr;
  const auto opened = [](auto show) {
    seen = nullptr;
    QTimer::singleShot(0, [] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || qobject_cast<QMessageBox*>(widget) == nullptr) continue;
        seen = widget->parentWidget();
        widget->findChildren<QPushButton*>().front()->click();
        return;
      }
      ADD_FAILURE() << "no box opened";
    });
    show();
    return seen;
  };
  EXPECT_EQ(opened([&] { scanPrompts.error(QStringLiteral("Fehler"), QStringLiteral("x")); }),
            &main);

  QDialog progress(&main, Qt::Dialog | Qt::WindowStaysOnTopHint);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.show();
  ASSERT_EQ(QApplication::activeModalWidget(), &progress);
  EXPECT_EQ(opened([&] { scanPrompts.error(QStringLiteral("Fehler"), QStringLiteral("x")); }),
            &progress);
  EXPECT_EQ(opened([&] { scanPrompts.yesNo(QStringLiteral("Frage"), QStringLiteral("x")); }),
            &progress);
  EXPECT_EQ(opened([&] { copyPrompts.askInsertVolume(QStringLiteral("Bitte einlegen")); }),
            &progress);
}

}  // namespace
}  // namespace diskindex::ui
