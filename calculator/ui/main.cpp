// finova: the financial calculator's window. Reads FINOVA.INI (beside the
// executable when it is there and writable, else $XDG_CONFIG_HOME/finova/),
// shows the calculator, and writes the settings back when the window closes
// (also when a quit signal closes it).

#include <QApplication>
#include <QIcon>

#include "calculator/core/finova_session.h"
#include "calculator/ui/finova_window.h"
#include "calculator/ui/prompts.h"
#include "calculator/ui/quit_signal_watch.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("finova"));
  // The installed desktop entry and theme icon: the desktop shows the
  // window under the program's own name and icon (none before install).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.classicsuite.finova"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.classicsuite.finova")));
  finova::FinovaSession session(finova::finovaSettingsPath());
  session.start();
  finova::ui::FinovaWindow window(session, finova::ui::dialogPrompts());
  // kill, Ctrl+C and the end of the terminal session close the window as
  // File > Exit does, so nothing of the session is lost.
  finova::ui::closeOnQuitSignals(window);
  window.show();
  const int status = QApplication::exec();
  session.finish();
  return status;
}
