#pragma once
// The calculator's main window (window class BLDFINOVA, caption "Finova
// 4.0"): the keypad client, the menus, keyboard and mouse input turned into
// key codes, the keypad focus, help mode, the pause timer and the zero-delay
// turn that keeps a long program running, and the windows it opens (tape,
// registers, memory, schedule, preferences, help, program comments). Every
// key goes through PressKeyFromUi to the engine of the session; afterwards
// one refresh reads the engine's display and registers into every open
// window. Closing the window by any road ends the session: new tape lines
// are appended and the settings written.

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include "calculator/core/finova_session.h"
#include "calculator/core/finova_settings.h"
#include "calculator/core/keypad_grid.h"

class QAction;

namespace finova::ui {

class AmortDialog;
class HelpWindow;
class KeypadWidget;
class PreferencesDialog;
class ProgramCommentsWindow;
class Prompts;
class RegisterWindow;
class TapeWindow;

class FinovaWindow : public QMainWindow {
  Q_OBJECT
 public:
  FinovaWindow(FinovaSession& session, Prompts& prompts, QWidget* parent = nullptr);
  ~FinovaWindow() override;

  // Help mode: the help of the key instead of the key; or the engine's key,
  // then the refresh of every open window and the keypad focus on the key.
  void PressKeyFromUi(KeyCode code);
  // Reads the engine's display, registers and tape into the open windows.
  void refresh();

  bool helpMode() const { return m_helpMode; }
  void setHelpMode(bool on);
  bool alwaysOnTop() const;
  void setAlwaysOnTop(bool on);
  // The key holding the keypad focus (106 when none).
  KeyCode focusedKey() const { return m_focusedKey; }
  const QString& programFile() const { return m_programFile; }

  KeypadWidget* keypad() const { return m_keypad; }
  TapeWindow* tapeWindow() const { return m_tape; }
  HelpWindow* helpWindow() const { return m_help; }
  RegisterWindow* registersWindow() const { return m_registers; }
  RegisterWindow* memoryWindow() const { return m_memory; }
  ProgramCommentsWindow* commentsWindow() const { return m_comments; }
  FinovaSession& session() { return m_session; }
  Prompts& prompts() { return m_prompts; }

  // Menu commands (public for the tests and the tape window).
  void newProgram();
  void openProgram();
  void saveProgram();
  void saveProgramAs();
  void exitProgram();
  void copyX();
  void pasteX();
  void toggleTape();
  void showSchedule();
  void showPreferences();
  // Typed keys, wherever they were typed (the tape window forwards them).
  // A held key's repeats press nothing (they are consumed).
  bool handleKeyPress(int key, const QString& text, Qt::KeyboardModifiers modifiers,
                      bool autoRepeat = false);
  bool handleKeyRelease(int key, bool autoRepeat);

  // The pause timer: a first tick 100 ms after start, then one a second,
  // each sending the pause tick code to the engine.
  static constexpr int kFirstPauseTick = 100;
  static constexpr int kPauseTickPeriod = 1000;
  void pauseTick();
  const QTimer& pauseTimer() const { return m_pauseTimer; }
  // Shows the session's notices (a tape or program file it could not use).
  void showNotices();
  // Options > Journal Every Program Step.
  void setFullProgramJournal(bool on);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createMenus();
  void createFileMenu();
  void createViewMenu();
  void applyStartSettings();
  void captureWindowSettings();
  void updateCaption();
  void updateMenuChecks();
  void setFocusedKey(KeyCode code);
  void moveKeypadFocus(FocusMove move);
  void drawTypedKey(KeyCode code, bool down);
  void continueProgram();
  void scheduleProgramTurn();
  void writeProgramTo(const QString& path);
  void toggleRegisterWindow(RegisterWindow* window);
  StoredPosition* storedPositionOf(QObject* window);
  void placeSideWindow(QWidget* window, const StoredPosition& stored);
  void askToSaveSettingsElsewhere();
  // The final name of a file to be written: asks before replacing one.
  bool confirmReplace(const QString& caption, const QString& path);

  FinovaSession& m_session;
  Prompts& m_prompts;
  KeypadWidget* m_keypad = nullptr;
  TapeWindow* m_tape = nullptr;
  HelpWindow* m_help = nullptr;
  RegisterWindow* m_registers = nullptr;
  RegisterWindow* m_memory = nullptr;
  ProgramCommentsWindow* m_comments = nullptr;
  QTimer m_pauseTimer;
  QTimer m_programTurn;
  bool m_helpMode = false;
  KeyCode m_focusedKey = key::kNoKey;
  KeyCode m_typedKey = key::kNoKey;  // drawn pressed until its key-up
  QString m_programFile;
  bool m_finished = false;

  QAction* m_saveAction = nullptr;
  QAction* m_memoryAction = nullptr;
  QAction* m_registersAction = nullptr;
  QAction* m_tapeAction = nullptr;
  QAction* m_onTopAction = nullptr;
  QAction* m_helpModeAction = nullptr;
  QAction* m_journalAction = nullptr;
};

}  // namespace finova::ui
