#pragma once
// Playing RIFF WAVE sounds the way the old single-sound call did: by default
// one sound at a time, started asynchronously from a file or a memory image,
// a new sound replacing the one that plays (unless the caller asks not to
// wait), optionally looping, stopped on request. A player made with several
// voices mixes that many sounds at once, a new sound taking a free voice or
// else the one started longest ago (sound_mixer.h). The audio device is
// SDL2's; when there is none (no sound server, no card) the silent player
// stands in and every call still answers as if the sound had played, so a
// game never has to care.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace platform {

struct PlayOptions {
  bool loop = false;    // start again at the end until stopped or replaced
  bool noWait = false;  // do not interrupt a sound that is still playing
};

class WavePlayer {
 public:
  virtual ~WavePlayer() = default;
  // True when the sound was taken: a readable WAVE in a supported format,
  // and with noWait nothing else still playing. The image is copied.
  virtual bool playMemory(std::span<const std::uint8_t> waveImage, PlayOptions options = {}) = 0;
  virtual bool playFile(const std::filesystem::path& file, PlayOptions options = {});
  virtual void stop() = 0;
  virtual bool isPlaying() const = 0;
  // False for the silent stand-in.
  virtual bool hasDevice() const = 0;
};

// SDL2 audio output (library platform_sdl) with the given number of voices;
// the silent player when no audio device can be opened.
std::unique_ptr<WavePlayer> makeWavePlayer(std::size_t voices = 1);
// Answers like a player, plays nothing.
std::unique_ptr<WavePlayer> makeSilentWavePlayer();

}  // namespace platform
