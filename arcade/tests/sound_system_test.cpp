#include "arcade/sound/sound_system.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "arcade/sound/wave_image.h"
#include "platform/wave_file.h"

namespace arcade {
namespace {

// What the fake output was asked to do, kept apart from the player so the
// test can still read it after the sound system (and its player) is gone.
struct PlayerLog {
  std::vector<std::string> calls;  // "play", "loop", "stop" in order
  std::vector<std::uint8_t> lastImage;
  bool playing = false;
};

class FakePlayer : public platform::WavePlayer {
 public:
  explicit FakePlayer(PlayerLog& log) : m_log(log) {}
  bool playMemory(std::span<const std::uint8_t> image, platform::PlayOptions options) override {
    m_log.calls.push_back(options.loop ? "loop" : "play");
    m_log.lastImage.assign(image.begin(), image.end());
    m_log.playing = true;
    return true;
  }
  void stop() override {
    m_log.calls.push_back("stop");
    m_log.playing = false;
  }
  bool isPlaying() const override { return m_log.playing; }
  bool hasDevice() const override { return true; }

 private:
  PlayerLog& m_log;
};

constexpr int kEffect = 2000;

std::vector<std::uint8_t> monoEffect(std::size_t n, std::uint8_t value) {
  return makeWaveImage(WaveSpec{1, kEffectRate, 8}, std::vector<std::uint8_t>(n, value));
}

class SoundSystemTest : public ::testing::Test {
 protected:
  SoundSystemTest() {
    m_resources.Add(ResourceType::Wave, kEffect, monoEffect(400, 255));
    const std::vector<std::uint8_t> music(4000, 0x11);
    m_resources.Add(ResourceType::Wave, kTitleMusicId,
                    makeWaveImage(WaveSpec{2, kEffectRate, 16}, music));
    m_resources.Add(ResourceType::Wave, 2001, {});  // empty resource
    m_resources.Add(ResourceType::Wave, 2002, {'R', 'I', 'F', 'F', 1, 2});
    m_sound = std::make_unique<CSoundSystem>(m_resources, std::make_unique<FakePlayer>(m_log));
  }

  // Left and right byte of sample pair k of the last image played.
  std::pair<int, int> playedPair(std::size_t k) const {
    const platform::WaveData wave = platform::parseWave(m_log.lastImage);
    EXPECT_EQ(wave.error, platform::WaveError::Ok);
    return {wave.samples.at(2 * k), wave.samples.at(2 * k + 1)};
  }

