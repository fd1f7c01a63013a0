#include "arcade/imagelib/shade_table.h"

#include <algorithm>
#include <cstdlib>

namespace arcade {

namespace {

// ((c * (top - base)) >> 8) * (n - j) / n + base, kept to a colour byte.
std::uint8_t shadeComponent(int c, int base, int top, int n, int j) {
  const int v = ((c * (top - base)) >> 8) * (n - j) / n + base;
  return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

void CShadeTable::Build(const CGamePalette& palette, int n, int r0, int g0, int b0, int r1, int g1,
                        int b1) {
  if (n == 0) return;
  const LookupTable lookup = n < 0 ? LookupTable::Second : LookupTable::First;
  const int count = std::abs(n);
  levels = count;
  table.assign(static_cast<std::size_t>(count) * kPaletteSize, 0);
  for (int j = 0; j < count; ++j) {
    std::uint8_t bgr[kPaletteSize * 3];
    for (int i = 0; i < kPaletteSize; ++i) {
      const Rgb e = palette.Entry(i);
      bgr[3 * i] = shadeComponent(e.b, b0, b1, count, j);
      bgr[3 * i + 1] = shadeComponent(e.g, g0, g1, count, j);
      bgr[3 * i + 2] = shadeComponent(e.r, r0, r1, count, j);
    }
    palette.ConvertBgr(bgr,
                       {table.data() + static_cast<std::size_t>(j) * kPaletteSize,
                        static_cast<std::size_t>(kPaletteSize)},
                       lookup);
  }
}

}  // namespace arcade
