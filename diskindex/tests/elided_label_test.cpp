// The one-line label of the status line: a path longer than its room is
// shortened in the middle and shown whole as a tool tip, a short one is
// left alone, and a long text never makes the window wider.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>

#include "diskindex/tests/ui_test_support.h"
#include "diskindex/ui/elided_label.h"

namespace diskindex::ui {
namespace {

const QString kLongPath = QStringLiteral(
    "E:\\Fotos vom Sommerurlaub an der Ostsee mit der ganzen Familie - unsortiert\\"
    "Tag 03 - Wanderung durch die Dünen von Prerow bis zum Darßer Ort\\");

// Sends the tool-tip event a resting mouse would and gives what is shown.
QString toolTipShownBy(QWidget& widget) {
  const QPoint at(5, widget.height() / 2);
  QHelpEvent event(QEvent::ToolTip, at, widget.mapToGlobal(at));
  QApplication::sendEvent(&widget, &event);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST(ElidedLabel, ALongTextIsShortenedInTheMiddleAndShownWholeAsToolTip) {
  testing::ensureApplication();
  ElidedLabel label;
  label.setText(kLongPath);
  label.resize(label.fontMetrics().horizontalAdvance(kLongPath) / 3, 30);
  label.show();
  QApplication::processEvents();

  EXPECT_EQ(label.text(), kLongPath);
  const QString shown = label.shownText();
  EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
  EXPECT_TRUE(shown.startsWith(QStringLiteral("E:\\Fotos"))) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith(QStringLiteral("Ort\\"))) << shown.toStdString();
  EXPECT_LE(label.fontMetrics().horizontalAdvance(shown), label.contentsRect().width());
  EXPECT_EQ(toolTipShownBy(label), kLongPath);
}

TEST(ElidedLabel, AShortTextIsShownAsItIsWithoutToolTip) {
  testing::ensureApplication();
  ElidedLabel label;
  label.setText(QStringLiteral("E:\\Dokumente\\"));
  label.resize(600, 30);
  label.show();
  QApplication::processEvents();
  EXPECT_EQ(label.shownText(), label.text());
  EXPECT_EQ(toolTipShownBy(label), QString());
}

TEST(ElidedLabel, ALongTextDoesNotAskForMoreWidthThanAShortOne) {
  testing::ensureApplication();
  ElidedLabel label;
  label.setText(QStringLiteral("E:\\"));
  const int shortWidth = label.minimumSizeHint().width();
  label.setText(kLongPath);
  EXPECT_LE(label.minimumSizeHint().width(),
            std::max(shortWidth, label.fontMetrics().averageCharWidth() * 8));
  EXPECT_LT(label.minimumSizeHint().width(), label.fontMetrics().horizontalAdvance(kLongPath));
}

}  // namespace
}  // namespace diskindex::ui
