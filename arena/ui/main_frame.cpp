#include "arena/ui/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QStatusBar>

namespace arena::ui {
namespace {

QString paneText(const std::optional<int32_t>& value) {
  return value ? QString::number(*value) : QString();
}

}  // namespace

CMainFrame::CMainFrame(CGameDoc& doc, const DroxImages& images,
                       std::unique_ptr<platform::WavePlayer> player,
                       std::unique_ptr<platform::GameController> pad)
    : m_doc(doc) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QStringLiteral("DROX"));
  m_view = new CGameView(doc, images, std::move(player), std::move(pad), this);
  setCentralWidget(m_view);
  m_lives = addPane("paneLives", QStringLiteral("000"));
  m_droids = addPane("paneDroids", QStringLiteral("000000"));
  m_score = addPane("paneScore", QStringLiteral("0000000000"));
  connect(m_view, &CGameView::statusChanged, this, &CMainFrame::refreshStatus);
  for (QKeySequence::StandardKey keys : {QKeySequence::New, QKeySequence::Open}) {
    auto* restart = new QAction(this);
    restart->setShortcut(keys);
    restart->setShortcutContext(Qt::WindowShortcut);
    connect(restart, &QAction::triggered, m_view, &CGameView::restartGarden);
    addAction(restart);
  }
  m_view->setFocus();
}

QLabel* CMainFrame::addPane(const char* name, const QString& widest) {
  auto* pane = new QLabel(this);
  pane->setObjectName(QLatin1String(name));
  pane->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(widest) + 2 * pane->frameWidth() + 6);
  statusBar()->addPermanentWidget(pane);
  return pane;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (HelpWindow* help = m_view->helpWindow()) help->close();
  QMainWindow::closeEvent(event);
}

void CMainFrame::refreshStatus() {
  const StatusPanes& panes = m_doc.state().status;
  m_lives->setText(paneText(panes.lives));
  m_droids->setText(paneText(panes.droids));
  m_score->setText(paneText(panes.score));
}

}  // namespace arena::ui
