// The SDL2 audio back end of WavePlayer: one device opened for 16-bit stereo,
// a callback that mixes the voices playing (each converted once when it
// starts) and fills silence after their end.

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sound_mixer.h"
#include "platform/wave_file.h"
#include "platform/wave_player.h"

namespace platform {
namespace {

constexpr int kPreferredRate = 44100;
constexpr Uint16 kBufferFrames = 1024;

class SdlWavePlayer : public WavePlayer {
 public:
  explicit SdlWavePlayer(std::size_t voices) : m_mixer(voices) {}
  SdlWavePlayer(const SdlWavePlayer&) = delete;
  SdlWavePlayer& operator=(const SdlWavePlayer&) = delete;
  ~SdlWavePlayer() override {
    if (m_device != 0) SDL_CloseAudioDevice(m_device);
    if (m_initialised) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  // False when there is no audio device to play on.
  bool open() {
    m_initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!m_initialised) return false;
    SDL_AudioSpec want{};
    want.freq = kPreferredRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kBufferFrames;
    want.callback = &SdlWavePlayer::audioCallback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // Any rate the device prefers is fine (sounds are converted to it);
    // format and channels SDL converts for us.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (m_device == 0) return false;
    m_rate = have.freq;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
  }

  bool playMemory(std::span<const std::uint8_t> waveImage, PlayOptions options) override {
    const WaveData wave = parseWave(waveImage);
    if (wave.error != WaveError::Ok) return false;
    // Convert before taking the lock: the audio thread never waits for it.
    std::vector<std::int16_t> stream = toStereo16(wave, static_cast<std::uint32_t>(m_rate));
    std::vector<std::int16_t> displaced;
    SDL_LockAudioDevice(m_device);
    const bool started = m_mixer.start(std::move(stream), options.loop, options.noWait, displaced);
    SDL_UnlockAudioDevice(m_device);
    // The displaced sound, if any, is freed here, outside the lock.
    return started;
  }

  void stop() override {
    std::vector<std::vector<std::int16_t>> old;
    SDL_LockAudioDevice(m_device);
    m_mixer.stop(old);
    SDL_UnlockAudioDevice(m_device);
  }

  bool isPlaying() const override {
    SDL_LockAudioDevice(m_device);
    const bool playing = m_mixer.playing() > 0;
    SDL_UnlockAudioDevice(m_device);
    return playing;
  }

  bool hasDevice() const override { return true; }

  static void SDLCALL audioCallback(void* user, Uint8* out, int length) {
    static_cast<SdlWavePlayer*>(user)->fill(
        reinterpret_cast<std::int16_t*>(out),
        static_cast<std::size_t>(length) / sizeof(std::int16_t));
  }

 private:
  // Runs on the audio thread with the device locked.
  void fill(std::int16_t* out, std::size_t count) { m_mixer.mix(out, count); }

  bool m_initialised = false;
  SDL_AudioDeviceID m_device = 0;
  int m_rate = kPreferredRate;
  SoundMixer m_mixer;
};

}  // namespace

std::unique_ptr<WavePlayer> makeWavePlayer(std::size_t voices) {
  auto player = std::make_unique<SdlWavePlayer>(voices);
  if (!player->open()) return makeSilentWavePlayer();
  return player;
}

}  // namespace platform
