#pragma once
// Quit signals: SIGTERM, SIGINT and SIGHUP turned into an ordinary request to
// close, so that a program stopped by Ctrl+C, by `kill` or by the end of its
// terminal session ends the way closing its window does (asking to save,
// writing its settings) instead of dying or, worse, ignoring the signal.
//
// The handler only writes the signal's number, one byte, to a pipe (the one
// thing a handler may safely do); the program watches the pipe's read end in
// its event loop and closes its main window when a byte arrives. Installing
// also tells SDL, through its environment hint, to leave these signals alone:
// SDL's own handlers only queue a quit event that a Qt program never reads.
// So install before the first SDL subsystem starts.
//
// What this does not do: decide what closing means (that is the window's),
// or restore the previous handlers (a program installs once, for its life).

namespace platform {

// Installs the handlers (idempotent). Returns the pipe's read end, which is
// non-blocking and close-on-exec, or -1 when the pipe could not be made (the
// signals then keep their default action, which ends the program).
int installQuitSignals();

// Reads one pending signal number from the pipe (0 when none is pending), so
// the watcher can empty it and say which signal ended the program.
int takeQuitSignal();

}  // namespace platform
