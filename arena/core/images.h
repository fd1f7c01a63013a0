// Image ids of the arena game and the one table of their pixel sizes.
//
// Pictures are addressed by number. The table gives each picture's width and
// height; sprites take their rectangle from it, the overlay layout uses the
// label sizes, and the artwork generator draws each picture at exactly this
// size. The heading tables map a heading to the hero's picture, the hero's hit
// picture, the droid's two animation frames and the destroyed droid pictures.
// No pixels live here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "arena/core/geometry.h"

namespace arena {

// Headings are stored as the virtual-key code of the key that moves the hero
// that way (droids keep this code as their heading).
enum class Heading : int32_t {
  UpRight = 33,
  DownRight = 34,
  DownLeft = 35,
  UpLeft = 36,
  Left = 37,
  Up = 38,
  Right = 39,
  Down = 40,
};

bool isHeadingCode(int32_t code);
// Horizontal component (-1, 0, +1) and vertical component (-1 up, +1 down).
int32_t headingDx(Heading heading);
int32_t headingDy(Heading heading);
bool isDiagonal(Heading heading);

namespace image {
inline constexpr int32_t kPalette = 130;
inline constexpr int32_t kBackground = 131;
inline constexpr int32_t kHeroStart = 146;
inline constexpr int32_t kWaveOfLife = 202;
inline constexpr int32_t kDoubleWhiteLightning = 204;
inline constexpr int32_t kWildFire = 206;
inline constexpr int32_t kShotRed = 180;
inline constexpr int32_t kShotGreen = 181;
inline constexpr int32_t kShotBlue = 182;
inline constexpr int32_t kShotYellow = 183;
inline constexpr int32_t kShotWhite = 205;
inline constexpr int32_t kTitle = 229;
inline constexpr int32_t kRankNames = 230;
inline constexpr int32_t kScoreDigits = 231;
inline constexpr int32_t kScoreLabel = 232;
inline constexpr int32_t kGardenLabel = 233;
inline constexpr int32_t kGardenDigits = 234;
inline constexpr int32_t kRankLabel = 235;
inline constexpr int32_t kLivesLabel = 236;
inline constexpr int32_t kLife = 237;
inline constexpr int32_t kGameOver = 240;
inline constexpr int32_t kLifeLostBanner = 241;
inline constexpr int32_t kGardenClearedBanner = 242;
// Colours of the shield square (row 0) and the fire ring (row 1), one per
// column, taken in turn as the square or the ring grows.
inline constexpr int32_t kGlowColours = 243;
inline constexpr int32_t kTileDefault = 167;
}  // namespace image

enum class ImageKind {
  Palette,
  Background,
  Hero,
  HeroHit,
  Droid,
  DroidDestroyed,
  Tile,
  PowerUp,
  Shot,
  Overlay,
  Colours,  // a strip of palette colours, not drawn as a picture
};

struct ImageInfo {
  int32_t id;
  int32_t width;
  int32_t height;
  ImageKind kind;
};

// Every picture of the game in ascending id order.
std::span<const ImageInfo> allImages();
// The size of a picture, or nothing for an id that names no picture.
std::optional<Size> imageSize(int32_t id);

int32_t heroImage(Heading heading);
// The heading a hero picture shows, or nothing for any other id.
std::optional<Heading> heroHeading(int32_t imageId);
// The hit picture for a hero picture; any other id is returned unchanged.
int32_t heroHitImage(int32_t heroImageId);
// The droid frame for a move with the given phase (0 or 1).
int32_t droidFrame(Heading heading, int32_t phase);
// The destroyed picture of a droid frame; any other id is returned unchanged.
int32_t droidDestroyedImage(int32_t frameId);

}  // namespace arena
