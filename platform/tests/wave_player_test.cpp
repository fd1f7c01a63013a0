#include "platform/wave_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// A canonical 8-bit mono image of the given length in milliseconds at 22050 Hz.
Bytes tone(int milliseconds) {
  const std::uint32_t samples = 22050u * static_cast<std::uint32_t>(milliseconds) / 1000u;
  Bytes b;
  const auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const auto put16 = [&](std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  put32(36 + samples);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(16);
  put16(1);
  put16(1);
  put32(22050);
  put32(22050);
  put16(1);
  put16(8);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  put32(samples);
  for (std::uint32_t i = 0; i < samples; ++i)
    b.push_back(static_cast<std::uint8_t>(i % 50 < 25 ? 96 : 160));
  return b;
}

// Playback runs on the audio thread in real time; wait for a state, bounded.
bool waitUntil(const WavePlayer& player, bool playing, int limitMs) {
  for (int t = 0; t < limitMs; t += 10) {
    if (player.isPlaying() == playing) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return player.isPlaying() == playing;
}

// SDL's dummy driver consumes sound in real time without a sound card, so
// the device path runs everywhere and the tests stay silent.
class WavePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(WavePlayerTest, SoundPlaysToItsEndAndLoopingSoundUntilStopped) {
  const auto player = makeWavePlayer();
  if (!player->hasDevice()) GTEST_SKIP() << "no audio device, not even SDL's dummy driver";
  EXPECT_FALSE(player->isPlaying());
  ASSERT_TRUE(player->playMemory(tone(100)));
  EXPECT_TRUE(player->isPlaying());
  EXPECT_TRUE(waitUntil(*player, false, 3000));

  ASSERT_TRUE(player->playMemory(tone(50), {.loop = true}));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(player->isPlaying());
  player->stop();
  EXPECT_FALSE(player->isPlaying());
}

TEST_F(WavePlayerTest, NoWaitLeavesAPlayingSoundAlone) {
  const auto player = makeWavePlayer();
  if (!player->hasDevice()) GTEST_SKIP() << "no audio device";
  ASSERT_TRUE(player->playMemory(tone(50), {.loop = true}));
  EXPECT_FALSE(player->playMemory(tone(50), {.noWait = true}));
  EXPECT_TRUE(player->playMemory(tone(50)));  // replaces the looping one
  EXPECT_TRUE(waitUntil(*player, false, 3000));
  EXPECT_TRUE(player->playMemory(tone(50), {.noWait = true}));
  player->stop();
}

TEST_F(WavePlayerTest, BadSoundsAreRefusedWithoutStoppingTheCurrentOne) {
  const auto player = makeWavePlayer();
  ASSERT_TRUE(player->playMemory(tone(50), {.loop = true}));
  Bytes broken = tone(50);
  broken[8] = 'X';
  EXPECT_FALSE(player->playMemory(broken));
  EXPECT_FALSE(player->playFile("/nonexistent/SHIELD.WAV"));
  EXPECT_EQ(player->isPlaying(), player->hasDevice());
  player->stop();
}

TEST_F(WavePlayerTest, FilesPlayLikeMemoryImages) {
  const fs::path file = fs::temp_directory_path() / "wave_player_test_tone.wav";
  const Bytes image = tone(30);
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()),
             static_cast<std::streamsize>(image.size()));
  const auto player = makeWavePlayer();
  EXPECT_TRUE(player->playFile(file));
  fs::remove(file);
}

TEST_F(WavePlayerTest, SilentPlayerAnswersLikeAPlayer) {
  const auto silent = makeSilentWavePlayer();
  EXPECT_FALSE(silent->hasDevice());
  EXPECT_TRUE(silent->playMemory(tone(20), {.loop = true}));
  EXPECT_FALSE(silent->isPlaying());
  EXPECT_FALSE(silent->playMemory(Bytes{1, 2, 3}));
  EXPECT_FALSE(silent->playFile("/nonexistent.wav"));
  silent->stop();
}

}  // namespace
}  // namespace platform
