#include "diskindex/ui/help_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace diskindex::ui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("K&T DiskIndex - Hilfe"));
  setModal(false);
  resize(640, 520);
  m_browser = new QTextBrowser(this);
  m_browser->setObjectName(QStringLiteral("HelpBrowser"));
  m_browser->setSearchPaths({QStringLiteral(":/help")});
  m_browser->setOpenExternalLinks(false);
  auto* contents = new QPushButton(QStringLiteral("&Inhalt"), this);
  auto* back = new QPushButton(QStringLiteral("&Zurück"), this);
  auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
  back->setEnabled(false);
  connect(contents, &QPushButton::clicked, this,
          [this] { showPage(QStringLiteral("index.html")); });
  connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
  connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* column = new QVBoxLayout(this);
  column->addLayout(buttons);
  column->addWidget(m_browser, 1);
  showPage(QStringLiteral("index.html"));
}

void HelpWindow::showPage(const QString& page) {
  m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
}

}  // namespace diskindex::ui
