// The main window's menus and the commands behind them.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenuBar>

#include "calculator/core/window_texts.h"
#include "calculator/ui/amort_dialog.h"
#include "calculator/ui/finova_window.h"
#include "calculator/ui/help_window.h"
#include "calculator/ui/preferences_dialog.h"
#include "calculator/ui/prompts.h"
#include "calculator/ui/register_window.h"
#include "calculator/ui/tape_window.h"

namespace finova::ui {
namespace {

QAction* menuAction(QMenu* menu, const char* name, const QString& text,
                    QKeySequence shortcut = {}) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QLatin1String(name));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

}  // namespace

void FinovaWindow::createMenus() {
  createFileMenu();
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  connect(
      menuAction(edit, "actionCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)),
      &QAction::triggered, this, &FinovaWindow::copyX);
  connect(
      menuAction(edit, "actionPaste", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V)),
      &QAction::triggered, this, &FinovaWindow::pasteX);
  createViewMenu();
  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  connect(menuAction(options, "actionPreferences", QStringLiteral("&Preferences...")),
          &QAction::triggered, this, &FinovaWindow::showPreferences);
  m_onTopAction = menuAction(options, "actionAlwaysOnTop", QStringLiteral("&Always On Top"));
  m_onTopAction->setCheckable(true);
  connect(m_onTopAction, &QAction::triggered, this, &FinovaWindow::setAlwaysOnTop);
  m_journalAction = menuAction(options, "actionJournalSteps",
                               QStringLiteral("&Journal Every Program Step"));
  m_journalAction->setCheckable(true);
  connect(m_journalAction, &QAction::triggered, this, &FinovaWindow::setFullProgramJournal);
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  connect(
      menuAction(help, "actionHelpContents", QStringLiteral("&Contents"), QKeySequence(Qt::Key_F1)),
      &QAction::triggered, this, [this] { m_help->showTopic(0); });
  m_helpModeAction = menuAction(help, "actionHelpMode", QStringLiteral("Help on a &Key"),
                                QKeySequence(Qt::SHIFT | Qt::Key_F1));
  m_helpModeAction->setCheckable(true);
  connect(m_helpModeAction, &QAction::triggered, this, &FinovaWindow::setHelpMode);
}

void FinovaWindow::createFileMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  connect(menuAction(file, "actionNew", QStringLiteral("&New...")), &QAction::triggered, this,
          &FinovaWindow::newProgram);
  connect(menuAction(file, "actionOpen", QStringLiteral("&Open..."),
                     QKeySequence(Qt::CTRL | Qt::Key_O)),
          &QAction::triggered, this, &FinovaWindow::openProgram);
  m_saveAction = menuAction(file, "actionSave", QStringLiteral("&Save"));
  connect(m_saveAction, &QAction::triggered, this, &FinovaWindow::saveProgram);
  connect(menuAction(file, "actionSaveAs", QStringLiteral("Save &As..."),
                     QKeySequence(Qt::CTRL | Qt::Key_S)),
          &QAction::triggered, this, &FinovaWindow::saveProgramAs);
  file->addSeparator();
  connect(menuAction(file, "actionExit", QStringLiteral("E&xit")), &QAction::triggered, this,
          &FinovaWindow::exitProgram);
}

void FinovaWindow::createViewMenu() {
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  m_memoryAction = menuAction(view, "actionMemory", QStringLiteral("&Memory..."));
  m_registersAction = menuAction(view, "actionRegisters", QStringLiteral("&Registers..."));
  m_tapeAction = menuAction(view, "actionTape", QStringLiteral("&Tape..."),
                            QKeySequence(Qt::CTRL | Qt::Key_T));
  for (QAction* action : {m_memoryAction, m_registersAction, m_tapeAction})
    action->setCheckable(true);
  connect(m_memoryAction, &QAction::triggered, this, [this] { toggleRegisterWindow(m_memory); });
  connect(m_registersAction, &QAction::triggered, this,
          [this] { toggleRegisterWindow(m_registers); });
  connect(m_tapeAction, &QAction::triggered, this, &FinovaWindow::toggleTape);
  connect(menuAction(view, "actionAmortization", QStringLiteral("&Amortization Schedule...")),
          &QAction::triggered, this, &FinovaWindow::showSchedule);
  connect(m_registers, &RegisterWindow::visibilityChanged, this, &FinovaWindow::updateMenuChecks);
  connect(m_memory, &RegisterWindow::visibilityChanged, this, &FinovaWindow::updateMenuChecks);
  connect(m_tape, &TapeWindow::visibilityChanged, this, &FinovaWindow::updateMenuChecks);
}

void FinovaWindow::updateMenuChecks() {
  m_memoryAction->setChecked(m_memory->isVisible());
  m_registersAction->setChecked(m_registers->isVisible());
  m_tapeAction->setChecked(m_tape->isVisible());
  m_saveAction->setEnabled(!m_programFile.isEmpty());
  m_onTopAction->setChecked(alwaysOnTop());
  m_journalAction->setChecked(m_session.engine().fullProgramJournal());
}

void FinovaWindow::setFullProgramJournal(bool on) {
  m_session.engine().setFullProgramJournal(on);
  updateMenuChecks();
}

void FinovaWindow::updateCaption() {
  const QString name = QFileInfo(m_programFile).fileName();
  setWindowTitle(QString::fromStdString(
      captionWithName(kMainCaption, name.toStdString(), kMainCaptionNameLimit)));
  updateMenuChecks();
}

void FinovaWindow::toggleRegisterWindow(RegisterWindow* window) {
  if (window->isVisible()) {
    window->close();
  } else {
    window->refresh();
    window->show();
    window->raise();
  }
  updateMenuChecks();
}

void FinovaWindow::toggleTape() {
  m_tape->setVisible(!m_tape->isVisible());
  if (m_tape->isVisible()) m_tape->raise();
  updateMenuChecks();
}

void FinovaWindow::copyX() {
  const CalcEngine& engine = m_session.engine();
  QApplication::clipboard()->setText(
      QString::fromStdString(clipboardTextOfX(engine.xDisplayText(), engine.separatorStyle())));
}

void FinovaWindow::pasteX() {
  const std::string text = QApplication::clipboard()->text().toStdString();
  for (KeyCode code : pasteKeys(text, m_session.engine().separatorStyle())) PressKeyFromUi(code);
}

void FinovaWindow::showSchedule() {
  const CalcEngine& engine = m_session.engine();
  if (const char* refusal = AmortDialog::refusal(engine)) {
    m_prompts.error(this, QString::fromLatin1(fin::kScheduleErrorCaption),
                    QString::fromLatin1(refusal));
    return;
  }
  AmortDialog dialog(engine, m_prompts, this);
  dialog.exec();
}

void FinovaWindow::showPreferences() {
  PreferencesDialog dialog(m_session.engine().decimals(), m_session.engine().separatorStyle(),
                           this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_session.engine().setDecimals(dialog.decimals());
  m_session.engine().setSeparatorStyle(dialog.separatorStyle());
  m_session.run(key::kNoKey, FinovaSession::kKeysPerTurn);
  refresh();
}

bool FinovaWindow::alwaysOnTop() const {
  return (windowFlags() & Qt::WindowStaysOnTopHint) != 0;
}

void FinovaWindow::setAlwaysOnTop(bool on) {
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown) show();
  m_tape->setOnTop(on);
  m_session.settings().onTop = on ? 8 : 0;
  updateMenuChecks();
}

}  // namespace finova::ui
