// CVortexiaView: the game's one view. Timer 1 runs every 50 ms and drives
// the session's tick; paint shows the title screen (backdrop, texts, score
// table) or the rendered game frame over the backdrop; the five title
// buttons are child push buttons laid out anew whenever the title changes.
// The right mouse button takes and lets go of the mouse while playing; keys
// and buttons go into the session's key state for the tick to read.
//
// The view keeps no game state of its own beyond the buttons, the mouse
// capture and the shared saved-game file name: every rule is the session's.
#pragma once

#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "arcade/shell/game_session.h"
#include "arcade/shell/title_layout.h"

namespace arcade::ui {

class CVortexiaDoc;
class IShellPrompts;

class CVortexiaView : public QWidget {
  Q_OBJECT

 public:
  CVortexiaView(CVortexiaDoc& doc, IShellPrompts& prompts, QWidget* parent = nullptr);
  ~CVortexiaView() override;

  // False when timer 1 could not be made (the message has been shown).
  bool TimerRunning() const { return m_timerId != 0; }
  // The time handed to the world; tests put in their own clock.
  void SetClock(std::function<std::uint32_t()> clock) { m_clock = std::move(clock); }
  bool MouseCaptured() const { return m_captured; }
  QPushButton* Button(TitleButton id) const { return m_buttons[static_cast<int>(id)]; }

  // One timer tick (what timer 1 runs).
  void OnTick();

  // Commands of the menus and buttons.
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();
  void OnPause();
  void OnQuitLevel();
  // The "?" button: also counts as the introduction.
  void OnHelp();
  // Help > Vortexia Help... (F1).
  void OnHelpMenu();
  void OnNext();
  void OnBack();
  void OnPlay();
  void OnInfo();
  void ToggleCapture();
  // The title screen anew: buttons closed and laid out again, repainted.
  void RefreshTitle();
  // Before the window closes: with ask, changes to an opened saved game
  // are offered for saving (Cancel keeps the window: false); then the
  // kept player record is written.
  bool QueryClose(bool ask);

 signals:
  // Something the menus show changed (pause, playing).
  void stateChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  CGameSession& Session();
  std::uint32_t Now() const;
  PointerReading Pointer() const;
  QRect CaptureScreenRect() const;
  void CloseTitleButtons();
  void MakeTitleButtons();
  void PaintTitle(class QPainter& painter);
  void PaintGame(class QPainter& painter, bool withBackdrop);
  void ReleaseCapture();
  void EndLevelOnScreen();
  // Where a file dialog starts for name: inside the player's saves folder.
  QString DialogStart(const std::string& name);
  void ShowError(const std::string& text);

  CVortexiaDoc& m_doc;
  IShellPrompts& m_prompts;
  int m_timerId = 0;
  std::function<std::uint32_t()> m_clock;
  std::array<QPointer<QPushButton>, 5> m_buttons{};
  bool m_suppressPaint = false;
  bool m_tickPaint = false;  // the next paint shows a frame the tick rendered
  bool m_captured = false;
  QRect m_captureRect;  // screen coordinates
  QString m_fileName;   // shared by Open and Save for the whole run
};

}  // namespace arcade::ui
