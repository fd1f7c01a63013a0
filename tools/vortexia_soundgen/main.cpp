// vortexia-soundgen: writes the arcade game's sound resources into a
// directory as canonical WAVE images named as the program addresses them
// ("wave_<id>.bin"): the effects 2000..2008 and 167 (8-bit mono, 22,050 Hz)
// and the title music 159 (16-bit stereo, 22,050 Hz, one turn of a
// seamless loop). The output is the same on every run.
//
// Usage: vortexia-soundgen <output directory>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "arcade/imagelib/resources.h"
#include "arcade/sound/wave_image.h"
#include "sounds.h"

namespace {

bool write(const std::filesystem::path& dir, int id, const arcade::WaveSpec& spec,
           const std::vector<std::uint8_t>& data) {
  const auto path = dir / arcade::resourceFileName(arcade::ResourceType::Wave, id);
  const auto image = arcade::makeWaveImage(spec, data);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(image.data()),
            static_cast<std::streamsize>(image.size()));
  if (data.empty() || !out) {
    std::fprintf(stderr, "vortexia-soundgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vortexia-soundgen <output directory>\n");
    return 2;
  }
  const std::filesystem::path dir(argv[1]);
  std::filesystem::create_directories(dir);
  bool ok = true;
  for (int id : soundgen::effectIds())
    ok = write(dir, id, arcade::WaveSpec{1, arcade::kEffectRate, 8}, soundgen::effect(id)) && ok;
  ok = write(dir, 159, arcade::WaveSpec{2, arcade::kEffectRate, 16}, soundgen::titleMusic()) && ok;
  return ok ? 0 : 1;
}
