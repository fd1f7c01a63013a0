#include "arcade/imagelib/shade_table.h"

#include <gtest/gtest.h>

namespace arcade {
namespace {

int brightness(const CGamePalette& pal, int index) {
  const Rgb c = pal.Entry(index);
  return c.r + c.g + c.b;
}

TEST(ShadeTable, NegativeLevelCountUsesTheSecondTable) {
  const CGamePalette pal;
  CShadeTable t;
  t.Build(pal, -4, 0, 0, 0, 255, 255, 255);
  EXPECT_EQ(t.levels, 4);
  ASSERT_EQ(t.table.size(), 4u * 256);
  for (std::uint8_t index : t.table) {
    EXPECT_GE(index, kFirstGameColour);
    EXPECT_LE(index, kLastGameColour);
  }
}

TEST(ShadeTable, ZeroLevelsBuildNothing) {
  CShadeTable t;
  t.Build(CGamePalette(), 0, 0, 0, 0, 255, 255, 255);
  EXPECT_EQ(t.levels, 0);
  EXPECT_TRUE(t.table.empty());
}

TEST(ShadeTable, RowsDarkenTowardTheBaseColour) {
  const CGamePalette pal;
  CShadeTable t;
  t.Build(pal, 16, 0, 0, 0, 255, 255, 255);
  ASSERT_EQ(t.levels, 16);
  // Row 0 keeps a bright colour bright; the last row is 1/16 of it.
  const int white = 255;
  EXPECT_GE(brightness(pal, t.table[white]), 3 * 240);
  EXPECT_LE(brightness(pal, t.table[15 * 256 + white]), 3 * 24);
  for (int colour : {27, 70, 140, 200, 245}) {
    for (int j = 1; j < 16; ++j) {
      EXPECT_LE(brightness(pal, t.table[j * 256 + colour]),
                brightness(pal, t.table[(j - 1) * 256 + colour]) + 24)
          << "colour " << colour << " row " << j;
    }
  }
  // The rule: the new component is ((c * (top - base)) >> 8) * (n - j) / n + base.
  CShadeTable red;
  red.Build(pal, 2, 0, 0, 0, 255, 255, 255);
  EXPECT_EQ(red.table[256 + 249], pal.Nearest((255 * 255 >> 8) / 2, 0, 0));
}

}  // namespace
}  // namespace arcade
