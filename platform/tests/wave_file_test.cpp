#include "platform/wave_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Chunk = std::string;  // built as text: byte vectors trip GCC 12's overflow warning

void put16(Chunk& b, unsigned v) {
  b += static_cast<char>(v & 0xFF);
  b += static_cast<char>((v >> 8) & 0xFF);
}
void put32(Chunk& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

Chunk fmtChunk(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits) {
  Chunk b = "fmt ";
  put32(b, 16);
  put16(b, tag);
  put16(b, channels);
  put32(b, rate);
  put32(b, rate * channels * bits / 8);
  put16(b, channels * bits / 8);
  put16(b, bits);
  return b;
}

// A RIFF WAVE image of the given chunks; riffSize 0 means the true size.
Bytes riff(std::initializer_list<Chunk> chunks, std::uint32_t riffSize = 0) {
  Chunk body;
  for (const Chunk& c : chunks) body += c;
  Chunk b = "RIFF";
  put32(b, riffSize != 0 ? riffSize : static_cast<std::uint32_t>(body.size() + 4));
  b += "WAVE";
  b += body;
  return Bytes(b.begin(), b.end());
}

Chunk dataChunk(const Bytes& samples, std::uint32_t claimed = 0) {
  Chunk b = "data";
  put32(b, claimed != 0 ? claimed : static_cast<std::uint32_t>(samples.size()));
  b.append(samples.begin(), samples.end());
  if (claimed == 0 && samples.size() % 2 == 1) b += '\0';
  return b;
}

TEST(WaveParse, ReadsACanonicalEightBitMonoImage) {
  const Bytes image = riff({fmtChunk(1, 1, 22050, 8), dataChunk({0, 128, 255})});
  ASSERT_EQ(image.size(), 44u + 4u);  // 44-byte header, 3 samples, 1 pad byte
  const WaveData wave = parseWave(image);
  ASSERT_EQ(wave.error, WaveError::Ok);
  EXPECT_EQ(wave.format.channels, 1);
  EXPECT_EQ(wave.format.sampleRate, 22050u);
  EXPECT_EQ(wave.format.bitsPerSample, 8);
  EXPECT_EQ(wave.samples, (Bytes{0, 128, 255}));
  EXPECT_EQ(wave.frames(), 3u);
}

TEST(WaveParse, SkipsOtherChunksWithTheirPaddingAndTakesExtensiblePcm) {
  Chunk list = "LIST";
  put32(list, 3);  // odd size: one pad byte follows
  list += std::string("abc\0", 4);
  Chunk ext = fmtChunk(0xFFFE, 2, 44100, 16);
  ext[4] = 40;  // chunk size of the extensible header
  put16(ext, 22);
  put16(ext, 16);
  put32(ext, 3);
  put16(ext, 1);  // PCM sub-format GUID starts with 1
  ext.append(14, '\0');
  const WaveData wave = parseWave(riff({list, ext, dataChunk({1, 2, 3, 4, 5, 6, 7, 8})}));
  ASSERT_EQ(wave.error, WaveError::Ok);
  EXPECT_EQ(wave.format.channels, 2);
  EXPECT_EQ(wave.frames(), 2u);
}

TEST(WaveParse, OversizedClaimsAreCutToTheFileAndToWholeFrames) {
  const WaveData data = parseWave(
      riff({fmtChunk(1, 2, 8000, 16), dataChunk({1, 2, 3, 4, 5, 6, 7}, 1000)}, 0xFFFFFFFF));
  ASSERT_EQ(data.error, WaveError::Ok);
  EXPECT_EQ(data.samples, (Bytes{1, 2, 3, 4}));
}

TEST(WaveParse, RefusesWhatIsNotAPlayableWave) {
  EXPECT_EQ(parseWave(Bytes{}).error, WaveError::Truncated);
  EXPECT_EQ(parseWave(Bytes{'R', 'I', 'F', 'F'}).error, WaveError::Truncated);
  Bytes avi = riff({});
  std::copy_n("AVI ", 4, avi.begin() + 8);
  EXPECT_EQ(parseWave(avi).error, WaveError::NotWave);
  Bytes rifx = riff({});
  rifx[3] = 'X';
  EXPECT_EQ(parseWave(rifx).error, WaveError::NotRiff);
  EXPECT_EQ(parseWave(riff({dataChunk({1, 2})})).error, WaveError::NoFormat);
  EXPECT_EQ(parseWave(riff({fmtChunk(1, 1, 8000, 8)})).error, WaveError::NoData);
  EXPECT_EQ(parseWave(riff({fmtChunk(2, 1, 8000, 4), dataChunk({1})})).error,
            WaveError::Unsupported);
  EXPECT_EQ(parseWave(riff({fmtChunk(1, 1, 8000, 24), dataChunk({1, 2, 3})})).error,
            WaveError::Unsupported);
  EXPECT_EQ(parseWave(riff({fmtChunk(1, 6, 8000, 16), dataChunk({})})).error,
            WaveError::Unsupported);
  EXPECT_EQ(parseWave(riff({fmtChunk(1, 1, 1, 8), dataChunk({1})})).error, WaveError::Unsupported);
  Chunk shortFmt = fmtChunk(1, 1, 8000, 8);
  shortFmt[4] = 12;
  shortFmt.resize(8 + 12);
  EXPECT_EQ(parseWave(riff({shortFmt, dataChunk({1})})).error, WaveError::Truncated);
}

TEST(WaveParse, EveryTruncationAndRandomDamageIsAnswered) {
  const Bytes good = riff({fmtChunk(1, 2, 11025, 16), dataChunk(Bytes(64, 7))});
  for (std::size_t n = 0; n <= good.size(); ++n) {
    const WaveData wave = parseWave(std::span(good).first(n));
    if (wave.error == WaveError::Ok) {
      EXPECT_LE(wave.samples.size(), n);
    }
    EXPECT_EQ(wave.samples.size() % 4, 0u) << n;
  }
  std::mt19937 random(1234);
  for (int round = 0; round < 2000; ++round) {
    Bytes damaged = good;
    for (int k = 0; k < 4; ++k)
      damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
    const WaveData wave = parseWave(damaged);
    if (wave.error == WaveError::Ok) {
      EXPECT_LE(wave.samples.size(), damaged.size());
    } else {
      EXPECT_TRUE(wave.samples.empty());
    }
  }
}

TEST(WaveConvert, EightBitMonoBecomesCentredSixteenBitStereo) {
  const WaveData wave = parseWave(riff({fmtChunk(1, 1, 44100, 8), dataChunk({0, 128, 255})}));
  EXPECT_EQ(toStereo16(wave, 44100),
            (std::vector<std::int16_t>{-32768, -32768, 0, 0, 32512, 32512}));
}

TEST(WaveConvert, StereoKeepsItsChannelsAndRatesScaleByInterpolation) {
  Chunk text;
  for (int v : {0, 1000, 4000, -4000}) put16(text, static_cast<std::uint16_t>(v));
  const Bytes samples(text.begin(), text.end());
  const WaveData wave = parseWave(riff({fmtChunk(1, 2, 11025, 16), dataChunk(samples)}));
  const auto out = toStereo16(wave, 44100);
  ASSERT_EQ(out.size(), 2u * 2u * 4u);  // 2 frames become 8
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 1000);
  EXPECT_EQ(out[4], 2000);   // halfway between frames, left
  EXPECT_EQ(out[5], -1500);  // halfway, right
  EXPECT_EQ(out[8], 4000);
  EXPECT_EQ(out[9], -4000);
  EXPECT_EQ(toStereo16(wave, 11025).size(), 4u);
  EXPECT_TRUE(toStereo16(parseWave(Bytes{}), 44100).empty());
}

}  // namespace
}  // namespace platform
