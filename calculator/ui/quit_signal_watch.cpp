#include "calculator/ui/quit_signal_watch.h"

#include <QSocketNotifier>
#include <QWidget>

#include "platform/quit_signals.h"

namespace finova::ui {

bool closeOnQuitSignals(QWidget& window) {
  const int fd = platform::installQuitSignals();
  if (fd < 0) return false;
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &window);
  notifier->setObjectName(QStringLiteral("QuitSignalNotifier"));
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    // Empty the pipe: several signals close the window once.
    while (platform::takeQuitSignal() != 0) {
    }
    window.close();
  });
  return true;
}

}  // namespace finova::ui
