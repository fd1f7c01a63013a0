// The mixer's voices: four sounds summed at once, the oldest giving way to a
// fifth, clipping, looping, waiting, and the one-voice mixer replacing.
#include "platform/sound_mixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

std::vector<std::int16_t> constant(std::int16_t value, std::size_t samples) {
  return std::vector<std::int16_t>(samples, value);
}

std::vector<std::int16_t> mixed(SoundMixer& mixer, std::size_t count) {
  std::vector<std::int16_t> out(count, 12345);
  mixer.mix(out.data(), out.size());
  return out;
}

TEST(SoundMixer, FourSoundsPlayTogetherAndEachEndsOnItsOwn) {
  SoundMixer mixer(4);
  std::vector<std::int16_t> displaced;
  ASSERT_TRUE(mixer.start(constant(100, 8), false, false, displaced));
  ASSERT_TRUE(mixer.start(constant(20, 4), false, false, displaced));
  ASSERT_TRUE(mixer.start(constant(3, 6), false, false, displaced));
  ASSERT_TRUE(mixer.start(constant(-1000, 2), false, false, displaced));
  EXPECT_EQ(mixer.playing(), 4u);
  const auto out = mixed(mixer, 10);
  const std::vector<std::int16_t> expected = {-877, -877, 123, 123, 103, 103, 100, 100, 0, 0};
  EXPECT_EQ(out, expected);
  EXPECT_EQ(mixer.playing(), 0u);
  EXPECT_EQ(mixed(mixer, 3), constant(0, 3)) << "silence after the end";
}

TEST(SoundMixer, AFifthSoundTakesTheVoiceStartedLongestAgo) {
  SoundMixer mixer(4);
  std::vector<std::int16_t> displaced;
  for (std::int16_t v : {1, 2, 4, 8}) mixer.start(constant(v, 100), false, false, displaced);
  EXPECT_TRUE(displaced.empty());
  ASSERT_TRUE(mixer.start(constant(16, 100), false, false, displaced));
  EXPECT_EQ(displaced, constant(1, 100)) << "the first sound gave way";
  EXPECT_EQ(mixed(mixer, 2), constant(2 + 4 + 8 + 16, 2));
  // With noWait a full mixer refuses and keeps what plays.
  EXPECT_FALSE(mixer.start(constant(500, 10), false, true, displaced));
  EXPECT_EQ(mixed(mixer, 2), constant(30, 2));
}

TEST(SoundMixer, TheSumIsClippedToSixteenBits) {
  SoundMixer mixer(4);
  std::vector<std::int16_t> displaced;
  for (int i = 0; i < 3; ++i) mixer.start(constant(20000, 2), false, false, displaced);
  EXPECT_EQ(mixed(mixer, 2), constant(32767, 2));
  for (int i = 0; i < 3; ++i) mixer.start(constant(-20000, 2), false, false, displaced);
  EXPECT_EQ(mixed(mixer, 2), constant(-32768, 2));
}

TEST(SoundMixer, OneVoiceReplacesAndLoopsUntilStopped) {
  SoundMixer mixer(1);
  std::vector<std::int16_t> displaced;
  mixer.start(constant(7, 4), false, false, displaced);
  mixer.start({1, 2, 3}, true, false, displaced);
  EXPECT_EQ(displaced, constant(7, 4));
  EXPECT_EQ(mixed(mixer, 7), (std::vector<std::int16_t>{1, 2, 3, 1, 2, 3, 1}));
  EXPECT_EQ(mixer.playing(), 1u);
  std::vector<std::vector<std::int16_t>> old;
  mixer.stop(old);
  EXPECT_EQ(mixer.playing(), 0u);
  EXPECT_EQ(mixed(mixer, 2), constant(0, 2));
}

}  // namespace
}  // namespace platform
