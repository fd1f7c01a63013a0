// drox: the robot arena game. Arguments are ignored; the game starts paused
// in garden 1 with the title shown.

#include <QApplication>
#include <QIcon>

#include "arena/ui/game_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("drox"));
  // The installed desktop entry and theme icon: the desktop shows the
  // window under the program's own name and icon (none before install).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.classicsuite.drox"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.classicsuite.drox")));
  QApplication::setApplicationDisplayName(QStringLiteral("DROX"));
  arena::ui::CGameApp game;
  if (!game.initInstance(platform::makeWavePlayer(), platform::makeGameController())) return 1;
  return QApplication::exec();
}
