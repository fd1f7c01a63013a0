// The real vortexia process under the offscreen platform: SIGTERM, SIGINT
// and SIGHUP end it as closing its window does, with exit code 0 (SDL's own
// handlers used to swallow them).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

// Starts vortexia with a private home; returns its process id.
pid_t startVortexia(const std::filesystem::path& home) {
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    execl(VORTEXIA_BINARY, "vortexia", static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Waits up to ten seconds; the wait status, or -1 when it did not end.
int waitFor(pid_t pid) {
  for (int i = 0; i < 200; ++i) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

class QuitSignalProcess : public ::testing::TestWithParam<int> {};

TEST_P(QuitSignalProcess, SignalEndsTheProgramWithExitCodeZero) {
  const auto home = std::filesystem::temp_directory_path() /
                    ("vortexia_quit_" + std::to_string(::getpid()) + "_" +
                     std::to_string(GetParam()));
  std::filesystem::create_directories(home);
  const pid_t pid = startVortexia(home);
  ASSERT_GT(pid, 0);
  // Time to come up (the window, the sound device, the timer).
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, WNOHANG), 0) << "still running before the signal";
  ASSERT_EQ(kill(pid, GetParam()), 0);
  status = waitFor(pid);
  std::filesystem::remove_all(home);
  ASSERT_NE(status, -1) << "did not end within ten seconds";
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalProcess, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) {
                           return info.param == SIGTERM  ? std::string("Term")
                                  : info.param == SIGINT ? std::string("Int")
                                                         : std::string("Hup");
                         });

}  // namespace
