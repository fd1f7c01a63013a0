#include "diskindex/ui/list_window.h"

#include <QCloseEvent>
#include <QPushButton>

namespace diskindex::ui {

ListWindow::ListWindow(SearchPrompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Window), m_prompts(prompts) {
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  m_cancel = makeButton(QStringLiteral("Abbruch"), "ButtonCancel");
  connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
}

QPushButton* ListWindow::makeButton(const QString& text, const char* objectName) {
  auto* b = new QPushButton(text);
  b->setObjectName(QString::fromLatin1(objectName));
  b->setAutoDefault(false);
  return b;
}

void ListWindow::setSearchRunning(bool running) {
  m_searching = running;
  if (running) m_cancelled = false;
  m_cancel->setVisible(running);
  m_cancel->setEnabled(running);
}

void ListWindow::exportList() {
  if (m_searching || !hasRows()) return;
  const std::optional<ExportTarget> target = m_prompts.chooseExportFile(m_lastExport);
  if (!target) return;
  m_lastExport = target->file;
  emit exportRequested(*target);
}

void ListWindow::closeEvent(QCloseEvent* event) {
  if (m_searching) {  // closing while the window fills cancels the search
    m_cancelled = true;
    event->ignore();
    return;
  }
  closing();
  event->accept();
}

void ListWindow::reject() {
  close();
}

}  // namespace diskindex::ui
