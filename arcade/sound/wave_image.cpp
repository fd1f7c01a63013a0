#include "arcade/sound/wave_image.h"

#include <algorithm>
#include <cstring>

#include "platform/little_endian.h"
#include "platform/wave_file.h"

namespace arcade {
namespace {

using platform::le::writeU16;
using platform::le::writeU32;

void putTag(std::span<std::uint8_t> b, std::size_t at, const char* tag) {
  std::memcpy(b.data() + at, tag, 4);
}

// The riff size of a canonical image counts everything after its own field.
constexpr std::uint32_t kCanonicalRiffExtra = wave_layout::kHeaderBytes - 8;

}  // namespace

void writeWaveHeader(std::span<std::uint8_t> image, const WaveSpec& spec, std::uint32_t dataSize,
                     std::uint32_t riffSize) {
  using namespace wave_layout;
  const std::uint16_t blockAlign =
      static_cast<std::uint16_t>(spec.channels * (spec.bitsPerSample / 8));
  putTag(image, kRiffTag, "RIFF");
  putTag(image, kWaveTag, "WAVE");
  putTag(image, kFmtTag, "fmt ");
  writeU32(image, kFmtSize, kFmtBodyBytes);
  writeU16(image, kFormatTag, kFormatPcm);
  writeU16(image, kChannels, spec.channels);
  writeU32(image, kSampleRate, spec.sampleRate);
  writeU32(image, kByteRate, spec.sampleRate * blockAlign);
  writeU16(image, kBlockAlign, blockAlign);
  writeU16(image, kBitsPerSample, spec.bitsPerSample);
  putTag(image, kDataTag, "data");
  writeWaveSizes(image, dataSize, riffSize);
}

void writeWaveSizes(std::span<std::uint8_t> image, std::uint32_t dataSize, std::uint32_t riffSize) {
  writeU32(image, wave_layout::kRiffSize, riffSize);
  writeU32(image, wave_layout::kDataSize, dataSize);
}

std::vector<std::uint8_t> makeWaveImage(const WaveSpec& spec, std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> image(wave_layout::kHeaderBytes + data.size());
  const auto size = static_cast<std::uint32_t>(data.size());
  writeWaveHeader(image, spec, size, size + kCanonicalRiffExtra);
  std::copy(data.begin(), data.end(), image.begin() + wave_layout::kHeaderBytes);
  return image;
}

std::optional<std::vector<std::uint8_t>> effectSamples(std::span<const std::uint8_t> image) {
  const platform::WaveData wave = platform::parseWave(image);
  if (wave.error != platform::WaveError::Ok || wave.frames() == 0) return std::nullopt;
  const platform::WaveFormat& f = wave.format;
  if (f.channels == 1 && f.bitsPerSample == 8 && f.sampleRate == kEffectRate) return wave.samples;
  // Any other PCM format: through the platform's resampler, then both
  // channels averaged and cut to 8 bits.
  const std::vector<std::int16_t> stereo = platform::toStereo16(wave, kEffectRate);
  std::vector<std::uint8_t> mono(stereo.size() / 2);
  for (std::size_t i = 0; i < mono.size(); ++i) {
    const int mid = (stereo[2 * i] + stereo[2 * i + 1]) / 2;
    mono[i] = static_cast<std::uint8_t>(std::clamp(mid / 256 + 128, 0, 255));
  }
  if (mono.empty()) return std::nullopt;
  return mono;
}

}  // namespace arcade
