#include "platform/wave_file.h"

#include <algorithm>
#include <cstring>

#include "platform/little_endian.h"

namespace platform {
namespace {

// RIFF header and chunk layout.
constexpr std::size_t kRiffIdOffset = 0;
constexpr std::size_t kRiffSizeOffset = 4;
constexpr std::size_t kWaveIdOffset = 8;
constexpr std::size_t kFirstChunkOffset = 12;
constexpr std::size_t kChunkHeaderSize = 8;
// "fmt " chunk body.
constexpr std::size_t kFmtTagOffset = 0;
constexpr std::size_t kFmtChannelsOffset = 2;
constexpr std::size_t kFmtRateOffset = 4;
constexpr std::size_t kFmtBitsOffset = 14;
constexpr std::size_t kFmtMinimumSize = 16;
constexpr std::size_t kFmtSubFormatOffset = 24;  // extensible header only
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::uint32_t kMinSampleRate = 1000;  // keeps conversions to a sane size
constexpr std::uint32_t kMaxSampleRate = 384000;

// Every caller has checked that its field lies inside the bytes; the zero
// fallback is never taken.
std::uint16_t le16(std::span<const std::uint8_t> b, std::size_t at) {
  return le::readU16(b, at).value_or(0);
}
std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
  return le::readU32(b, at).value_or(0);
}
bool idIs(std::span<const std::uint8_t> b, std::size_t at, const char* id) {
  return std::memcmp(b.data() + at, id, 4) == 0;
}

WaveError readFormat(std::span<const std::uint8_t> body, WaveFormat& format) {
  if (body.size() < kFmtMinimumSize) return WaveError::Truncated;
  std::uint16_t tag = le16(body, kFmtTagOffset);
  if (tag == kFormatExtensible) {
    if (body.size() < kFmtSubFormatOffset + 2) return WaveError::Truncated;
    tag = le16(body, kFmtSubFormatOffset);  // first bytes of the sub-format GUID
  }
  format.channels = le16(body, kFmtChannelsOffset);
  format.sampleRate = le32(body, kFmtRateOffset);
  format.bitsPerSample = le16(body, kFmtBitsOffset);
  const bool supported = tag == kFormatPcm && (format.channels == 1 || format.channels == 2) &&
                         (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                         format.sampleRate >= kMinSampleRate && format.sampleRate <= kMaxSampleRate;
  return supported ? WaveError::Ok : WaveError::Unsupported;
}

WaveData failed(WaveError error) {
  WaveData wave;
  wave.error = error;
  return wave;
}

// One sample of a frame and channel as a signed 16-bit value.
std::int32_t sampleAt(const WaveData& wave, std::size_t frame, unsigned channel) {
  const std::size_t at =
      frame * wave.format.bytesPerFrame() + channel * (wave.format.bitsPerSample / 8u);
  if (wave.format.bitsPerSample == 8)
    return (static_cast<std::int32_t>(wave.samples[at]) - 128) * 256;
  return le::readI16(wave.samples, at).value_or(0);
}

}  // namespace

std::size_t WaveData::frames() const {
  const std::uint32_t frameBytes = format.bytesPerFrame();
  return frameBytes == 0 ? 0 : samples.size() / frameBytes;
}

WaveData parseWave(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFirstChunkOffset) return failed(WaveError::Truncated);
  if (!idIs(bytes, kRiffIdOffset, "RIFF")) return failed(WaveError::NotRiff);
  if (!idIs(bytes, kWaveIdOffset, "WAVE")) return failed(WaveError::NotWave);
  // The RIFF size may lie either way; the file's own end is the limit.
  const std::uint64_t riffEnd = std::uint64_t{le32(bytes, kRiffSizeOffset)} + kChunkHeaderSize;
  const std::size_t end =
      riffEnd < kFirstChunkOffset
          ? bytes.size()
          : static_cast<std::size_t>(std::min<std::uint64_t>(riffEnd, bytes.size()));
  WaveData wave;
  bool haveFormat = false;
  std::uint64_t pos = kFirstChunkOffset;
  while (pos + kChunkHeaderSize <= end) {
    const std::size_t at = static_cast<std::size_t>(pos);
    const std::uint32_t size = le32(bytes, at + 4);
    const std::size_t bodyStart = at + kChunkHeaderSize;
    const std::size_t bodySize =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, end - bodyStart));
    const auto body = bytes.subspan(bodyStart, bodySize);
    if (idIs(bytes, at, "fmt ")) {
      const WaveError error = readFormat(body, wave.format);
      if (error != WaveError::Ok) return failed(error);
      haveFormat = true;
    } else if (idIs(bytes, at, "data")) {
      if (!haveFormat) return failed(WaveError::NoFormat);
      const std::size_t whole = bodySize - bodySize % wave.format.bytesPerFrame();
      wave.samples.assign(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(whole));
      return wave;
    }
    pos = std::uint64_t{bodyStart} + size + (size & 1u);  // chunks are padded to even sizes
  }
  return failed(haveFormat ? WaveError::NoData : WaveError::NoFormat);
}

std::vector<std::int16_t> toStereo16(const WaveData& wave, std::uint32_t outputRate) {
  const std::size_t inFrames = wave.frames();
  if (wave.error != WaveError::Ok || inFrames == 0 || outputRate == 0 ||
      wave.format.sampleRate == 0) {
    return {};
  }
  const std::uint64_t outFrames = std::uint64_t{inFrames} * outputRate / wave.format.sampleRate;
  std::vector<std::int16_t> out;
  out.reserve(static_cast<std::size_t>(outFrames) * 2);
  const unsigned right = wave.format.channels == 2 ? 1 : 0;
  for (std::uint64_t i = 0; i < outFrames; ++i) {
    // Output frame i lies at input frame i * inRate / outRate: the whole
    // part picks the frame, the remainder weights the next one.
    const std::uint64_t num = i * wave.format.sampleRate;
    const std::size_t frame = static_cast<std::size_t>(num / outputRate);
    const std::uint64_t rest = num % outputRate;
    const std::size_t next = std::min(frame + 1, inFrames - 1);
    for (unsigned channel : {0u, right}) {
      const std::int64_t a = sampleAt(wave, frame, channel);
      const std::int64_t b = sampleAt(wave, next, channel);
      out.push_back(static_cast<std::int16_t>(a + (b - a) * static_cast<std::int64_t>(rest) /
                                                      static_cast<std::int64_t>(outputRate)));
    }
  }
  return out;
}

}  // namespace platform
