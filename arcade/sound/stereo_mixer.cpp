#include "arcade/sound/stereo_mixer.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "arcade/sound/wave_image.h"
#include "platform/little_endian.h"

namespace arcade {
namespace {

constexpr int kMaxDelayUs = 560;  // the ear distance, as a delay
constexpr std::uint32_t kMicrosPerSecond = 1000000;
constexpr WaveSpec kMixSpec{2, kEffectRate, 8};

double clampOr(double value, double lo, double hi, double fallback) {
  if (std::isnan(value)) return fallback;
  return std::clamp(value, lo, hi);
}

// The block always holds a whole wave header, so the size fields are there.
std::uint32_t readLe32(std::span<const std::uint8_t> b, std::size_t at) {
  return platform::le::readU32(b, at).value_or(0);
}

}  // namespace

MixPlacement placeEffect(double pan, double volume) {
  const double p = clampOr(pan, -1.0, 1.0, 0.0);
  const double v = clampOr(volume, 0.0, 1.0, 0.0);
  const double gain = std::pow(10.0, v) / 10.0;         // 0.1 at volume 0, 1 at volume 1
  const int shift = static_cast<int>(p * kMaxDelayUs);  // toward zero
  MixPlacement m;
  m.leftDelayUs = kMaxDelayUs + shift;
  m.rightDelayUs = (kMaxDelayUs - shift) - std::min(kMaxDelayUs - shift, kMaxDelayUs + shift);
  m.leftVolume = (0.5 - p / 2.0) * gain;
  m.rightVolume = (0.5 + p / 2.0) * gain;
  return m;
}

std::size_t delayOffsetBytes(int delayUs) {
  const auto us = static_cast<std::uint64_t>(std::max(delayUs, 0));
  const std::uint64_t samples = kEffectRate * us / kMicrosPerSecond;
  return static_cast<std::size_t>(samples & ~std::uint64_t{1});
}

CMixingBuffer::CMixingBuffer()
    : m_block(wave_layout::kHeaderBytes + kDataBytes + (kRiffExtra - wave_layout::kHeaderBytes),
              kSilence8) {
  writeWaveHeader(m_block, kMixSpec, kDataBytes, kDataBytes + kRiffExtra);
}

void CMixingBuffer::Restore() {
  writeWaveSizes(m_block, kDataBytes, kDataBytes + kRiffExtra);
  const auto data = m_block.begin() + wave_layout::kHeaderBytes;
  std::fill(data, data + kDataBytes, kSilence8);
}

// t[i] = ((s * (i - 128)) >> 7) + 128 maps a source byte to the channel at
// scale s (0..128); with s <= 128 every entry stays within 0..255.
void CMixingBuffer::WriteChannel(std::span<const std::uint8_t> source, int channel, double volume,
                                 int delayUs) {
  const int scale = static_cast<int>(volume * 128.0);
  std::array<std::uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i)
    table[static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(((scale * (i - 128)) >> 7) + 128);
  std::uint8_t* data = m_block.data() + wave_layout::kHeaderBytes;
  const std::size_t start = delayOffsetBytes(delayUs) + static_cast<std::size_t>(channel);
  for (std::size_t k = 0; k < source.size(); ++k) {
    const std::size_t at = 2 * k + start;
    if (at >= kDataBytes) break;
    data[at] = table[source[k]];
  }
}

std::span<const std::uint8_t> CMixingBuffer::Mix(std::span<const std::uint8_t> source,
                                                 const MixPlacement& placement) {
  Restore();
  WriteChannel(source, 0, placement.leftVolume, placement.leftDelayUs);
  WriteChannel(source, 1, placement.rightVolume, placement.rightDelayUs);
  const std::uint64_t wanted =
      (std::uint64_t{source.size()} +
       static_cast<std::uint64_t>(std::max({placement.leftDelayUs, placement.rightDelayUs, 0}))) *
      2;
  const auto length = static_cast<std::uint32_t>(std::min<std::uint64_t>(wanted, kDataBytes));
  writeWaveSizes(m_block, length, length + kRiffExtra);
  return std::span<const std::uint8_t>(m_block).first(wave_layout::kHeaderBytes + length);
}

std::span<const std::uint8_t> CMixingBuffer::Data() const {
  return std::span<const std::uint8_t>(m_block).subspan(wave_layout::kHeaderBytes, kDataBytes);
}

std::uint32_t CMixingBuffer::DataSizeField() const {
  return readLe32(m_block, wave_layout::kDataSize);
}

std::uint32_t CMixingBuffer::RiffSizeField() const {
  return readLe32(m_block, wave_layout::kRiffSize);
}

}  // namespace arcade
