// drox: the robot arena game. Arguments are ignored; the game starts paused
// in garden 1 with the title shown. SIGTERM, SIGINT and SIGHUP close the
// window, which ends the program as closing it by hand does.

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <memory>

#include "arena/ui/game_app.h"
#include "platform/quit_signals.h"

namespace {

// Sounds that may play at once: a shot, a hit and a power-up overlap often.
constexpr std::size_t kSoundVoices = 4;

}  // namespace

int main(int argc, char** argv) {
  // Before SDL starts: it must leave these signals to us.
  const int quitSignals = platform::installQuitSignals();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("drox"));
  // The installed desktop entry and theme icon: the desktop shows the
  // window under the program's own name and icon (none before install).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.classicsuite.drox"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.classicsuite.drox")));
  QApplication::setApplicationDisplayName(QStringLiteral("DROX"));
  arena::ui::CGameApp game;
  if (!game.initInstance(platform::makeWavePlayer(kSoundVoices), platform::makeGameController())) {
    return 1;
  }
  std::unique_ptr<QSocketNotifier> quitWatch;
  if (quitSignals >= 0) {
    quitWatch = std::make_unique<QSocketNotifier>(quitSignals, QSocketNotifier::Read);
    QObject::connect(quitWatch.get(), &QSocketNotifier::activated, [&game] {
      while (platform::takeQuitSignal() != 0) {
      }
      game.mainFrame()->close();
    });
  }
  return QApplication::exec();
}
