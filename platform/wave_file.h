#pragma once
// RIFF WAVE images: the reader that takes a file's bytes apart into format
// and PCM samples, and the conversion of those samples to the interleaved
// 16-bit stereo stream an audio device plays. Only uncompressed PCM with 8 or
// 16 bits and one or two channels is taken (plain or in the extensible
// header); anything else is refused with its reason. Damaged files are read
// as far as they are sound: a data chunk that claims more bytes than the file
// holds is cut to what is there. Nothing here plays anything: see
// wave_player.h.

#include <cstdint>
#include <span>
#include <vector>

namespace platform {

enum class WaveError {
  Ok,
  Truncated,    // shorter than the RIFF header or a format chunk
  NotRiff,      // no "RIFF" at offset 0
  NotWave,      // no "WAVE" at offset 8
  NoFormat,     // no "fmt " chunk before the data
  NoData,       // no "data" chunk
  Unsupported,  // compressed, or not 8/16 bits, 1/2 channels, 1000..384000 Hz
};

struct WaveFormat {
  std::uint16_t channels = 1;
  std::uint32_t sampleRate = 22050;
  std::uint16_t bitsPerSample = 8;
  std::uint32_t bytesPerFrame() const { return channels * (bitsPerSample / 8u); }
};

struct WaveData {
  WaveError error = WaveError::Ok;
  WaveFormat format;
  std::vector<std::uint8_t> samples;  // whole frames only, as stored
  std::size_t frames() const;
};

WaveData parseWave(std::span<const std::uint8_t> bytes);

// The samples as interleaved left/right 16-bit values at outputRate, by
// linear interpolation; 8-bit samples are unsigned around 128.
std::vector<std::int16_t> toStereo16(const WaveData& wave, std::uint32_t outputRate);

}  // namespace platform
