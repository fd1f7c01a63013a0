// vortexia-artgen: writes the arcade game's bitmap resources and its colour
// lookup resource into a directory, named as the program's resources are
// addressed ("bitmap_<id>.bmp", "wave_<id>.bin"). Every bitmap is 8 bits per
// pixel with the game palette as its full 256-entry colour table and a width
// that is a multiple of 4, so the image library loads it unchanged.
//
// Usage: vortexia-artgen <output directory>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "arcade/imagelib/game_palette.h"
#include "arcade/imagelib/resources.h"
#include "art.h"

namespace {

bool write(const std::filesystem::path& dir, int id, const QImage& image,
           const artgen::Quantise& q) {
  const auto path = dir / arcade::resourceFileName(arcade::ResourceType::Bitmap, id);
  if (!artgen::writeBitmap(path.string(), image, q)) {
    std::fprintf(stderr, "vortexia-artgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vortexia-artgen <output directory>\n");
    return 2;
  }
  const std::filesystem::path dir(argv[1]);
  std::filesystem::create_directories(dir);
  bool ok = true;
  const artgen::Quantise plain;
  for (int id = 1002; id <= 1011; ++id) ok = write(dir, id, artgen::texture(id), plain) && ok;
  ok = write(dir, 1250, artgen::enhancementBox(), plain) && ok;
  artgen::Quantise overlay;
  overlay.dither = false;
  overlay.transparentIndex = 0;
  ok = write(dir, 1251, artgen::scoreLabels(false), overlay) && ok;
  ok = write(dir, 1252, artgen::scoreLabels(true), overlay) && ok;
  ok = write(dir, 1253, artgen::digitStrip(false), overlay) && ok;
  ok = write(dir, 1254, artgen::digitStrip(true), overlay) && ok;
  artgen::Quantise keyed;
  keyed.transparentIndex = 250;
  ok = write(dir, 1255, artgen::ball(), keyed) && ok;
  ok = write(dir, 1299, artgen::titleBackdrop(), plain) && ok;

  const auto lookup = arcade::buildColourLookupResource();
  std::ofstream out(
      dir / arcade::resourceFileName(arcade::ResourceType::Wave, arcade::kLookupResourceId),
      std::ios::binary);
  out.write(reinterpret_cast<const char*>(lookup.data()),
            static_cast<std::streamsize>(lookup.size()));
  ok = static_cast<bool>(out) && ok;
  return ok ? 0 : 1;
}
