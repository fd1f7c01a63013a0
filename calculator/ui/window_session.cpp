// The main window's start and end, and its program file commands.

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <optional>
#include <vector>

#include "calculator/core/window_placement.h"
#include "calculator/core/window_texts.h"
#include "calculator/ui/finova_window.h"
#include "calculator/ui/help_window.h"
#include "calculator/ui/program_dialogs.h"
#include "calculator/ui/prompts.h"
#include "calculator/ui/register_window.h"
#include "calculator/ui/tape_window.h"

namespace finova::ui {
namespace {

const QString kProgramFilter = QStringLiteral("Program Files (*.PGM *.pgm);;All Files (*)");

// The window manager's frame is not known before a window is first shown;
// placing room for a usual one keeps the frame on the screen too.
constexpr int kFrameWidth = 12;
constexpr int kFrameHeight = 40;

// The available areas of the screens, the primary one first.
std::vector<ScreenArea> availableScreens() {
  std::vector<ScreenArea> areas;
  QScreen* primary = QGuiApplication::primaryScreen();
  auto add = [&areas](const QScreen* screen) {
    const QRect r = screen->availableGeometry();
    areas.push_back({r.x(), r.y(), r.width(), r.height()});
  };
  if (primary != nullptr) add(primary);
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != primary) add(screen);
  }
  return areas;
}

// Moves `window` to `stored` when that is on a screen, shifted just far
// enough for the whole window to show there; else centres it on the primary
// screen.
void placeOnScreen(QWidget& window, std::optional<ScreenPoint> stored) {
  const QSize size = window.size();
  const ScreenPoint at = placeWindow(
      stored, {size.width() + kFrameWidth, size.height() + kFrameHeight}, availableScreens());
  window.move(at.x, at.y);
}

}  // namespace

void FinovaWindow::applyStartSettings() {
  const FinovaSettings& s = m_session.settings();
  adjustSize();  // the size it will show with, menu bar and keypad
  placeOnScreen(*this,
                s.positionStored ? std::optional(ScreenPoint{s.horiz, s.vert}) : std::nullopt);
  placeOnScreen(*m_tape, ScreenPoint{s.tapeHoriz, s.tapeVert});
  m_tape->refresh();
  if (s.tapeVisible) m_tape->show();
  if (s.onTop == 8) setAlwaysOnTop(true);
}

StoredPosition* FinovaWindow::storedPositionOf(QObject* window) {
  FinovaSettings& s = m_session.settings();
  if (window == m_registers) return &s.registersWindow;
  if (window == m_memory) return &s.memoryWindow;
  if (window == m_comments) return &s.commentsWindow;
  if (window == m_help) return &s.helpWindow;
  return nullptr;
}

// The first time a side window shows in a run it goes where it was last,
// or beside the keypad; later it stays where the user left it.
void FinovaWindow::placeSideWindow(QWidget* window, const StoredPosition& stored) {
  if (window->property("finovaPlaced").toBool()) return;
  window->setProperty("finovaPlaced", true);
  if (stored.stored) {
    placeOnScreen(*window, ScreenPoint{stored.x, stored.y});
    return;
  }
  const QRect owner = frameGeometry();
  const QSize size = window->size();
  std::vector<WindowRect> taken;
  for (QWidget* side : {static_cast<QWidget*>(m_registers), static_cast<QWidget*>(m_memory),
                        static_cast<QWidget*>(m_comments), static_cast<QWidget*>(m_help),
                        static_cast<QWidget*>(m_tape)}) {
    if (side == window || !side->isVisible()) continue;
    const QRect r = side->frameGeometry();
    taken.push_back({r.x(), r.y(), r.width(), r.height()});
  }
  const ScreenPoint at =
      besideWindow({owner.x(), owner.y(), owner.width(), owner.height()},
                   {size.width() + kFrameWidth, size.height() + kFrameHeight}, availableScreens(),
                   taken);
  window->move(at.x, at.y);
}

void FinovaWindow::captureWindowSettings() {
  FinovaSettings& s = m_session.settings();
  for (QWidget* side : {static_cast<QWidget*>(m_registers), static_cast<QWidget*>(m_memory),
                        static_cast<QWidget*>(m_comments), static_cast<QWidget*>(m_help)}) {
    if (side->property("finovaPlaced").toBool()) {
      *storedPositionOf(side) = StoredPosition{true, side->pos().x(), side->pos().y()};
    }
  }
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

// The settings file could not be written (a read-only folder, a full disk):
// the user may keep them in a file of their choice.
void FinovaWindow::askToSaveSettingsElsewhere() {
  const QString where = QString::fromStdString(m_session.settingsPath().string());
  const QString caption = QStringLiteral("Finova");
  if (!m_prompts.confirm(this, caption,
                         QStringLiteral("The settings could not be written to ") + where +
                             QStringLiteral(".\nSave them in another file?"))) {
    return;
  }
  const QString path = m_prompts.saveFileName(this, QStringLiteral("Save Settings As"),
                                              QStringLiteral("Settings (*.INI *.ini);;All Files (*)"));
  if (path.isEmpty() || !confirmReplace(QStringLiteral("Save Settings As"), path)) return;
  if (!m_session.saveSettingsTo(path.toStdString())) {
    m_prompts.error(this, caption, QStringLiteral("The settings could not be written to ") + path);
  }
}

bool FinovaWindow::confirmReplace(const QString& caption, const QString& path) {
  if (!QFileInfo::exists(path)) return true;
  return m_prompts.confirm(this, caption,
                           path + QStringLiteral(" already exists.\nDo you want to replace it?"));
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
  // A file that is not a program leaves program memory as it was.
  const ProgramFileStatus status = m_session.engine().program().Load(path.toStdString());
  if (status != ProgramFileStatus::Loaded) {
    m_prompts.error(this, QStringLiteral("Open"),
                    QString::fromStdString(programFileProblem(status, path.toStdString())));
    return;
  }
  m_programFile = path;
  updateCaption();
  m_session.run(key::kNoKey, FinovaSession::kKeysPerTurn);
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
  const QString path =
      QString::fromStdString(withDefaultExtension(chosen.toStdString(), ".pgm"));
  if (!confirmReplace(QStringLiteral("Save As"), path)) return;
  writeProgramTo(path);
}

}  // namespace finova::ui
