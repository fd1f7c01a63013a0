// Checks the generated sound resources the way the game reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "arcade/imagelib/resources.h"
#include "arcade/sound/sound_system.h"
#include "arcade/sound/wave_image.h"
#include "arcade/world/world_types.h"
#include "platform/wave_file.h"

namespace arcade {
namespace {

const std::vector<int> kEffects = {
    sound::kBlockBounce,     sound::kBallLost,     sound::kMorphoidBounce, sound::kPaddleBounce,
    sound::kSphereGone,      sound::kSphereBounce, sound::kWallBounce,     sound::kBoxBounce,
    sound::kEnhancementOver, sound::kBouncePush};

std::vector<std::uint8_t> load(int id) {
  const DirectoryResources dir(VORTEXIA_SOUND_DIR);
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(dir.Load(ResourceType::Wave, id, bytes)) << "resource " << id;
  return bytes;
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Sign changes around the middle per sample: a rough brightness measure.
double crossingRate(const std::vector<std::uint8_t>& s) {
  int crossings = 0;
  for (std::size_t i = 1; i < s.size(); ++i)
    if ((s[i - 1] < 128) != (s[i] < 128)) ++crossings;
  return static_cast<double>(crossings) / static_cast<double>(s.size());
}

TEST(SoundResources, EveryEffectIsACanonicalEightBitMonoWaveThatFitsTheMixer) {
  for (int id : kEffects) {
    const auto bytes = load(id);
    ASSERT_GT(bytes.size(), wave_layout::kHeaderBytes) << id;
    EXPECT_EQ(le32(bytes, wave_layout::kDataSize), bytes.size() - wave_layout::kHeaderBytes) << id;
    const platform::WaveData wave = platform::parseWave(bytes);
    ASSERT_EQ(wave.error, platform::WaveError::Ok) << id;
    EXPECT_EQ(wave.format.channels, 1) << id;
    EXPECT_EQ(wave.format.bitsPerSample, 8) << id;
    EXPECT_EQ(wave.format.sampleRate, 22050u) << id;
    // Long enough to hear, short enough that the largest delay still fits.
    EXPECT_GE(wave.frames(), 22050u / 10) << id;
    EXPECT_LE((wave.frames() + 1120) * 2, CMixingBuffer::kDataBytes) << id;
  }
}

TEST(SoundResources, EffectsStartAndEndInSilenceAndReachFullLevelWithoutClipping) {
  for (int id : kEffects) {
    const auto s = *effectSamples(load(id));
    EXPECT_EQ(s.front(), 128) << id;
    EXPECT_EQ(s.back(), 128) << id;
    int loudest = 0;
    for (std::uint8_t v : s) loudest = std::max(loudest, std::abs(v - 128));
    EXPECT_GE(loudest, 100) << id;
    EXPECT_LT(loudest, 127) << id << " reaches the end of the range";
  }
}

TEST(SoundResources, EffectsDifferInLengthOrBrightness) {
  struct Signature {
    int id;
    double seconds, crossings;
  };
  std::vector<Signature> all;
  for (int id : kEffects) {
    const auto s = *effectSamples(load(id));
    all.push_back({id, static_cast<double>(s.size()) / 22050.0, crossingRate(s)});
  }
  for (std::size_t a = 0; a < all.size(); ++a) {
    for (std::size_t b = a + 1; b < all.size(); ++b) {
      const bool lengthDiffers = std::fabs(all[a].seconds - all[b].seconds) >
                                 0.1 * std::max(all[a].seconds, all[b].seconds);
      const bool brightnessDiffers = std::fabs(all[a].crossings - all[b].crossings) >
                                     0.1 * std::max(all[a].crossings, all[b].crossings);
      EXPECT_TRUE(lengthDiffers || brightnessDiffers)
          << all[a].id << " and " << all[b].id << ": " << all[a].seconds << " s / "
          << all[a].crossings << " against " << all[b].seconds << " s / " << all[b].crossings;
    }
  }
}

class TitleMusic : public ::testing::Test {
 protected:
  void SetUp() override {
    wave = platform::parseWave(load(kTitleMusicId));
    ASSERT_EQ(wave.error, platform::WaveError::Ok);
    ASSERT_EQ(wave.format.bitsPerSample, 16);
    ASSERT_EQ(wave.format.channels, 2);
  }
  int sample(std::size_t frame, int channel) const {
    const std::size_t at = frame * 4 + static_cast<std::size_t>(channel) * 2;
    return static_cast<std::int16_t>(wave.samples[at] | (wave.samples[at + 1] << 8));
  }
  platform::WaveData wave;
};

TEST_F(TitleMusic, LastsAtLeastTwentySeconds) {
  EXPECT_EQ(wave.format.sampleRate, 22050u);
  EXPECT_GE(wave.frames(), 20u * 22050u);
}

// A click is a step far larger than the music's own steps around it: the
// step from the last frame back to the first must be no larger than the
// largest step within 2 ms either side of the seam. (A tune rendered
// without wrapping its tails fails this by a factor of three.)
TEST_F(TitleMusic, LoopsWithoutAStepAtTheSeam) {
  const std::size_t n = wave.frames();
  constexpr std::size_t kWindow = 44;
  for (int channel = 0; channel < 2; ++channel) {
    int localMax = 0;
    for (std::size_t i = 1; i <= kWindow; ++i) {
      localMax = std::max(localMax, std::abs(sample(i, channel) - sample(i - 1, channel)));
      localMax = std::max(localMax, std::abs(sample(n - i, channel) - sample(n - i - 1, channel)));
    }
    const int seamStep = std::abs(sample(0, channel) - sample(n - 1, channel));
    EXPECT_LE(seamStep, localMax) << "channel " << channel;
    EXPECT_GT(localMax, 0) << "silence at the seam would prove nothing";
  }
}

TEST_F(TitleMusic, IsLoudAndStereoFromTheFirstBar) {
  long long energy = 0;
  int differing = 0;
  const std::size_t firstBar = 2 * 22050;
  for (std::size_t i = 0; i < firstBar; ++i) {
    energy += static_cast<long long>(sample(i, 0)) * sample(i, 0);
    if (sample(i, 0) != sample(i, 1)) ++differing;
  }
  const double rms = std::sqrt(static_cast<double>(energy) / static_cast<double>(firstBar));
  EXPECT_GT(rms, 32767 * 0.1);
  EXPECT_GT(differing, static_cast<int>(firstBar / 2));
}

}  // namespace
}  // namespace arcade
