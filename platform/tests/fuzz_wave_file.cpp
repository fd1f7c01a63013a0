// Feeds arbitrary bytes to the WAVE reader and converts what it accepts:
// nothing may crash, and what comes out is bounded by what went in.

#include <cstdint>
#include <cstdlib>

#include "platform/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const platform::WaveData wave = platform::parseWave({data, size});
  if (wave.error != platform::WaveError::Ok) {
    if (!wave.samples.empty()) std::abort();
    return 0;
  }
  if (wave.samples.size() > size || wave.samples.size() % wave.format.bytesPerFrame() != 0) {
    std::abort();
  }
  const auto stream = platform::toStereo16(wave, 44100);
  const std::uint64_t expected = std::uint64_t{wave.frames()} * 44100 / wave.format.sampleRate * 2;
  if (stream.size() != expected) std::abort();
  return 0;
}
