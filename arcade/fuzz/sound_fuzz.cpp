// Feeds arbitrary bytes as a sound resource to the sound system. The first
// two bytes choose the direction and loudness; the rest is the resource. A
// resource that does not read as a PCM WAVE with samples must play nothing;
// one that does must give a mixed image that reads as 8-bit stereo at
// 22,050 Hz, no longer than the mixing buffer, the source plus the delay.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "arcade/sound/sound_system.h"
#include "arcade/sound/wave_image.h"
#include "platform/wave_file.h"

namespace {

struct Recorder : platform::WavePlayer {
  bool playMemory(std::span<const std::uint8_t> image, platform::PlayOptions options) override {
    ++plays;
    loop = options.loop;
    last.assign(image.begin(), image.end());
    return true;
  }
  void stop() override {}
  bool isPlaying() const override { return false; }
  bool hasDevice() const override { return true; }
  int plays = 0;
  bool loop = false;
  std::vector<std::uint8_t> last;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const double pan = (data[0] - 128) / 100.0;  // a little beyond -1..1 either way
  const double volume = data[1] / 200.0;
  arcade::MemoryResources resources;
  resources.Add(arcade::ResourceType::Wave, 2000, std::vector<std::uint8_t>(data + 2, data + size));
  auto recorder = std::make_unique<Recorder>();
  Recorder& played = *recorder;
  arcade::CSoundSystem sound(resources, std::move(recorder));

  std::vector<std::uint8_t> resource(data + 2, data + size);
  const auto source = arcade::effectSamples(resource);
  sound.PlayEffect(2000, pan, 1.0, volume);
  if (!source) {
    if (played.plays != 0) std::abort();
  } else {
    if (played.plays != 1 || played.loop) std::abort();
    const platform::WaveData mixed = platform::parseWave(played.last);
    if (mixed.error != platform::WaveError::Ok || mixed.format.channels != 2 ||
        mixed.format.bitsPerSample != 8 || mixed.format.sampleRate != 22050)
      std::abort();
    // The sound sits at (pan, 1) relative to the listener.
    const arcade::MixPlacement place =
        arcade::placeEffect(pan / std::sqrt(pan * pan + 1.0), volume);
    const std::size_t delay =
        static_cast<std::size_t>(std::max(place.leftDelayUs, place.rightDelayUs));
    if (mixed.frames() != std::min<std::size_t>(source->size() + delay, 22050)) std::abort();
  }

  sound.StartTitleMusic();  // no music resource: nothing
  if (sound.HasMusic()) std::abort();
  sound.PlayMusic(2000);
  const platform::WaveData asMusic = platform::parseWave(resource);
  const bool playable = asMusic.error == platform::WaveError::Ok && asMusic.frames() > 0;
  if (sound.HasMusic() != playable) std::abort();
  return 0;
}
