// The frame window: caption "DROX", no menu and no toolbar, the game view in
// the middle and a status bar with the message pane and three number panes
// (lives, droids, score) sized for "000", "000000" and "0000000000". Ctrl+N
// and Ctrl+O start the current garden again. Closing it closes the help
// window too and ends the program.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <memory>

#include "arena/ui/game_view.h"

namespace arena::ui {

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  CMainFrame(CGameDoc& doc, const DroxImages& images, std::unique_ptr<platform::WavePlayer> player,
             std::unique_ptr<platform::GameController> pad);

  CGameView* view() const { return m_view; }
  QLabel* livesPane() const { return m_lives; }
  QLabel* droidsPane() const { return m_droids; }
  QLabel* scorePane() const { return m_score; }

 public slots:
  void refreshStatus();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* addPane(const char* name, const QString& widest);

  CGameDoc& m_doc;
  CGameView* m_view;
  QLabel* m_lives;
  QLabel* m_droids;
  QLabel* m_score;
};

}  // namespace arena::ui
