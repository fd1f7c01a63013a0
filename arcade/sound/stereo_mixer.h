// The software mixer that places one mono effect left or right of the
// listener: by loudness (a channel volume from the pan) and by a small delay
// of the farther ear (up to 1120 microseconds). It owns the mixing buffer, a
// complete WAVE image of 1000 ms of unsigned 8-bit stereo at 22,050 Hz made
// once, and mixes into it in place; the image it returns is what the sound
// system hands to the audio output. It plays nothing and mixes only one
// effect at a time: each mix silences the whole buffer first, so nothing of
// an earlier, longer effect survives.
//
// Worked example: pan 0 at full volume gives gain 1, both channel volumes
// 0.5 (scale 64), a left delay of 560 us (12 bytes = 6 sample pairs) and a
// right delay of 0, so the left channel starts 6 samples after the right.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace arcade {

// Where an effect sounds: delays in microseconds, volumes 0..1.
struct MixPlacement {
  int leftDelayUs = 0;
  int rightDelayUs = 0;
  double leftVolume = 0.0;
  double rightVolume = 0.0;
};

// pan -1 (far left) .. 1 (far right), volume 0..1; values outside (or not a
// number) are clamped first, so a channel scale never exceeds 128.
MixPlacement placeEffect(double pan, double volume);

// The byte offset a channel starts at for its delay: samples at 22,050 Hz,
// rounded down to an even count of bytes so the channel stays in its lane.
std::size_t delayOffsetBytes(int delayUs);

class CMixingBuffer {
 public:
  static constexpr std::uint32_t kDataBytes = 44100;  // 1000 ms of 8-bit stereo
  // The block is 4 bytes longer than header plus data, and its RIFF size
  // field counts data + 48 bytes; both as the program always made it.
  static constexpr std::uint32_t kRiffExtra = 48;

  CMixingBuffer();

  // Mixes the unsigned 8-bit mono source (22,050 Hz) at the placement and
  // returns the image to play: header plus the length played, (source
  // samples + the larger delay) * 2 bytes, cut at the buffer's end. A source
  // longer than the buffer is cut there too.
  std::span<const std::uint8_t> Mix(std::span<const std::uint8_t> source,
                                    const MixPlacement& placement);

  // Interleaved left/right bytes of the whole data area (for inspection).
  std::span<const std::uint8_t> Data() const;
  // The size fields as the last mix left them.
  std::uint32_t DataSizeField() const;
  std::uint32_t RiffSizeField() const;

 private:
  void Restore();
  void WriteChannel(std::span<const std::uint8_t> source, int channel, double volume, int delayUs);

  std::vector<std::uint8_t> m_block;
};

}  // namespace arcade
