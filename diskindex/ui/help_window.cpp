#include "diskindex/ui/help_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

namespace diskindex::ui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("K&T DiskIndex - Hilfe"));
  setModal(false);
  // 640 x 520 at most, but never taller or wider than the screen leaves
  // room for (at a scale factor of 2 the window would otherwise reach past
  // the bottom of a 1000-pixel screen and its last lines could not be read).
  const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  const QSize room = screen != nullptr ? screen->availableSize() * 9 / 10 : QSize(640, 520);
  resize(std::min(640, room.width()), std::min(520, room.height()));
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

HelpWindow* showHelpPage(const QString& page, QPointer<HelpWindow>& shared, QWidget* owner) {
  HelpWindow* window = nullptr;
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != shared) {
    window = modal->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
      window = new HelpWindow(modal);
      window->setAttribute(Qt::WA_DeleteOnClose);
    }
  } else {
    if (!shared) shared = new HelpWindow(owner);
    window = shared;
  }
  window->showPage(page.isEmpty() ? QString::fromLatin1(help::kContents) : page);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace diskindex::ui
