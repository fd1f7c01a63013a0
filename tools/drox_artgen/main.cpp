// drox-artgen: writes every picture of the arena game, at exactly the size
// of the game's image table, as 8-bit bitmaps "bitmap_<id>.bmp" with the game
// palette as colour table and black (index 0) where the picture is
// transparent. Two runs write identical files.
//
// Usage: drox-artgen <output directory>
#include <cstdio>
#include <filesystem>

#include "arena/core/images.h"
#include "art.h"

namespace {

using arena::Heading;
using arena::ImageInfo;
using arena::ImageKind;

Heading headingOf(int code) {
  return static_cast<Heading>(code);
}

QImage heroHit(const ImageInfo& info) {
  for (int code = 33; code <= 40; ++code) {
    if (arena::heroHitImage(arena::heroImage(headingOf(code))) == info.id) {
      return drox_art::hero(info.width, info.height, code, true);
    }
  }
  return {};
}

QImage droidPicture(const ImageInfo& info, bool destroyed) {
  for (int code = 33; code <= 40; ++code) {
    for (int phase = 0; phase < 2; ++phase) {
      int id = arena::droidFrame(headingOf(code), phase);
      if (destroyed) id = arena::droidDestroyedImage(id);
      if (id == info.id) return drox_art::droid(info.width, info.height, code, phase, destroyed);
    }
  }
  return {};
}

QImage overlay(const ImageInfo& info) {
  using namespace drox_art;
  switch (info.id) {
    case 229:
      return title(info.width, info.height);
    case 230:
      return rankNames(info.width, info.height);
    case 231:
      return digits(info.width, info.height, false);
    case 232:
      return label(info.width, info.height, "Score:");
    case 233:
      return label(info.width, info.height, "Gardens:");
    case 234:
      return digits(info.width, info.height, true);
    case 235:
      return label(info.width, info.height, "Rank:");
    case 236:
      return label(info.width, info.height, "Heros:");
    case 237:
      return lifeIcon(info.width, info.height);
    case 240:
      return gameOverBanner(info.width, info.height);
    case 241:
      return lifeLostBanner(info.width, info.height);
    case 242:
      return gardenClearedBanner(info.width, info.height);
    default:
      return {};
  }
}

QImage picture(const ImageInfo& info) {
  using namespace drox_art;
  switch (info.kind) {
    case ImageKind::Palette:
      return paletteCarrier();
    case ImageKind::Background:
      return background(info.width, info.height);
    case ImageKind::Hero:
      return hero(info.width, info.height, static_cast<int>(*arena::heroHeading(info.id)), false);
    case ImageKind::HeroHit:
      return heroHit(info);
    case ImageKind::Droid:
      return droidPicture(info, false);
    case ImageKind::DroidDestroyed:
      return droidPicture(info, true);
    case ImageKind::Tile:
      return wallTile(info.id);
    case ImageKind::PowerUp:
      return powerUp(info.id, 100);
    case ImageKind::Shot:
      return shot(info.id);
    case ImageKind::Overlay:
      return overlay(info);
    case ImageKind::Colours:
      return glowColours(info.width, info.height);
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: drox-artgen <output directory>\n");
    return 2;
  }
  const std::filesystem::path dir(argv[1]);
  std::filesystem::create_directories(dir);
  bool ok = true;
  for (const ImageInfo& info : arena::allImages()) {
    const QImage image = picture(info);
    if (image.width() != info.width || image.height() != info.height) {
      std::fprintf(stderr, "drox-artgen: picture %d has no artwork of %dx%d\n", info.id, info.width,
                   info.height);
      ok = false;
      continue;
    }
    const auto path = dir / ("bitmap_" + std::to_string(info.id) + ".bmp");
    const auto bytes = drox_art::encodeBitmap(info.width, info.height, drox_art::toIndices(image));
    if (!drox_art::writeFile(path.string(), bytes)) {
      std::fprintf(stderr, "drox-artgen: cannot write %s\n", path.c_str());
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
