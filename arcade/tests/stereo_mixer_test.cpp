#include "arcade/sound/stereo_mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/wave_file.h"

namespace arcade {
namespace {

// A source whose every byte is distinct over long stretches, so a shifted
// or misplaced channel cannot match by accident.
std::vector<std::uint8_t> rampSource(std::size_t n) {
  std::vector<std::uint8_t> s(n);
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
  return s;
}

// The channel byte a source byte becomes at scale s.
std::uint8_t scaled(int s, std::uint8_t v) {
  return static_cast<std::uint8_t>(((s * (v - 128)) >> 7) + 128);
}

std::uint8_t left(const CMixingBuffer& m, std::size_t pair) {
  return m.Data()[2 * pair];
}
std::uint8_t right(const CMixingBuffer& m, std::size_t pair) {
  return m.Data()[2 * pair + 1];
}

TEST(StereoMixer, StraightAheadIsEqualOnBothChannelsWithTheLeftSixSamplesLater) {
  const MixPlacement place = placeEffect(0.0, 1.0);
  EXPECT_EQ(place.leftDelayUs, 560);
  EXPECT_EQ(place.rightDelayUs, 0);
  EXPECT_DOUBLE_EQ(place.leftVolume, place.rightVolume);
  EXPECT_EQ(delayOffsetBytes(place.leftDelayUs), 12u);

  CMixingBuffer mixer;
  const auto source = rampSource(2000);
  mixer.Mix(source, place);
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(left(mixer, k), 128) << "pair " << k;
  for (std::size_t k = 0; k < source.size(); ++k) {
    ASSERT_EQ(right(mixer, k), scaled(64, source[k])) << "pair " << k;
    ASSERT_EQ(left(mixer, k + 6), right(mixer, k)) << "pair " << k;
  }
}

TEST(StereoMixer, FarRightIsSilentOnTheLeftAndUnscaledOnTheRight) {
  CMixingBuffer mixer;
  const auto source = rampSource(3000);
  mixer.Mix(source, placeEffect(1.0, 1.0));
  for (std::size_t k = 0; k < CMixingBuffer::kDataBytes / 2; ++k)
    ASSERT_EQ(left(mixer, k), 128) << "pair " << k;
  for (std::size_t k = 0; k < source.size(); ++k)
    ASSERT_EQ(right(mixer, k), source[k]) << "pair " << k;
}

TEST(StereoMixer, DelaysAndVolumesFollowThePan) {
  struct Case {
    double pan;
    int leftUs, rightUs;
    std::size_t leftBytes, rightBytes;
  };
  const Case cases[] = {
      {1.0, 1120, 0, 24, 0},   {-1.0, 0, 1120, 0, 24}, {0.5, 840, 0, 18, 0},
      {-0.5, 280, 560, 6, 12}, {0.25, 700, 0, 14, 0},
  };
  for (const Case& c : cases) {
    const MixPlacement m = placeEffect(c.pan, 1.0);
    EXPECT_EQ(m.leftDelayUs, c.leftUs) << "pan " << c.pan;
    EXPECT_EQ(m.rightDelayUs, c.rightUs) << "pan " << c.pan;
    EXPECT_EQ(delayOffsetBytes(m.leftDelayUs), c.leftBytes) << "pan " << c.pan;
    EXPECT_EQ(delayOffsetBytes(m.rightDelayUs), c.rightBytes) << "pan " << c.pan;
    EXPECT_NEAR(m.leftVolume, 0.5 - c.pan / 2, 1e-12) << "pan " << c.pan;
    EXPECT_NEAR(m.rightVolume, 0.5 + c.pan / 2, 1e-12) << "pan " << c.pan;
  }
  // Volume 0 still sounds at a tenth of full gain.
  EXPECT_NEAR(placeEffect(0.0, 0.0).leftVolume, 0.05, 1e-12);
  EXPECT_NEAR(placeEffect(0.0, 0.5).rightVolume, 0.5 * std::sqrt(10.0) / 10.0, 1e-12);
}

TEST(StereoMixer, ScaleTableShiftsArithmeticallyAroundTheMiddle) {
  CMixingBuffer mixer;
  const std::vector<std::uint8_t> source = {0, 255, 128, 127, 1};
  mixer.Mix(source, placeEffect(0.0, 1.0));  // scale 64 on both
  EXPECT_EQ(right(mixer, 0), 64);
  EXPECT_EQ(right(mixer, 1), 191);
  EXPECT_EQ(right(mixer, 2), 128);
  EXPECT_EQ(right(mixer, 3), 127);  // -1 * 64 >> 7 is -1, not 0
  EXPECT_EQ(right(mixer, 4), 64);   // -63.5 rounds down
}

TEST(StereoMixer, OutOfRangeOrMissingNumbersAreClampedSoNoChannelWraps) {
  const auto source = rampSource(512);
  CMixingBuffer mixer;
  mixer.Mix(source, placeEffect(7.0, 3.0));  // as far right and loud as allowed
  for (std::size_t k = 0; k < source.size(); ++k) {
    ASSERT_EQ(right(mixer, k), source[k]) << "pair " << k;
    ASSERT_EQ(left(mixer, k), 128) << "pair " << k;
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const MixPlacement centred = placeEffect(nan, 1.0);
  EXPECT_EQ(centred.leftDelayUs, 560);
  EXPECT_DOUBLE_EQ(centred.leftVolume, 0.5);
  EXPECT_NEAR(placeEffect(0.0, nan).rightVolume, 0.05, 1e-12);
}

TEST(StereoMixer, PlayedImageIsAWaveOfTheSourcePlusTheLargerDelay) {
  CMixingBuffer mixer;
  EXPECT_EQ(mixer.DataSizeField(), 44100u);
  EXPECT_EQ(mixer.RiffSizeField(), 44148u);
  const auto source = rampSource(1000);
  const auto image = mixer.Mix(source, placeEffect(0.0, 1.0));
  EXPECT_EQ(mixer.DataSizeField(), (1000u + 560u) * 2u);
  EXPECT_EQ(mixer.RiffSizeField(), (1000u + 560u) * 2u + 48u);
  ASSERT_EQ(image.size(), 44u + 3120u);
  const platform::WaveData wave = platform::parseWave(image);
  ASSERT_EQ(wave.error, platform::WaveError::Ok);
  EXPECT_EQ(wave.format.channels, 2);
  EXPECT_EQ(wave.format.bitsPerSample, 8);
  EXPECT_EQ(wave.format.sampleRate, 22050u);
  EXPECT_EQ(wave.frames(), 1560u);
  // The last source byte on the delayed left channel lies inside the image.
  EXPECT_EQ(wave.samples[2 * (999 + 6)], scaled(64, source[999]));
}

TEST(StereoMixer, ASecondEffectLeavesNothingOfALongerFirstOne) {
  CMixingBuffer mixer;
  mixer.Mix(std::vector<std::uint8_t>(15000, 250), placeEffect(-0.3, 1.0));
  const auto source = rampSource(100);
  mixer.Mix(source, placeEffect(0.0, 1.0));
  EXPECT_EQ(mixer.DataSizeField(), (100u + 560u) * 2u);
  for (std::size_t k = 106; k < CMixingBuffer::kDataBytes / 2; ++k) {
    ASSERT_EQ(left(mixer, k), 128) << "pair " << k;
    ASSERT_EQ(right(mixer, k), 128) << "pair " << k;
  }
}

TEST(StereoMixer, SourceLongerThanTheBufferIsCutAtItsEnd) {
  CMixingBuffer mixer;
  const auto source = rampSource(30000);
  const auto image = mixer.Mix(source, placeEffect(0.0, 1.0));
  EXPECT_EQ(mixer.DataSizeField(), 44100u);
  EXPECT_EQ(image.size(), 44u + 44100u);
  constexpr std::size_t kLastPair = 22049;
  EXPECT_EQ(right(mixer, kLastPair), scaled(64, source[kLastPair]));
  EXPECT_EQ(left(mixer, kLastPair), scaled(64, source[kLastPair - 6]));
}

}  // namespace
}  // namespace arcade
