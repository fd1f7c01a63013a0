#include "calculator/ui/finova_window.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "calculator/ui/help_window.h"
#include "calculator/ui/key_button.h"
#include "calculator/ui/keypad_widget.h"
#include "calculator/ui/program_dialogs.h"
#include "calculator/ui/prompts.h"
#include "calculator/ui/register_window.h"
#include "calculator/ui/tape_window.h"

namespace finova::ui {

FinovaWindow::FinovaWindow(FinovaSession& session, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_prompts(prompts) {
  setObjectName(QStringLiteral("BLDFINOVA"));
  m_keypad = new KeypadWidget(this);
  setCentralWidget(m_keypad);
  m_keypad->installEventFilter(this);
  m_keypad->setFocus();
  connect(m_keypad, &KeypadWidget::controlClicked, this,
          [this](int control) { PressKeyFromUi(KeyFromControl(control)); });

  m_tape = new TapeWindow(*this, m_session.tape());
  m_help = new HelpWindow(this);
  m_registers = new RegisterWindow(RegisterWindow::Kind::Registers, m_session.engine(), this);
  m_memory = new RegisterWindow(RegisterWindow::Kind::Memory, m_session.engine(), this);
  m_comments = new ProgramCommentsWindow(this);
  // The side windows open beside the keypad, or where they were last.
  for (QWidget* side : {static_cast<QWidget*>(m_registers), static_cast<QWidget*>(m_memory),
                        static_cast<QWidget*>(m_comments), static_cast<QWidget*>(m_help)}) {
    side->installEventFilter(this);
  }
  createMenus();

  // The pause timer: a first tick after 100 ms, then one a second.
  m_pauseTimer.setObjectName(QStringLiteral("PauseTimer"));
  m_pauseTimer.setInterval(kFirstPauseTick);
  connect(&m_pauseTimer, &QTimer::timeout, this, &FinovaWindow::pauseTick);
  m_pauseTimer.start();
  // A running program gets a turn each time the event loop is idle.
  m_programTurn.setObjectName(QStringLiteral("ProgramTurn"));
  m_programTurn.setInterval(0);
  connect(&m_programTurn, &QTimer::timeout, this, &FinovaWindow::continueProgram);

  applyStartSettings();
  updateCaption();
  refresh();
  // What the session could not use at start is said once the window shows.
  QTimer::singleShot(0, this, &FinovaWindow::showNotices);
}

FinovaWindow::~FinovaWindow() {
  delete m_tape;
}

void FinovaWindow::PressKeyFromUi(KeyCode code) {
  // The pause tick is the timer's, not the user's: help mode waits for a key.
  if (m_helpMode && code != key::kPauseTick) {
    m_help->showTopic(helpTopic(code));
    setHelpMode(false);
    return;
  }
  m_session.run(code, FinovaSession::kKeysPerTurn);
  refresh();
  if (code != key::kPauseTick) setFocusedKey(code);
  scheduleProgramTurn();
}

void FinovaWindow::showNotices() {
  for (const std::string& notice : m_session.takeNotices()) {
    m_prompts.error(this, QStringLiteral("Finova"), QString::fromStdString(notice));
  }
}

void FinovaWindow::refresh() {
  m_keypad->showDisplay(m_session.engine().display());
  m_registers->refresh();
  m_memory->refresh();
  m_tape->refresh();
}

void FinovaWindow::setHelpMode(bool on) {
  m_helpMode = on;
  if (m_helpModeAction != nullptr) m_helpModeAction->setChecked(on);
  m_keypad->setCursor(on ? Qt::WhatsThisCursor : Qt::ArrowCursor);
  for (KeyButton* button : m_keypad->buttons()) {
    button->setCursor(on ? Qt::WhatsThisCursor : Qt::PointingHandCursor);
  }
}

void FinovaWindow::setFocusedKey(KeyCode code) {
  if (ControlFromKey(code) == 0) return;
  if (KeyButton* old = m_keypad->button(ControlFromKey(m_focusedKey))) old->setFaceFocused(false);
  m_focusedKey = code;
  if (KeyButton* now = m_keypad->button(ControlFromKey(code))) now->setFaceFocused(true);
}

void FinovaWindow::moveKeypadFocus(FocusMove move) {
  const GridPos from = positionOfKey(m_focusedKey).value_or(GridPos{1, 0});
  const GridPos to = positionOfKey(m_focusedKey) ? moveFocus(from, move) : from;
  setFocusedKey(cellAt(to).code);
}

void FinovaWindow::drawTypedKey(KeyCode code, bool down) {
  KeyButton* button = m_keypad->button(ControlFromKey(code));
  if (button == nullptr) return;
  button->setDown(down);
  button->repaint();
}

bool FinovaWindow::handleKeyPress(int key, const QString& text, Qt::KeyboardModifiers modifiers,
                                  bool autoRepeat) {
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const bool tapeScrolls = m_tape->isVisible() && !isActiveWindow();
  switch (key) {
    case Qt::Key_Left:
      moveKeypadFocus(FocusMove::Left);
      return true;
    case Qt::Key_Right:
      moveKeypadFocus(FocusMove::Right);
      return true;
    case Qt::Key_Home:
      moveKeypadFocus(FocusMove::Home);
      return true;
    case Qt::Key_End:
      moveKeypadFocus(FocusMove::End);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (tapeScrolls) return m_tape->scrollBy(key == Qt::Key_Up ? -1 : 1, false);
      moveKeypadFocus(key == Qt::Key_Up ? FocusMove::Up : FocusMove::Down);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return tapeScrolls && m_tape->scrollBy(key == Qt::Key_PageUp ? -1 : 1, true);
    default:
      break;
  }
  std::optional<KeyCode> code;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    code = key::kEnter;
  } else if (key == Qt::Key_Backspace) {
    code = key::kBackspace;
  } else if (key == Qt::Key_Space) {
    if (m_focusedKey != key::kNoKey) code = m_focusedKey;
  } else if (text.size() == 1 && text.at(0).unicode() < 128) {
    code = keyFromCharacter(static_cast<char>(text.at(0).unicode()));
  }
  if (!code) return false;
  // Holding a key presses it once: its repeats are swallowed.
  if (autoRepeat) return true;
  if (m_typedKey != key::kNoKey) drawTypedKey(m_typedKey, false);
  m_typedKey = *code;
  drawTypedKey(*code, true);
  PressKeyFromUi(*code);
  return true;
}

bool FinovaWindow::handleKeyRelease(int, bool autoRepeat) {
  if (autoRepeat || m_typedKey == key::kNoKey) return false;
  const KeyCode code = m_typedKey;
  m_typedKey = key::kNoKey;
  drawTypedKey(code, false);
  setFocusedKey(code);
  return true;
}

bool FinovaWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_keypad && event->type() == QEvent::KeyPress) {
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    return handleKeyPress(keyEvent->key(), keyEvent->text(), keyEvent->modifiers(),
                          keyEvent->isAutoRepeat());
  }
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    if (StoredPosition* stored = storedPositionOf(watched)) {
      placeSideWindow(static_cast<QWidget*>(watched), *stored);
    }
  }
  if (watched == m_keypad && event->type() == QEvent::KeyRelease) {
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    return handleKeyRelease(keyEvent->key(), keyEvent->isAutoRepeat());
  }
  return QMainWindow::eventFilter(watched, event);
}

