// The main window's start and end, and its program file commands.

#include <QGuiApplication>
#include <QScreen>

#include "calculator/core/window_texts.h"
#include "calculator/ui/finova_window.h"
#include "calculator/ui/program_dialogs.h"
#include "calculator/ui/prompts.h"
#include "calculator/ui/tape_window.h"

namespace finova::ui {
namespace {

const QString kProgramFilter = QStringLiteral("Program Files (*.PGM *.pgm);;All Files (*)");

// A stored position is used only where it lies on a screen.
bool onAScreen(QPoint point) {
  return QGuiApplication::screenAt(point) != nullptr;
}

}  // namespace

void FinovaWindow::applyStartSettings() {
  const FinovaSettings& s = m_session.settings();
  if (onAScreen(QPoint(s.horiz, s.vert))) move(s.horiz, s.vert);
  if (onAScreen(QPoint(s.tapeHoriz, s.tapeVert))) m_tape->move(s.tapeHoriz, s.tapeVert);
  m_tape->refresh();
  if (s.tapeVisible) m_tape->show();
  if (s.onTop == 8) setAlwaysOnTop(true);
}

void FinovaWindow::captureWindowSettings() {
  FinovaSettings& s = m_session.settings();
  s.horiz = pos().x();
  s.vert = pos().y();
  s.tapeVisible = m_tape->isVisible();
  s.tapeHoriz = m_tape->pos().x();
  s.tapeVert = m_tape->pos().y();
  s.onTop = alwaysOnTop() ? 8 : 0;
}

void FinovaWindow::exitProgram() {
  // With APPEND set to 8, File Exit writes the tape; closing writes it in
  // any case, so this only moves the moment.
  if (m_session.settings().append == 8 && m_session.tape().hasFile()) m_session.tape().WriteNew();
  close();
}

void FinovaWindow::newProgram() {
  if (!m_prompts.confirm(this, QStringLiteral("New"), QStringLiteral("Clear Program Memory?"))) {
    return;
  }
  PressKeyFromUi(key::kClearProgramMemory);
  m_programFile.clear();
  updateCaption();
}

void FinovaWindow::openProgram() {
  const QString path = m_prompts.openFileName(this, QStringLiteral("Open"), kProgramFilter);
  if (path.isEmpty()) return;
  // File errors end loading silently; what was read stays.
  m_session.engine().program().Load(path.toStdString());
  m_programFile = path;
  updateCaption();
  m_session.engine().PressKey(key::kNoKey);
  refresh();
  m_comments->showComment(QString::fromStdString(m_session.engine().program().comment()));
}

void FinovaWindow::writeProgramTo(const QString& path) {
  if (m_session.engine().program().Save(path.toStdString())) {
    m_programFile = path;
  } else {
    m_prompts.error(this, QStringLiteral("Save Program"),
                    QStringLiteral("The program could not be written to ") + path);
  }
  updateCaption();
}

void FinovaWindow::saveProgram() {
  if (m_programFile.isEmpty()) return;
  QString comment = QString::fromStdString(m_session.engine().program().comment());
  if (!m_prompts.editComment(this, comment)) return;
  m_session.engine().program().setComment(comment.toStdString());
  writeProgramTo(m_programFile);
}

void FinovaWindow::saveProgramAs() {
  QString comment = QString::fromStdString(m_session.engine().program().comment());
  if (!m_prompts.editComment(this, comment)) return;
  m_session.engine().program().setComment(comment.toStdString());
  const QString chosen = m_prompts.saveFileName(this, QStringLiteral("Save As"), kProgramFilter);
  if (chosen.isEmpty()) return;
  writeProgramTo(QString::fromStdString(withDefaultExtension(chosen.toStdString(), ".pgm")));
}

}  // namespace finova::ui
