#include "platform/quit_signals.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

bool readable(int fd) {
  pollfd watch{fd, POLLIN, 0};
  return ::poll(&watch, 1, 1000) == 1 && (watch.revents & POLLIN) != 0;
}

TEST(QuitSignals, EachSignalBecomesOneReadableRequestInsteadOfEndingTheProcess) {
  const int fd = platform::installQuitSignals();
  ASSERT_GE(fd, 0);
  EXPECT_EQ(platform::installQuitSignals(), fd) << "installing twice keeps the one pipe";
  EXPECT_EQ(platform::takeQuitSignal(), 0) << "nothing pending before a signal";
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    ASSERT_EQ(::raise(signal), 0);
    ASSERT_TRUE(readable(fd)) << "signal " << signal;
    EXPECT_EQ(platform::takeQuitSignal(), signal);
  }
  EXPECT_EQ(platform::takeQuitSignal(), 0);
}

TEST(QuitSignals, TellsSdlToKeepItsOwnHandlersOff) {
  platform::installQuitSignals();
  const char* hint = std::getenv("SDL_NO_SIGNAL_HANDLERS");
  ASSERT_NE(hint, nullptr);
  EXPECT_STREQ(hint, "1");
}

TEST(QuitSignals, AChildKilledWithTermSurvivesUntilItReadsTheRequest) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = platform::installQuitSignals();
    ::kill(::getpid(), SIGTERM);
    // Alive after the signal: report what was read as the exit status.
    ::_exit(readable(fd) ? platform::takeQuitSignal() : 100);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the signal must not end the process";
  EXPECT_EQ(WEXITSTATUS(status), SIGTERM);
}

}  // namespace
