#include "calculator/ui/tape_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollBar>

#include "calculator/core/tape.h"
#include "calculator/core/window_texts.h"
#include "calculator/ui/finova_window.h"
#include "calculator/ui/print_support.h"
#include "calculator/ui/prompts.h"

namespace finova::ui {
namespace {

const QString kTapeFilter = QStringLiteral("Tape Files (*.TPF *.tpf);;All Files (*)");

QAction* menuAction(QMenu* menu, const char* name, const QString& text,
                    QKeySequence shortcut = {}) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QLatin1String(name));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

}  // namespace

TapeWindow::TapeWindow(FinovaWindow& main, Tape& tape) : m_main(main), m_tape(tape) {
  setObjectName(QStringLiteral("FinovaTape"));
  setAttribute(Qt::WA_QuitOnClose, false);
  m_view = new TapeView(tape, this);
  setCentralWidget(m_view);
  createMenus();
  const int charWidth = m_view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  resize(charWidth * 30 + m_view->verticalScrollBar()->sizeHint().width(), 360);
  updateCaption();
}

void TapeWindow::createMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  connect(menuAction(file, "tapeNew", QStringLiteral("&New")), &QAction::triggered, this,
          &TapeWindow::newTape);
  connect(menuAction(file, "tapeOpen", QStringLiteral("&Open...")), &QAction::triggered, this,
          &TapeWindow::openTape);
  connect(menuAction(file, "tapeSaveAs", QStringLiteral("Save &As...")), &QAction::triggered, this,
          &TapeWindow::saveTapeAs);
  connect(menuAction(file, "tapePrint", QStringLiteral("&Print...")), &QAction::triggered, this,
          &TapeWindow::printTape);
  file->addSeparator();
  connect(menuAction(file, "tapeExit", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_T)),
          &QAction::triggered, this, &QWidget::hide);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  connect(menuAction(edit, "tapeAnnotate", QStringLiteral("&Annotate...")), &QAction::triggered,
          this, &TapeWindow::askAnnotation);
  connect(menuAction(edit, "tapeStamp", QStringLiteral("&Date/Time Stamp")), &QAction::triggered,
          this, &TapeWindow::stampDateTime);
  connect(menuAction(edit, "tapeErase", QStringLiteral("&Erase")), &QAction::triggered, this,
          &TapeWindow::eraseTape);
}

void TapeWindow::updateCaption() {
  const QString name = QFileInfo(QString::fromStdString(m_tape.tapeFile().string())).fileName();
  setWindowTitle(QString::fromStdString(captionWithName(
      kTapeCaption, m_tape.hasFile() ? name.toStdString() : std::string(), kTapeCaptionNameLimit)));
}

void TapeWindow::refresh() {
  m_view->setSeparatorStyle(m_main.session().engine().separatorStyle());
  m_view->refresh();
  updateCaption();
}

bool TapeWindow::scrollBy(int direction, bool page) {
  QScrollBar* bar = m_view->verticalScrollBar();
  bar->setValue(bar->value() + direction * (page ? bar->pageStep() : bar->singleStep()));
  return true;
}

void TapeWindow::setOnTop(bool on) {
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown) show();
}

void TapeWindow::newTape() {
  m_tape.closeFile();
  m_tape.Clear();
  refresh();
}

void TapeWindow::openTape() {
  const QString path = m_main.prompts().openFileName(this, QStringLiteral("Open"), kTapeFilter);
  if (path.isEmpty()) return;
  // A file that is not a tape is refused (and said so) and left alone.
  m_main.session().openTapeFile(path.toStdString());
  m_main.showNotices();
  refresh();
}

void TapeWindow::saveTapeAs() {
  QString path = m_main.prompts().saveFileName(this, QStringLiteral("Save As"), kTapeFilter);
  if (path.isEmpty()) return;
  path = QString::fromStdString(withDefaultExtension(path.toStdString(), ".tpf"));
  if (QFileInfo::exists(path) &&
      !m_main.prompts().confirm(this, QStringLiteral("Save As"),
                                path + QStringLiteral(" already exists.\nDo you want to replace it?"))) {
    return;
  }
  if (!m_tape.SaveAs(path.toStdString())) {
    m_main.prompts().error(this, QStringLiteral("FinovaTape"),
                           QStringLiteral("The tape could not be written to ") + path);
  }
  refresh();
}

void TapeWindow::printTape() {
  QPrinter printer;
  if (!choosePrinter(printer, this, m_main.prompts(), QStringLiteral("FINOVATAPE"))) return;
  if (!ui::printTape(printer, m_tape.lines(), m_main.session().engine().separatorStyle())) {
    m_main.prompts().error(this, QStringLiteral("FinovaTape"), QStringLiteral("Printing failed."));
  }
}

namespace {

// Refuses text longer than `limit` characters. QLineEdit::setMaxLength counts
// UTF-16 units, so an emoji would use two of the tape's eighteen characters.
class CharacterLimit final : public QValidator {
 public:
  CharacterLimit(qsizetype limit, QObject* parent) : QValidator(parent), m_limit(limit) {}
  State validate(QString& input, int&) const override {
    return input.toUcs4().size() <= m_limit ? Acceptable : Invalid;
  }

 private:
  qsizetype m_limit;
};

}  // namespace

void TapeWindow::askAnnotation() {
  QDialog dialog(this);
  dialog.setObjectName(QStringLiteral("TapeAnnotate"));
  dialog.setWindowTitle(QStringLiteral("Tape Annotate"));
  auto* form = new QFormLayout(&dialog);
  auto* edit = new QLineEdit(&dialog);
  edit->setObjectName(QStringLiteral("EditAnnotation"));
  edit->setValidator(new CharacterLimit(static_cast<qsizetype>(Tape::kMaxAnnotation), edit));
  form->addRow(QStringLiteral("Text:"), edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  if (dialog.exec() == QDialog::Accepted) annotate(edit->text());
}

void TapeWindow::annotate(const QString& text) {
  // The tape cuts the annotation to its length in characters.
  m_tape.Annotate(text.toStdString());
  refresh();
}

void TapeWindow::stampDateTime() {
  m_tape.AddTimeStamp();
  refresh();
}

void TapeWindow::eraseTape() {
  m_tape.Clear();
  refresh();
}

void TapeWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
      event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
    const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
    scrollBy(up ? -1 : 1, event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown);
    return;
  }
  if (!m_main.handleKeyPress(event->key(), event->text(), event->modifiers(),
                             event->isAutoRepeat())) {
    QMainWindow::keyPressEvent(event);
  }
}

void TapeWindow::keyReleaseEvent(QKeyEvent* event) {
  if (!m_main.handleKeyRelease(event->key(), event->isAutoRepeat())) {
    QMainWindow::keyReleaseEvent(event);
  }
}

void TapeWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  refresh();
  emit visibilityChanged();
}

void TapeWindow::hideEvent(QHideEvent* event) {
  QMainWindow::hideEvent(event);
  emit visibilityChanged();
}

void TapeWindow::closeEvent(QCloseEvent* event) {
  // Closing the tape window only hides it.
  event->accept();
}

}  // namespace finova::ui
