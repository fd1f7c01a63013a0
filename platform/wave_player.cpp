#include "platform/wave_player.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/wave_file.h"

namespace platform {
namespace {

// Sound files beyond this are not sounds this suite plays; refusing them
// keeps a stray huge file from being read into memory.
constexpr std::uintmax_t kMaxWaveFileBytes = 64u << 20;

class SilentWavePlayer : public WavePlayer {
 public:
  bool playMemory(std::span<const std::uint8_t> waveImage, PlayOptions) override {
    return parseWave(waveImage).error == WaveError::Ok;
  }
  void stop() override {}
  bool isPlaying() const override { return false; }
  bool hasDevice() const override { return false; }
};

}  // namespace

bool WavePlayer::playFile(const std::filesystem::path& file, PlayOptions options) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec || size > kMaxWaveFileBytes) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  return playMemory(bytes, options);
}

std::unique_ptr<WavePlayer> makeSilentWavePlayer() {
  return std::make_unique<SilentWavePlayer>();
}

}  // namespace platform
