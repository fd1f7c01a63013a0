#include "arena/ui/help_window.h"

#include <QUrl>

namespace arena::ui {

QString HelpWindow::pageUrl() {
  return QStringLiteral("qrc:/drox/help/index.html");
}

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("droxHelp"));
  setWindowTitle(QStringLiteral("DROX Help"));
  setOpenExternalLinks(false);
  resize(560, 620);
  setSource(QUrl(pageUrl()));
}

}  // namespace arena::ui