void FinovaWindow::pauseTick() {
  if (m_pauseTimer.interval() != kPauseTickPeriod) m_pauseTimer.setInterval(kPauseTickPeriod);
  // Every tick goes to the engine, which counts it only while a pause is on;
  // a pause left by R/S while it was counting thus still runs out.
  PressKeyFromUi(key::kPauseTick);
  m_session.tick();
  showNotices();
}

void FinovaWindow::scheduleProgramTurn() {
  if (m_session.wantsNoKey()) {
    if (!m_programTurn.isActive()) m_programTurn.start();
  } else {
    m_programTurn.stop();
  }
}

void FinovaWindow::continueProgram() {
  if (!m_session.wantsNoKey()) {
    m_programTurn.stop();
    return;
  }
  m_session.run(key::kNoKey, FinovaSession::kKeysPerTurn);
  refresh();
  scheduleProgramTurn();
}

void FinovaWindow::closeEvent(QCloseEvent* event) {
  if (!m_finished) {
    m_finished = true;
    m_programTurn.stop();
    m_pauseTimer.stop();
    captureWindowSettings();
    if (!m_session.finish()) askToSaveSettingsElsewhere();
    showNotices();
    m_tape->hide();
    m_help->close();
    m_registers->close();
    m_memory->close();
    m_comments->close();
  }
  event->accept();
}

}  // namespace finova::ui
