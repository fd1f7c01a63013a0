#include "calculator/ui/help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "calculator/core/keypad_grid.h"

namespace finova::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FinovaHelp"));
  setWindowTitle(QStringLiteral("Finova Help"));
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_browser = new QTextBrowser(this);
  m_browser->setObjectName(QStringLiteral("HelpBrowser"));
  m_browser->setOpenLinks(true);
  layout->addWidget(m_browser);
  resize(560, 520);
  connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    const int topic = url.fileName().section(QLatin1Char('.'), 0, 0).toInt();
    m_topic = topic >= kFirstHelpTopic && topic <= kLastHelpTopic ? topic : 0;
  });
}

QString HelpWindow::pageUrl(int topic) {
  if (topic < kFirstHelpTopic || topic > kLastHelpTopic)
    return QStringLiteral("qrc:/finova/help/index.html");
  return QStringLiteral("qrc:/finova/help/%1.html").arg(topic);
}

void HelpWindow::showTopic(int topic) {
  m_browser->setSource(QUrl(pageUrl(topic)));
  m_topic = topic >= kFirstHelpTopic && topic <= kLastHelpTopic ? topic : 0;
  show();
  raise();
  activateWindow();
}

QString HelpWindow::pageTitle() const {
  return m_browser->documentTitle();
}

}  // namespace finova::ui
