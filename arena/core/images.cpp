#include "arena/core/images.h"

#include <algorithm>
#include <array>

namespace arena {
namespace {

using K = ImageKind;

// Hero pictures stand upright when heading up or down, lie wide when heading
// left or right and are square on the diagonals; hit pictures keep the size of
// the picture they replace so that a hit never moves the hero's edges. Droid
// frames follow the same idea at droid scale.
constexpr std::array kImages = {
    ImageInfo{130, 8, 8, K::Palette},
    ImageInfo{131, 478, 642, K::Background},
    ImageInfo{134, 60, 84, K::Hero},
    ImageInfo{139, 60, 84, K::Hero},
    ImageInfo{141, 84, 60, K::Hero},
    ImageInfo{142, 84, 60, K::Hero},
    ImageInfo{143, 76, 76, K::Hero},
    ImageInfo{144, 76, 76, K::Hero},
    ImageInfo{145, 76, 76, K::Hero},
    ImageInfo{146, 76, 76, K::Hero},
    ImageInfo{151, 106, 106, K::Droid},
    ImageInfo{152, 106, 106, K::Droid},
    ImageInfo{153, 106, 106, K::Droid},
    ImageInfo{154, 106, 106, K::Droid},
    ImageInfo{155, 106, 106, K::Droid},
    ImageInfo{156, 106, 106, K::Droid},
    ImageInfo{157, 106, 106, K::Droid},
    ImageInfo{158, 106, 106, K::Droid},
    ImageInfo{159, 96, 110, K::Droid},
    ImageInfo{160, 96, 110, K::Droid},
    ImageInfo{161, 96, 110, K::Droid},
    ImageInfo{162, 96, 110, K::Droid},
    ImageInfo{163, 114, 96, K::Droid},
    ImageInfo{164, 114, 96, K::Droid},
    ImageInfo{165, 114, 96, K::Droid},
    ImageInfo{166, 114, 96, K::Droid},
    ImageInfo{167, 100, 100, K::Tile},
    ImageInfo{180, 8, 8, K::Shot},
    ImageInfo{181, 8, 8, K::Shot},
    ImageInfo{182, 8, 8, K::Shot},
    ImageInfo{183, 8, 8, K::Shot},
    ImageInfo{186, 114, 96, K::DroidDestroyed},
    ImageInfo{187, 114, 96, K::DroidDestroyed},
    ImageInfo{188, 106, 106, K::DroidDestroyed},
    ImageInfo{189, 106, 106, K::DroidDestroyed},
    ImageInfo{190, 96, 110, K::DroidDestroyed},
    ImageInfo{191, 96, 110, K::DroidDestroyed},
    ImageInfo{192, 106, 106, K::DroidDestroyed},
    ImageInfo{193, 106, 106, K::DroidDestroyed},
    ImageInfo{194, 106, 106, K::DroidDestroyed},
    ImageInfo{195, 106, 106, K::DroidDestroyed},
    ImageInfo{196, 96, 110, K::DroidDestroyed},
    ImageInfo{197, 96, 110, K::DroidDestroyed},
    ImageInfo{198, 106, 106, K::DroidDestroyed},
    ImageInfo{199, 106, 106, K::DroidDestroyed},
    ImageInfo{200, 114, 96, K::DroidDestroyed},
    ImageInfo{201, 114, 96, K::DroidDestroyed},
    ImageInfo{202, 100, 100, K::PowerUp},
    ImageInfo{204, 100, 100, K::PowerUp},
    ImageInfo{205, 8, 8, K::Shot},
    ImageInfo{206, 100, 100, K::PowerUp},
    ImageInfo{210, 100, 100, K::Tile},
    ImageInfo{211, 100, 100, K::Tile},
    ImageInfo{213, 100, 100, K::Tile},
    ImageInfo{214, 100, 100, K::Tile},
    ImageInfo{216, 100, 100, K::Tile},
    ImageInfo{217, 100, 100, K::Tile},
    ImageInfo{218, 84, 60, K::HeroHit},
    ImageInfo{219, 60, 84, K::HeroHit},
    ImageInfo{220, 76, 76, K::HeroHit},
    ImageInfo{221, 76, 76, K::HeroHit},
    ImageInfo{222, 60, 84, K::HeroHit},
    ImageInfo{223, 76, 76, K::HeroHit},
    ImageInfo{224, 84, 60, K::HeroHit},
    ImageInfo{225, 76, 76, K::HeroHit},
    ImageInfo{229, 390, 288, K::Overlay},
    ImageInfo{230, 146, 280, K::Overlay},
    ImageInfo{231, 150, 21, K::Overlay},
    ImageInfo{232, 116, 31, K::Overlay},
    ImageInfo{233, 164, 45, K::Overlay},
    ImageInfo{234, 150, 21, K::Overlay},
    ImageInfo{235, 116, 42, K::Overlay},
    ImageInfo{236, 126, 32, K::Overlay},
    ImageInfo{237, 40, 35, K::Overlay},
    ImageInfo{240, 158, 22, K::Overlay},
    ImageInfo{241, 300, 100, K::Overlay},
    ImageInfo{242, 300, 100, K::Overlay},
    ImageInfo{243, 16, 2, K::Colours},
};

// One row per heading code 33..40: hero, hero hit, droid frame for a move with
// phase 1, with phase 0, and the destroyed pictures of those two frames.
struct HeadingRow {
  int32_t hero;
  int32_t heroHit;
  int32_t frame1;
  int32_t frame0;
  int32_t destroyed1;
  int32_t destroyed0;
};

constexpr std::array<HeadingRow, 8> kHeadings = {{
    {143, 220, 158, 157, 189, 188},  // up-right
    {146, 225, 153, 151, 195, 194},  // down-right
    {145, 223, 154, 152, 199, 198},  // down-left
    {144, 221, 156, 155, 193, 192},  // up-left
    {142, 224, 165, 166, 201, 200},  // left
    {139, 219, 162, 161, 191, 190},  // up
    {141, 218, 164, 163, 187, 186},  // right
    {134, 222, 159, 160, 197, 196},  // down
}};

const HeadingRow& row(Heading heading) {
  return kHeadings[static_cast<size_t>(static_cast<int32_t>(heading) - 33)];
}

}  // namespace

bool isHeadingCode(int32_t code) {
  return code >= 33 && code <= 40;
}

int32_t headingDx(Heading heading) {
  switch (heading) {
    case Heading::UpRight:
    case Heading::DownRight:
    case Heading::Right:
      return 1;
    case Heading::DownLeft:
    case Heading::UpLeft:
    case Heading::Left:
      return -1;
    default:
      return 0;
  }
}

int32_t headingDy(Heading heading) {
  switch (heading) {
    case Heading::UpRight:
    case Heading::UpLeft:
    case Heading::Up:
      return -1;
    case Heading::DownRight:
    case Heading::DownLeft:
    case Heading::Down:
      return 1;
    default:
      return 0;
  }
}

bool isDiagonal(Heading heading) {
  return headingDx(heading) != 0 && headingDy(heading) != 0;
}

std::span<const ImageInfo> allImages() {
  return kImages;
}

std::optional<Size> imageSize(int32_t id) {
  auto it = std::lower_bound(kImages.begin(), kImages.end(), id,
                             [](const ImageInfo& info, int32_t key) { return info.id < key; });
  if (it == kImages.end() || it->id != id) return std::nullopt;
  return Size{it->width, it->height};
}

int32_t heroImage(Heading heading) {
  return row(heading).hero;
}

std::optional<Heading> heroHeading(int32_t imageId) {
  for (size_t i = 0; i < kHeadings.size(); ++i) {
    if (kHeadings[i].hero == imageId) return static_cast<Heading>(static_cast<int32_t>(i) + 33);
  }
  return std::nullopt;
}

int32_t heroHitImage(int32_t heroImageId) {
  for (const HeadingRow& r : kHeadings) {
    if (r.hero == heroImageId) return r.heroHit;
  }
  return heroImageId;
}

int32_t droidFrame(Heading heading, int32_t phase) {
  return phase == 1 ? row(heading).frame1 : row(heading).frame0;
}

int32_t droidDestroyedImage(int32_t frameId) {
  for (const HeadingRow& r : kHeadings) {
    if (r.frame1 == frameId) return r.destroyed1;
    if (r.frame0 == frameId) return r.destroyed0;
  }
  return frameId;
}

}  // namespace arena
