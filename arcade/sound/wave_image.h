// The canonical WAVE image the game's sounds are stored in and the mixer
// plays: a 44-byte header ("RIFF", "fmt " of 16 bytes, "data") followed by
// the PCM bytes. This file declares that layout once; the sound generator
// writes it and the mixer rewrites its size fields in place. Reading a sound
// resource goes through the platform's tolerant WAVE reader, so a damaged or
// foreign resource is refused, never trusted; effects of another PCM format
// are converted to the 8-bit mono 22,050 Hz samples the mixer works with.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace arcade {

namespace wave_layout {
inline constexpr std::size_t kRiffTag = 0;
inline constexpr std::size_t kRiffSize = 4;
inline constexpr std::size_t kWaveTag = 8;
inline constexpr std::size_t kFmtTag = 12;
inline constexpr std::size_t kFmtSize = 16;
inline constexpr std::size_t kFormatTag = 20;
inline constexpr std::size_t kChannels = 22;
inline constexpr std::size_t kSampleRate = 24;
inline constexpr std::size_t kByteRate = 28;
inline constexpr std::size_t kBlockAlign = 32;
inline constexpr std::size_t kBitsPerSample = 34;
inline constexpr std::size_t kDataTag = 36;
inline constexpr std::size_t kDataSize = 40;
inline constexpr std::size_t kHeaderBytes = 44;
inline constexpr std::uint32_t kFmtBodyBytes = 16;
inline constexpr std::uint16_t kFormatPcm = 1;
}  // namespace wave_layout

inline constexpr std::uint32_t kEffectRate = 22050;
inline constexpr std::uint8_t kSilence8 = 128;

struct WaveSpec {
  std::uint16_t channels = 1;
  std::uint32_t sampleRate = kEffectRate;
  std::uint16_t bitsPerSample = 8;
};

// Writes the 44 header bytes into image (at least kHeaderBytes long) with the
// given size fields; byte rate and block align follow from spec.
void writeWaveHeader(std::span<std::uint8_t> image, const WaveSpec& spec, std::uint32_t dataSize,
                     std::uint32_t riffSize);
// Rewrites only the two size fields.
void writeWaveSizes(std::span<std::uint8_t> image, std::uint32_t dataSize, std::uint32_t riffSize);

// A complete canonical image: RIFF size = 36 + data size.
std::vector<std::uint8_t> makeWaveImage(const WaveSpec& spec, std::span<const std::uint8_t> data);

// The resource as unsigned 8-bit mono samples at 22,050 Hz; nothing when it
// is not a readable PCM WAVE or holds no samples.
std::optional<std::vector<std::uint8_t>> effectSamples(std::span<const std::uint8_t> image);

}  // namespace arcade
