// CShadeTable: levels x 256 palette indices. Row j maps every palette colour
// into the range between a base and a top colour and then moves it toward
// the base by j / levels, so row 0 is the colour itself (for base black and
// top white) and the last row is nearly the base. The renderer darkens by
// distance with two such tables built through the two colour lookup tables,
// alternating them cell by cell to dither.
#pragma once

#include <cstdint>
#include <vector>

#include "arcade/imagelib/game_palette.h"

namespace arcade {

class CShadeTable {
 public:
  std::vector<std::uint8_t> table;  // levels rows of 256 entries
  std::int32_t levels = 0;

  // n levels through the first lookup table; a negative n gives |n| levels
  // through the second; 0 builds nothing. Components run from (r0, g0, b0)
  // toward (r1, g1, b1).
  void Build(const CGamePalette& palette, int n, int r0, int g0, int b0, int r1, int g1, int b1);
};

}  // namespace arcade
