#include "arcade/imagelib/game_palette.h"

#include <gtest/gtest.h>

#include "arcade/imagelib/resources.h"
#include "support/fakes.h"

namespace arcade {
namespace {

int squared(Rgb a, int r, int g, int b) {
  return (a.r - r) * (a.r - r) + (a.g - g) * (a.g - g) + (a.b - b) * (a.b - b);
}

TEST(GamePalette, TableHoldsTheGivenEntries) {
  const CGamePalette pal;
  EXPECT_EQ(pal.Entry(0), (Rgb{0, 0, 0}));
  EXPECT_EQ(pal.Entry(9), (Rgb{0xA6, 0xCA, 0xF0}));
  EXPECT_EQ(pal.Entry(10), (Rgb{0x86, 0xA9, 0xB2}));
  EXPECT_EQ(pal.Entry(66), (Rgb{0xFF, 0x40, 0x00}));
  EXPECT_EQ(pal.Entry(146), (Rgb{0xC0, 0xFF, 0xFF}));
  EXPECT_EQ(pal.Entry(147), (Rgb{0xA3, 0x8C, 0x77}));
  EXPECT_EQ(pal.Entry(198), (Rgb{0x08, 0xE1, 0x40}));
  EXPECT_EQ(pal.Entry(229), (Rgb{0x30, 0x90, 0x18}));
  EXPECT_EQ(pal.Entry(245), (Rgb{0xFC, 0xFC, 0xFC}));
  EXPECT_EQ(pal.Entry(246), (Rgb{0xFF, 0xFB, 0xF0}));
  EXPECT_EQ(pal.Entry(250), (Rgb{0x00, 0xFF, 0x00}));
  EXPECT_EQ(pal.Entry(255), (Rgb{0xFF, 0xFF, 0xFF}));
}

TEST(GamePalette, FirstTableGivesNearestEntryBySquaredDistanceLowestIndexOnTies) {
  const CGamePalette pal;
  for (int c = 0; c < kLookupTableEntries; c += 97) {
    const int r = (c & 31) * 8, g = ((c >> 5) & 31) * 8, b = ((c >> 10) & 31) * 8;
    const int got = pal.Nearest(r, g, b);
    const int d = squared(pal.Entry(got), r, g, b);
    for (int i = 0; i < kPaletteSize; ++i) {
      const int di = squared(pal.Entry(i), r, g, b);
      ASSERT_TRUE(di > d || (di == d && i >= got)) << "colour " << c << " entry " << i;
    }
  }
  EXPECT_EQ(pal.Nearest(255, 255, 255), 245);  // (248, 248, 248) lies nearer FCFCFC than FFFFFF
  EXPECT_EQ(pal.Nearest(0, 0, 0), 0);
}

TEST(GamePalette, SecondTableUsesOnlyTheGameColours) {
  const CGamePalette pal;
  for (int c = 0; c < kLookupTableEntries; c += 61) {
    const int r = (c & 31) * 8, g = ((c >> 5) & 31) * 8, b = ((c >> 10) & 31) * 8;
    const int got = pal.Nearest(r, g, b, LookupTable::Second);
    ASSERT_GE(got, kFirstGameColour);
    ASSERT_LE(got, kLastGameColour);
    for (int i = kFirstGameColour; i <= kLastGameColour; ++i) {
      ASSERT_GE(squared(pal.Entry(i), r, g, b), squared(pal.Entry(got), r, g, b));
    }
  }
  EXPECT_NE(pal.Nearest(0, 0, 0, LookupTable::Second), 0);
}

TEST(GamePalette, ComponentsOutsideTheByteRangeAreHeldAtTheNearerEnd) {
  const CGamePalette pal;
  for (LookupTable t : {LookupTable::First, LookupTable::Second}) {
    EXPECT_EQ(pal.Nearest(256, 0, 0, t), pal.Nearest(255, 0, 0, t));
    EXPECT_EQ(pal.Nearest(0, 300, 0, t), pal.Nearest(0, 255, 0, t));
    EXPECT_EQ(pal.Nearest(0, 0, 1000000, t), pal.Nearest(0, 0, 255, t));
    EXPECT_EQ(pal.Nearest(-8, 128, 64, t), pal.Nearest(0, 128, 64, t));
    EXPECT_EQ(pal.Nearest(-1000000, -1, -255, t), pal.Nearest(0, 0, 0, t));
    EXPECT_EQ(pal.Nearest(-5, 999, 128, t), pal.Nearest(0, 255, 128, t));
  }
}

TEST(GamePalette, ConvertsBlueGreenRedTripletsThroughEitherTable) {
  const CGamePalette pal;
  const std::uint8_t bgr[] = {0, 0, 255, 255, 0, 0, 0, 0, 0};
  std::uint8_t out[3] = {};
  pal.ConvertBgr(bgr, out);
  EXPECT_EQ(out[0], pal.Nearest(255, 0, 0));
  EXPECT_EQ(out[1], pal.Nearest(0, 0, 255));
  EXPECT_EQ(out[2], 0);
  pal.ConvertBgr(bgr, out, LookupTable::Second);
  EXPECT_EQ(out[2], pal.Nearest(0, 0, 0, LookupTable::Second));
}

TEST(GamePalette, LookupResourceIsUsedOnlyWithTheRightSize) {
  CGamePalette pal;
  MemoryResources res;
  EXPECT_FALSE(pal.LoadLookup(res));
  res.Add(ResourceType::Wave, kLookupResourceId, std::vector<std::uint8_t>(1000, 7));
  EXPECT_FALSE(pal.LoadLookup(res));
  EXPECT_EQ(pal.Nearest(255, 0, 0), CGamePalette().Nearest(255, 0, 0));
  std::vector<std::uint8_t> marked(kLookupResourceBytes, 42);
  res.Add(ResourceType::Wave, kLookupResourceId, marked);
  EXPECT_TRUE(pal.LoadLookup(res));
  EXPECT_EQ(pal.Nearest(255, 0, 0), 42);
}

TEST(GamePalette, GeneratedLookupResourceEqualsTheComputedTables) {
  std::vector<std::uint8_t> generated;
  ASSERT_TRUE(DirectoryResources(testing::artDirectory()).Load(ResourceType::Wave, 12, generated));
  EXPECT_EQ(generated, buildColourLookupResource());
}

}  // namespace
}  // namespace arcade
