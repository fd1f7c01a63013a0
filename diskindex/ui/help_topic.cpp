#include "diskindex/ui/help_topic.h"

#include <QFile>

#include "diskindex/ui/help_window.h"

namespace diskindex::ui {

QString helpPageFor(const QString& topic) {
  const QString page = topic + QStringLiteral(".html");
  return QFile::exists(QStringLiteral(":/help/") + page) ? page : QStringLiteral("index.html");
}

void openHelpPage(QWidget* owner, const QString& topic) {
  auto* help = new HelpWindow(owner);
  help->setAttribute(Qt::WA_DeleteOnClose);
  help->showPage(helpPageFor(topic));
  help->show();
  help->raise();
  help->activateWindow();
}

}  // namespace diskindex::ui
