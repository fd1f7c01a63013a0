// Banners: a short message written into the game's own 8-bit picture in the
// look of its score overlay. The box darkens the scene behind it and has a
// blue frame; the first line is drawn in the pixel font with the labels'
// light-blue-to-blue gradient, the second line smaller in the digits'
// yellow-to-orange gradient, each lit cell with a dark shadow as the
// labels have. The text is as large as fits in four fifths of the width
// with letters no taller than about an eighth of the frame: up to four
// pixels a font cell in a full-size frame, three in the halved Normal one.
//
// The picture is the renderer's frame after its output pass (row 0 at the
// bottom); the banner goes over whatever was rendered. Which banner a
// moment shows, and its words, are the shell's.
#pragma once

#include <string>

#include "arcade/imagelib/game_palette.h"
#include "arcade/imagelib/indexed_image.h"

namespace arcade {

struct BannerText {
  std::string title;
  std::string detail;  // may be empty
  // Near the bottom edge, out of the play's way, instead of over the
  // middle of the playfield.
  bool low = false;
};

// Where a banner stands, in picture pixels counted from the top row.
struct BannerBox {
  int x = 0, y = 0, width = 0, height = 0;
  int titleScale = 1, detailScale = 1;
};

inline constexpr Rgb kBannerTitleTop{170, 240, 255}, kBannerTitleBottom{40, 110, 230};
inline constexpr Rgb kBannerDetailTop{255, 250, 150}, kBannerDetailBottom{240, 120, 20};
inline constexpr Rgb kBannerShadow{40, 20, 10};
inline constexpr Rgb kBannerFrame{40, 110, 230};

// The box for text in a picture of which visibleWidth columns are shown
// and height rows: centred across, its middle 35 % down from the top (a
// low banner: its bottom a twentieth of the height above the bottom edge).
BannerBox LayoutBanner(int visibleWidth, int height, const BannerText& text);

// Writes the banner into the first width x height bytes of picture.
// Characters the font lacks are left blank.
BannerBox DrawBanner(CIndexedImage& picture, int visibleWidth, const CGamePalette& palette,
                     const BannerText& text);

}  // namespace arcade
