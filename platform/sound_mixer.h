#pragma once
// The voices of a sound player: up to a fixed number of sounds, each an
// interleaved 16-bit stereo stream, summed sample by sample (clipped to the
// 16-bit range) into the buffer the audio device asks for. A sound started
// while every voice is busy takes the voice that started longest ago, so a
// one-voice mixer is the classic player where a new sound replaces the old.
// It neither reads files nor talks to a device, and it never frees memory
// while mixing (the audio thread must not): a displaced stream is handed
// back to the caller, who frees it outside the device's lock.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class SoundMixer {
 public:
  explicit SoundMixer(std::size_t voices);

  // Starts the stream on a voice. With noWait nothing is started while every
  // voice is busy (false). `displaced` receives the stream the voice held.
  bool start(std::vector<std::int16_t> stream, bool loop, bool noWait,
             std::vector<std::int16_t>& displaced);
  // Fills `count` samples: the sum of every playing voice, silence after.
  void mix(std::int16_t* out, std::size_t count);
  // Silences every voice; their streams are moved into `displaced`.
  void stop(std::vector<std::vector<std::int16_t>>& displaced);

  std::size_t voices() const { return m_voices.size(); }
  std::size_t playing() const;

 private:
  struct Voice {
    std::vector<std::int16_t> stream;
    std::size_t position = 0;
    bool loop = false;
    bool playing = false;
    std::uint64_t startedAt = 0;  // order of starting, to find the oldest
  };
  std::vector<Voice> m_voices;
  std::vector<std::int32_t> m_sum;  // sized once per request, reused
  std::uint64_t m_starts = 0;
};

}  // namespace platform
