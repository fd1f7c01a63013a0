// The output pass: depth cueing (fog levels from the cell depth), the two
// dithered shade tables, and the plain copy of the colours.
#include <cmath>

#include "arcade/renderer/renderer.h"

namespace arcade {

void CRenderer::SetFog(double k, double start) {
  m_fogBias = -Fixed::fromDouble(start).raw();
  for (int i = 0; i < kFogTableSize; ++i) {
    const int level = static_cast<int>(k * std::sqrt(static_cast<double>(i)));
    m_fogTable[i] = static_cast<std::uint8_t>(std::min(kFogLevels - 1, level));
  }
  // Beyond the limit every cell is at the last level. The limit is kept to
  // the table's reach so a small k cannot index past it.
  const double reach = k > 0 ? (15.0 / k) * (15.0 / k) : kFogTableSize;
  m_fogLimit = static_cast<std::int32_t>(std::min<double>(reach, kFogTableSize)) << 12;
}

void CRenderer::SetShadeColours(int r0, int g0, int b0, int r1, int g1, int b1) {
  CShadeTable first, second;
  first.Build(m_palette, kFogLevels, r0, g0, b0, r1, g1, b1);
  second.Build(m_palette, -kFogLevels, r0, g0, b0, r1, g1, b1);
  std::copy(first.table.begin(), first.table.end(), m_shade[0].begin());
  std::copy(second.table.begin(), second.table.end(), m_shade[1].begin());
}

void CRenderer::FogPass() {
  std::int32_t* c = cells();
  // The top-down camera hangs 150 above the playfield, beyond the whole
  // fog range: there the fog is measured from the top of the playfield
  // slab, so the view shows the level as dim as a normal view's middle
  // distance instead of black.
  const std::int32_t bias = m_topDown ? m_fogBias - kTopDownPlaneDepth.raw() : m_fogBias;
  const std::int32_t limit = m_fogLimit;
  const std::uint8_t* table = m_fogTable.data();
  for (std::int32_t i = 0; i < size; ++i) {
    const std::int32_t d = static_cast<std::int32_t>(static_cast<std::uint32_t>(c[i]) +
                                                     static_cast<std::uint32_t>(bias));
    const std::int32_t level = d <= 0 ? 0 : d < limit ? table[d >> 12] : kFogLevels - 1;
    c[i] = (c[i] & ~0xFF00) | (level << 8);
  }
}

void CRenderer::ShadedOut() {
  // Levels are 0..15, so bits 0..11 of a cell index the 4096 entries.
  // The cells are read before the byte at the same or a lower address is
  // written, so the picture can take the front of the same block.
  const std::int32_t* c = cells();
  std::uint8_t* out = pixels;
  const std::uint8_t* tables[2] = {m_shade[0].data(), m_shade[1].data()};
  for (int y = 0; y < height; ++y) {
    // The dither phase alternates by row, so the two tables form a checkerboard.
    const int phase = y & 1;
    const std::size_t row = static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const std::int32_t cell = c[row + x];
      out[row + x] = tables[(x + phase) & 1][cell & 0x0FFF];
    }
  }
}

void CRenderer::FlatOut() {
  const std::int32_t* c = cells();
  std::uint8_t* out = pixels;
  for (std::int32_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(c[i]);
}

}  // namespace arcade
