// The game view: the widget the garden is played in.
//
// It turns keys (auto-repeat included; two straight movement keys held
// together make a diagonal), mouse buttons, the timer, resizes and
// activation changes into calls of the game, and implements the game's
// screen with the canvas pixels. After every call into the game it plays the
// sounds the game asked for (mixed, up to four at once) and tells
// the frame to refresh its status panes. The timer (100 ms) runs while the
// window is active; it also polls the game controller. The cursor is hidden
// over the view. A window larger than the garden shows the game centred on
// black. The view holds no game state of its own: it borrows the document's
// game and is its screen while it lives.
#pragma once

#include <QBasicTimer>
#include <QWidget>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "arena/core/arena_game.h"
#include "arena/core/pad_keys.h"
#include "arena/ui/canvas_pixels.h"
#include "arena/ui/game_doc.h"
#include "arena/ui/help_window.h"
#include "arena/ui/key_map.h"
#include "platform/game_controller.h"
#include "platform/wave_player.h"

namespace arena::ui {

class CGameView : public QWidget, public ArenaScreen {
  Q_OBJECT
 public:
  CGameView(CGameDoc& doc, const DroxImages& images, std::unique_ptr<platform::WavePlayer> player,
            std::unique_ptr<platform::GameController> pad, QWidget* parent = nullptr);
  ~CGameView() override;

  ArenaGame& game() { return m_doc.game(); }
  const CArenaPixels& pixels() const { return m_pixels; }
  // Where the game's picture sits in the widget (centred when the widget is
  // larger than the garden).
  QPoint gameOrigin() const;
  bool timerRunning() const { return m_timer.isActive(); }
  HelpWindow* helpWindow() const { return m_help.get(); }
  void setSoundFolders(std::vector<std::filesystem::path> folders);

  // New and Open: the garden starts again (the game state stays).
  void restartGarden();

  void present(const Frame& frame) override;
  void drawOverlay(const OverlayBlit& blit) override;
  void openHelp() override;

 signals:
  void statusChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  // Activation of the window: runs or stops the timer.
  void setActive(bool active);
  // One timer period: the controller's keys, then the game tick.
  void timerTick();
  void afterGameCall();
  void updateClient(const QRect& clientRect);

  CGameDoc& m_doc;
  CArenaPixels m_pixels;
  std::unique_ptr<platform::WavePlayer> m_player;
  std::unique_ptr<platform::GameController> m_pad;
  PadState m_padBefore;
  std::vector<std::filesystem::path> m_soundFolders;
  QBasicTimer m_timer;
  uint32_t m_worldFor = 0;
  std::map<int, MoveKey> m_heldMoves;  // straight movement keys held, by Qt key
  bool m_started = false;
  std::unique_ptr<HelpWindow> m_help;
};

}  // namespace arena::ui