  MemoryResources m_resources;
  PlayerLog m_log;
  std::unique_ptr<CSoundSystem> m_sound;
};

TEST_F(SoundSystemTest, EffectIsPannedByItsDirectionFromTheListener) {
  // x = 3, y = 4: pan 0.6, so right volume 0.8 and left 0.2 at full gain.
  m_sound->PlayEffect(kEffect, 3.0, 4.0, 1.0);
  ASSERT_EQ(m_log.calls, (std::vector<std::string>{"stop", "play"}));
  const int rightScale = static_cast<int>(0.8 * 128);  // 102
  const int leftScale = static_cast<int>(0.2 * 128);   // 25
  // The left ear is 896 us later: 18 bytes, 9 pairs.
  EXPECT_EQ(playedPair(20).second, ((rightScale * 127) >> 7) + 128);
  EXPECT_EQ(playedPair(20).first, ((leftScale * 127) >> 7) + 128);
  EXPECT_EQ(playedPair(8).first, 128);
  EXPECT_EQ(playedPair(9).first, ((leftScale * 127) >> 7) + 128);
}

TEST_F(SoundSystemTest, SoundAtTheListenerPlaysCentred) {
  m_sound->PlayEffect(kEffect, 0.0, 0.0, 1.0);
  const auto [l, r] = playedPair(50);
  EXPECT_EQ(l, r);
  EXPECT_EQ(r, ((64 * 127) >> 7) + 128);
}

TEST_F(SoundSystemTest, MissingEmptyOrBrokenEffectIsSilentAndStopsNothing) {
  m_sound->StartTitleMusic();
  m_log.calls.clear();
  for (int id : {1999, 2001, 2002}) m_sound->PlayEffect(id, 1.0, 1.0, 1.0);
  EXPECT_TRUE(m_log.calls.empty());
  EXPECT_TRUE(m_log.playing);
}

TEST_F(SoundSystemTest, MusicLoopsAndPlayingItAgainDoesNothing) {
  m_sound->StartTitleMusic();
  m_sound->StartTitleMusic();
  EXPECT_EQ(m_log.calls, (std::vector<std::string>{"loop"}));
  EXPECT_TRUE(m_sound->HasMusic());
  std::vector<std::uint8_t> resource;
  ASSERT_TRUE(m_resources.Load(ResourceType::Wave, kTitleMusicId, resource));
  EXPECT_EQ(m_log.lastImage, resource);
}

TEST_F(SoundSystemTest, EffectCutsTheMusicWhichStaysCopiedUntilStopped) {
  m_sound->StartTitleMusic();
  m_sound->PlayEffect(kEffect, 0.0, 1.0, 0.5);
  m_sound->StartTitleMusic();  // the copy still exists: nothing
  EXPECT_EQ(m_log.calls, (std::vector<std::string>{"loop", "stop", "play"}));
  m_sound->StopTitleMusic();
  EXPECT_FALSE(m_sound->HasMusic());
  m_sound->StartTitleMusic();
  EXPECT_EQ(m_log.calls.back(), "loop");
  EXPECT_EQ(m_log.calls.size(), 5u);
}

TEST_F(SoundSystemTest, MissingMusicPlaysNothing) {
  MemoryResources none;
  PlayerLog log;
  CSoundSystem sound(none, std::make_unique<FakePlayer>(log));
  sound.StartTitleMusic();
  EXPECT_FALSE(sound.HasMusic());
  EXPECT_TRUE(log.calls.empty());
}

TEST_F(SoundSystemTest, DisabledSoundStopsEverythingAndIgnoresRequests) {
  m_sound->StartTitleMusic();
  m_sound->SetSoundEnabled(false);
  EXPECT_FALSE(m_log.playing);
  EXPECT_FALSE(m_sound->HasMusic());
  m_log.calls.clear();
  m_sound->PlayEffect(kEffect, 0.0, 1.0, 1.0);
  m_sound->StartTitleMusic();
  EXPECT_TRUE(m_log.calls.empty());
  m_sound->SetSoundEnabled(true);
  m_sound->StartTitleMusic();
  EXPECT_EQ(m_log.calls, (std::vector<std::string>{"loop"}));
}

TEST_F(SoundSystemTest, ShutdownStopsWhatPlays) {
  m_sound->StartTitleMusic();
  m_sound.reset();
  EXPECT_EQ(m_log.calls.back(), "stop");
  EXPECT_FALSE(m_log.playing);
}

TEST_F(SoundSystemTest, EffectOfAnotherPcmFormatIsConvertedBeforeMixing) {
  // 16-bit stereo at 44,100 Hz, a constant +0.5 of full scale.
  std::vector<std::uint8_t> data;
  for (int i = 0; i < 800 * 2; ++i) {
    data.push_back(0x00);
    data.push_back(0x40);
  }
  m_resources.Add(ResourceType::Wave, 2003, makeWaveImage(WaveSpec{2, 44100, 16}, data));
  m_sound->PlayEffect(2003, 1.0, 0.0, 1.0);  // far right, unscaled
  const platform::WaveData wave = platform::parseWave(m_log.lastImage);
  ASSERT_EQ(wave.error, platform::WaveError::Ok);
  EXPECT_EQ(wave.frames(), 400u + 1120u) << "halved rate plus the delay";
  EXPECT_EQ(playedPair(10).second, 128 + 64);
  EXPECT_EQ(playedPair(10).first, 128);
}

TEST(SoundSystem, WithoutAPlayerUsesTheSilentOne) {
  MemoryResources resources;
  resources.Add(ResourceType::Wave, kEffect, monoEffect(10, 200));
  CSoundSystem sound(resources, nullptr);
  EXPECT_FALSE(sound.HasDevice());
  sound.PlayEffect(kEffect, 0.0, 1.0, 1.0);
  EXPECT_EQ(sound.Mixer().DataSizeField(), (10u + 560u) * 2u);
}

}  // namespace
}  // namespace arcade
