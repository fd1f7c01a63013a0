// drox: the robot arena game. Arguments are ignored; the game starts paused
// in garden 1 with the title shown.

#include <QApplication>

#include "arena/ui/game_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("drox"));
  QApplication::setApplicationDisplayName(QStringLiteral("DROX"));
  arena::ui::CGameApp game;
  if (!game.initInstance(platform::makeWavePlayer(), platform::makeGameController())) return 1;
  return QApplication::exec();
}
