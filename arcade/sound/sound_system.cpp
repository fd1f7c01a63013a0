#include "arcade/sound/sound_system.h"

#include <cmath>

#include "arcade/sound/wave_image.h"
#include "platform/wave_file.h"

namespace arcade {

CSoundSystem::CSoundSystem(const IResources& resources,
                           std::unique_ptr<platform::WavePlayer> player)
    : m_resources(resources), m_player(std::move(player)) {
  if (!m_player) m_player = platform::makeSilentWavePlayer();
}

CSoundSystem::~CSoundSystem() {
  m_player->stop();
}

void CSoundSystem::PlayEffect(int id, double x, double y, double volume) {
  if (!m_enabled) return;
  const double distance = std::sqrt(x * x + y * y);
  const double pan = distance > 0.0 && std::isfinite(distance) ? x / distance : 0.0;
  const MixPlacement placement = placeEffect(pan, volume);
  std::vector<std::uint8_t> image;
  if (!m_resources.Load(ResourceType::Wave, id, image)) return;
  const auto source = effectSamples(image);
  if (!source) return;
  // The player copies what it plays, but the buffer is still refilled only
  // after the old sound stopped.
  m_player->stop();
  m_player->playMemory(m_mixer.Mix(*source, placement));
}

void CSoundSystem::PlayMusic(int id) {
  if (!m_enabled || !m_music.empty()) return;
  std::vector<std::uint8_t> image;
  if (!m_resources.Load(ResourceType::Wave, id, image)) return;
  const platform::WaveData wave = platform::parseWave(image);
  if (wave.error != platform::WaveError::Ok || wave.frames() == 0) return;
  m_music = std::move(image);
  platform::PlayOptions options;
  options.loop = true;
  m_player->playMemory(m_music, options);
}

void CSoundSystem::StopMusic() {
  m_player->stop();
  m_music.clear();
  m_music.shrink_to_fit();
}

void CSoundSystem::SetSoundEnabled(bool enabled) {
  if (!enabled) StopMusic();
  m_enabled = enabled;
}

}  // namespace arcade
