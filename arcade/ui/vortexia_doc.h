// CVortexiaDoc: the game's document. It owns the game session (player
// record, flags, world and renderer while a level plays) for the whole run,
// sets the document title from the record, and runs the Player Information
// dialog. It stores nothing itself: saved games go through the view's Open
// and Save commands.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "arcade/shell/game_session.h"

class QWidget;

namespace arcade::ui {

class CVortexiaDoc : public QObject {
  Q_OBJECT

 public:
  CVortexiaDoc(const IResources& resources, IMessageReporter& reporter, IShellAudio& audio,
               ISoundEffects* effects = nullptr);
  ~CVortexiaDoc() override;

  CGameSession& Session() { return *m_session; }
  const QString& Title() const { return m_title; }

  // "Level " + (currentLevel + 1) + ": " + playerName.
  void UpdateTitle();
  // A new document: the player record back to its defaults.
  void OnNewDocument();
  // File > Information (also the "Info" button): the Player Information
  // dialog under a raised pause flag.
  void Information(QWidget* parent);

 signals:
  void titleChanged(const QString& title);
  void viewsNeedUpdate();

 private:
  std::unique_ptr<CGameSession> m_session;
  QString m_title;
};

}  // namespace arcade::ui
