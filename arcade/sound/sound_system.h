// The game's sound layer: positional effects through the stereo mixer and
// the looping title music, played on the platform's wave player (SDL2
// audio, or the silent player when there is no device, so every call works
// without sound hardware). It implements the world's play-effect interface.
// Only one sound sounds at a time: an effect stops the music and any earlier
// effect. Sounds come from the program's WAVE resources by number; a missing
// or empty resource is silent. It reads no input and shows nothing.
//
// Use from the shell (one object for the whole run, made at start-up, so
// its destruction at exit is the sound shutdown):
//
//   arcade::QtResources resources;                       // embedded sounds
//   auto sound = std::make_unique<arcade::CSoundSystem>(
//       resources, platform::makeWavePlayer());
//   CWorld world(level, ..., sound.get(), &keys);        // effects in play
//   sound->StartTitleMusic();   // every title paint; does nothing while the
//                               // music copy exists
//   sound->StopTitleMusic();    // when a level starts
//   sound->SetSoundEnabled(false);  // silences everything until re-enabled
//
// The resources object must outlive the sound system.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "arcade/imagelib/resources.h"
#include "arcade/sound/stereo_mixer.h"
#include "arcade/world/world_types.h"
#include "platform/wave_player.h"

namespace arcade {

inline constexpr int kTitleMusicId = 159;

class CSoundSystem : public ISoundEffects {
 public:
  // Sound start-up: makes the mixing buffer.
  CSoundSystem(const IResources& resources, std::unique_ptr<platform::WavePlayer> player);
  // Sound shutdown: stops whatever plays before the buffers go.
  ~CSoundSystem() override;
  CSoundSystem(const CSoundSystem&) = delete;
  CSoundSystem& operator=(const CSoundSystem&) = delete;

  // x: offset to the listener's right, y: depth, volume 0..1; the pan is
  // x / sqrt(x^2 + y^2) (0 when both are 0).
  void PlayEffect(int id, double x, double y, double volume) override;

  // Copies the WAVE resource and plays it looping, unless a music copy
  // already exists (then nothing happens, even if an effect cut it off).
  void PlayMusic(int id);
  // Stops all sound and frees the music copy.
  void StopMusic();
  void StartTitleMusic() { PlayMusic(kTitleMusicId); }
  void StopTitleMusic() { StopMusic(); }
  bool HasMusic() const { return !m_music.empty(); }

  // Off: stops all sound, frees the music copy, and ignores effects and
  // music until switched on again. On by default.
  void SetSoundEnabled(bool enabled);
  bool SoundEnabled() const { return m_enabled; }
  // False when sounds go to the silent stand-in (no audio device).
  bool HasDevice() const { return m_player->hasDevice(); }

  const CMixingBuffer& Mixer() const { return m_mixer; }

 private:
  const IResources& m_resources;
  std::unique_ptr<platform::WavePlayer> m_player;
  CMixingBuffer m_mixer;
  std::vector<std::uint8_t> m_music;  // the music copy, empty when none
  bool m_enabled = true;
};

}  // namespace arcade
