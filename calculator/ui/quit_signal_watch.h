#pragma once
// Ends the calculator on SIGTERM, SIGINT and SIGHUP the way File > Exit
// does: the quit signals of the platform layer arrive on a pipe, and a
// notifier in the event loop closes the main window, which writes the tape,
// program memory and settings. It decides nothing about closing itself.

class QWidget;

namespace finova::ui {

// Installs the signal handlers and closes `window` when one arrives. False
// when the signals could not be watched (they then end the program at once).
bool closeOnQuitSignals(QWidget& window);

}  // namespace finova::ui
