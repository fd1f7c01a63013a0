// The real vortexia process under the offscreen platform: SIGTERM, SIGINT
// and SIGHUP end it as closing its window does, with exit code 0 (SDL's own
// handlers used to swallow them), and the player record it read at start
// from the data folder is written back on the way out.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "arcade/game/saved_game.h"

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

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A kept record whose name field has leftovers after the terminator: the
// game writes the field back zeroed, so a rewritten file tells itself.
std::filesystem::path PlantRecord(const std::filesystem::path& home) {
  const auto file = home / "data" / "vortexia" / "player.vtx";
  std::filesystem::create_directories(file.parent_path());
  arcade::PlayerRecord record;
  record.playerName = "Signal Tester";
  record.highestLevel = 3;
  record.currentLevel = 2;
  record.bestResult[1] = {4200, 95};
  arcade::SavedGameBytes bytes = arcade::EncodeSavedGame(record);
  const std::size_t leftovers = arcade::vtx::kPlayerName + record.playerName.size() + 1;
  std::fill(bytes.begin() + leftovers, bytes.begin() + leftovers + 8, 'x');
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return file;
}

class QuitSignalProcess : public ::testing::TestWithParam<int> {};

TEST_P(QuitSignalProcess, SignalEndsTheProgramWithExitCodeZero) {
  const auto home = std::filesystem::temp_directory_path() /
                    ("vortexia_quit_" + std::to_string(::getpid()) + "_" +
                     std::to_string(GetParam()));
  std::filesystem::create_directories(home);
  const auto record = PlantRecord(home);
  const auto planted = ReadAll(record);
  const pid_t pid = startVortexia(home);
  ASSERT_GT(pid, 0);
  // Time to come up (the window, the sound device, the timer).
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, WNOHANG), 0) << "still running before the signal";
  ASSERT_EQ(kill(pid, GetParam()), 0);
  status = waitFor(pid);
  const auto written = ReadAll(record);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(record.parent_path())) {
    ++entries;
  }
  std::filesystem::remove_all(home);
  ASSERT_NE(status, -1) << "did not end within ten seconds";
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  ASSERT_EQ(written.size(), 1044u);
  EXPECT_NE(written, planted) << "the record was written on the way out";
  const auto decoded = arcade::DecodeSavedGame(written);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->playerName, "Signal Tester") << "read at start, so written back";
  EXPECT_EQ(decoded->highestLevel, 3);
  EXPECT_EQ(decoded->currentLevel, 2);
  EXPECT_EQ(decoded->bestResult[1], (arcade::LevelResult{4200, 95}));
  EXPECT_EQ(entries, 1) << "no temporary file left in the data folder";
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalProcess, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) {
                           return info.param == SIGTERM  ? std::string("Term")
                                  : info.param == SIGINT ? std::string("Int")
                                                         : std::string("Hup");
                         });

}  // namespace
