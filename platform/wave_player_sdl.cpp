// The SDL2 audio back end of WavePlayer: one device opened for 16-bit stereo,
// a callback that copies the current sound (converted once when it starts)
// and fills silence after its end.

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/wave_file.h"
#include "platform/wave_player.h"

namespace platform {
namespace {

constexpr int kPreferredRate = 44100;
constexpr Uint16 kBufferFrames = 1024;

class SdlWavePlayer : public WavePlayer {
 public:
  SdlWavePlayer() = default;
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
    SDL_LockAudioDevice(m_device);
    const bool busy = m_playing;
    if (!(options.noWait && busy)) {
      m_stream.swap(stream);
      m_position = 0;
      m_loop = options.loop;
      m_playing = !m_stream.empty();
    }
    SDL_UnlockAudioDevice(m_device);
    // The old sound, if any, is freed here, outside the lock.
    return !(options.noWait && busy);
  }

  void stop() override {
    std::vector<std::int16_t> old;
    SDL_LockAudioDevice(m_device);
    old.swap(m_stream);
    m_playing = false;
    SDL_UnlockAudioDevice(m_device);
  }

  bool isPlaying() const override {
    SDL_LockAudioDevice(m_device);
    const bool playing = m_playing;
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
  void fill(std::int16_t* out, std::size_t count) {
    std::size_t written = 0;
    while (m_playing && written < count) {
      const std::size_t n = std::min(count - written, m_stream.size() - m_position);
      std::memcpy(out + written, m_stream.data() + m_position, n * sizeof(std::int16_t));
      written += n;
      m_position += n;
      if (m_position == m_stream.size()) {
        m_position = 0;
        m_playing = m_loop;
      }
    }
    std::fill(out + written, out + count, std::int16_t{0});
  }

  bool m_initialised = false;
  SDL_AudioDeviceID m_device = 0;
  int m_rate = kPreferredRate;
  std::vector<std::int16_t> m_stream;  // interleaved stereo at m_rate
  std::size_t m_position = 0;
  bool m_loop = false;
  bool m_playing = false;
};

}  // namespace

std::unique_ptr<WavePlayer> makeWavePlayer() {
  auto player = std::make_unique<SdlWavePlayer>();
  if (!player->open()) return makeSilentWavePlayer();
  return player;
}

}  // namespace platform
