#include "platform/quit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace platform {
namespace {

// Both ends live for the life of the process; -1 until installed.
int g_readEnd = -1;
int g_writeEnd = -1;

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onQuitSignal(int signal) {
  const int savedErrno = errno;
  const auto byte = static_cast<unsigned char>(signal);
  // A full pipe means a close is already pending: dropping the byte is fine.
  [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
  errno = savedErrno;
}

bool makePipe() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  g_readEnd = ends[0];
  g_writeEnd = ends[1];
  return true;
}

}  // namespace

int installQuitSignals() {
  if (g_readEnd >= 0) return g_readEnd;
  // SDL reads its hints from the environment as a fallback; with this set it
  // installs no SIGINT/SIGTERM handlers of its own.
  ::setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
  if (!makePipe()) return -1;
  struct sigaction action {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kQuitSignals) ::sigaction(signal, &action, nullptr);
  return g_readEnd;
}

int takeQuitSignal() {
  if (g_readEnd < 0) return 0;
  unsigned char byte = 0;
  return ::read(g_readEnd, &byte, 1) == 1 ? byte : 0;
}

}  // namespace platform
