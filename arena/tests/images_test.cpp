#include "arena/core/images.h"

#include <gtest/gtest.h>

#include "arena_test_support.h"

namespace arena {
namespace {

TEST(ImageTable, IsSortedUniqueAndWithinEachKindsSizeRange) {
  int32_t previous = 0;
  for (const ImageInfo& info : allImages()) {
    EXPECT_GT(info.id, previous);
    previous = info.id;
    switch (info.kind) {
      case ImageKind::Hero:
      case ImageKind::HeroHit:
        EXPECT_TRUE(info.width >= 55 && info.width <= 86 && info.height >= 55 && info.height <= 88)
            << info.id;
        break;
      case ImageKind::Droid:
      case ImageKind::DroidDestroyed:
        EXPECT_TRUE(info.width >= 93 && info.width <= 118 && info.height >= 93 &&
                    info.height <= 113)
            << info.id;
        break;
      case ImageKind::Tile:
      case ImageKind::PowerUp:
        EXPECT_EQ(imageSize(info.id), (Size{100, 100})) << info.id;
        break;
      case ImageKind::Shot:
        EXPECT_EQ(imageSize(info.id), (Size{8, 8})) << info.id;
        break;
      default:
        break;
    }
  }
  EXPECT_FALSE(imageSize(0));
  EXPECT_FALSE(imageSize(203));
  EXPECT_EQ(imageSize(229), (Size{390, 288}));
}

TEST(ImageTable, HitAndDestroyedPicturesKeepTheSizeOfWhatTheyReplace) {
  for (int32_t code = 33; code <= 40; ++code) {
    const auto heading = static_cast<Heading>(code);
    const int32_t hero = heroImage(heading);
    EXPECT_EQ(heroHeading(hero), heading);
    EXPECT_NE(heroHitImage(hero), hero);
    EXPECT_EQ(imageSize(heroHitImage(hero)), imageSize(hero)) << code;
    for (int32_t phase : {0, 1}) {
      const int32_t frame = droidFrame(heading, phase);
      EXPECT_NE(droidDestroyedImage(frame), frame);
      EXPECT_EQ(imageSize(droidDestroyedImage(frame)), imageSize(frame)) << frame;
    }
  }
  EXPECT_EQ(heroHitImage(222), 222);
  EXPECT_EQ(droidDestroyedImage(186), 186);
  EXPECT_FALSE(heroHeading(151));
}

}  // namespace
}  // namespace arena
