#include "arcade/renderer/polygon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "arcade/world/trig.h"

namespace arcade {
namespace {

struct Corners {
  explicit Corners(int n) : vertices(static_cast<std::size_t>(n)) {
    for (CVertex& v : vertices) pointers.push_back(&v);
  }
  std::vector<CVertex> vertices;
  std::vector<CVertex*> pointers;
};

std::pair<int, int> texel(const CPolygon& p, int i) {
  return {p.coords[i].u >> 16, p.coords[i].v >> 16};
}

TEST(Polygon, FourCornersTakeTheWholeFrameOfAnAnimationStrip) {
  CIndexedImage strip(256, 64);
  strip.ComputeShift();
  Corners c(4);
  CPolygon p(c.pointers, true);
  p.SetTexture(&strip, 2, 4);  // frames of 64 columns; frame 2 starts at 128
  EXPECT_EQ(p.type, PolygonType::Textured);
  EXPECT_EQ(texel(p, 0), std::pair(128, 0));
  EXPECT_EQ(texel(p, 1), std::pair(128, 63));
  EXPECT_EQ(texel(p, 2), std::pair(191, 63));
  EXPECT_EQ(texel(p, 3), std::pair(191, 0));
  p.SetKey(250);
  EXPECT_EQ(p.type, PolygonType::Keyed);
  EXPECT_EQ(p.colour, 250);
  // The next animation frame keeps the key.
  p.SetTexture(&strip, 3, 4);
  EXPECT_EQ(p.type, PolygonType::Keyed);
  EXPECT_EQ(p.colour, 250);
  EXPECT_EQ(texel(p, 0), std::pair(192, 0));
}

TEST(Polygon, EightCornersTakeTheOctagonInscribedInTheFrame) {
  CIndexedImage tex(64, 64);
  Corners c(8);
  CPolygon p(c.pointers, false);
  p.SetTexture(&tex);
  // a = b = 63 x 41 / 200 = 12 around the centre (32, 32).
  const std::pair<int, int> expected[8] = {{20, 0},  {44, 0},  {63, 20}, {63, 44},
                                           {44, 63}, {20, 63}, {0, 44},  {0, 20}};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(texel(p, i), expected[i]) << i;
}

TEST(Polygon, OtherCountsTakeARegularPolygonAndTooFewCornersTakeNothing) {
  CIndexedImage tex(32, 16);
  Corners c(6);
  CPolygon p(c.pointers, false);
  p.SetTexture(&tex);
  // Radius min(32, 16) / 2 = 8 about (16, 8), corners from half a step (30 degrees).
  for (int i = 0; i < 6; ++i) {
    const int angle = 8192 / 6 / 2 + i * (8192 / 6);
    const double du = p.coords[i].u / 65536.0 - 16, dv = p.coords[i].v / 65536.0 - 8;
    EXPECT_NEAR(std::hypot(du, dv), 8.0, 0.01) << i;
    EXPECT_NEAR(du, 8 * cosine(angle).toDouble(), 0.01) << i;
  }
  Corners two(2);
  CPolygon line(two.pointers, false);
  line.SetColourByIndex(9);
  line.SetTexture(&tex);
  EXPECT_EQ(line.type, PolygonType::Flat);
  EXPECT_EQ(line.texture, nullptr);
  // No image: the polygon is textured without a texture (its fill reports
  // it), the coordinates stay as they were.
  const TexCoord before = p.coords[1];
  p.SetColourByIndex(9);
  p.SetTexture(nullptr);
  EXPECT_EQ(p.type, PolygonType::Textured);
  EXPECT_EQ(p.texture, nullptr);
  EXPECT_EQ(p.coords[1].u, before.u);
  EXPECT_EQ(p.coords[1].v, before.v);
}

TEST(Polygon, RampRecoloursEachPaletteColourIntoTheGivenRange) {
  const CGamePalette pal;
  Corners c(3);
  CPolygon p(c.pointers, false);
  p.SetRamp(pal, 64, 16, 16, 225, 64, 64);
  EXPECT_EQ(p.type, PolygonType::TranslucentDepth);
  ASSERT_TRUE(p.ramp);
  EXPECT_EQ((*p.ramp)[0], pal.Nearest(64, 16, 16));  // black lies at the dark end
  // White (255): 64 + 255 x 161 / 256 = 224, 16 + 255 x 48 / 256 = 63.
  EXPECT_EQ((*p.ramp)[255], pal.Nearest(224, 63, 63));
  p.SetRamp(pal, 0, 0, 0, 128, 128, 128, false);
  EXPECT_EQ(p.type, PolygonType::Translucent);
}

TEST(Polygon, FacingUsesTheTripleProductOfTheFirstThreeCameraPositions) {
  Corners c(3);
  auto place = [&](int i, double x, double y, double z) {
    c.vertices[i].camera = {Fixed::fromDouble(x), Fixed::fromDouble(y), Fixed::fromDouble(z)};
  };
  place(0, -1, -1, 10);
  place(1, -1, 1, 10);
  place(2, 1, 1, 10);
  CPolygon p(c.pointers, true);
  EXPECT_TRUE(p.PassesFacing());  // clockwise on screen
  place(1, 1, 1, 10);
  place(2, -1, 1, 10);
  EXPECT_FALSE(p.PassesFacing());
  // Edge-on (product 0) counts as facing.
  place(0, 0, -1, 10);
  place(1, 0, 1, 10);
  place(2, 0, 2, 20);
  EXPECT_TRUE(p.PassesFacing());
  // Bz x Ay = (-4096.0 >> 4) x (2048.0 >> 4) = -2^47, shifted: INT32_MIN, a
  // product with no negation. The difference 0 - INT32_MIN wraps to
  // INT32_MIN, so the sum is -Cx x 2^15: its sign follows -Cx.
  place(0, 0, 2048, 0);
  place(1, 0, 0, -4096);
  place(2, 1, 0, 0);
  EXPECT_FALSE(p.PassesFacing());
  place(2, -1, 0, 0);
  EXPECT_TRUE(p.PassesFacing());
}

TEST(Polygon, EdgesAreOrderedByRowAndStartClippedAtRowZero) {
  Corners c(3);
  auto screen = [&](int i, int x, int y, double z) {
    c.vertices[i].sx = x;
    c.vertices[i].sy = y;
    c.vertices[i].camera.z = Fixed::fromDouble(z);
  };
  screen(0, 10, 30, 10);
  screen(1, 40, -10, 20);
  screen(2, 0, 5, 10);
  CPolygon p(c.pointers, false);
  ASSERT_EQ(p.Prepare(false), 3);
  for (int i = 0; i < 3; ++i) EXPECT_LE(p.edges[i].startRow, p.edges[i].endRow);
  EXPECT_EQ(p.edges[0].startRow, 0);
  EXPECT_EQ(p.edges[1].startRow, 0);
  EXPECT_EQ(p.edges[2].startRow, 5);
  // Side (40, -10) -> (10, 30) over 40 rows, advanced by 10 rows: x = 32.5.
  const EdgeRecord& long_side = p.edges[0].endRow == 30 ? p.edges[0] : p.edges[1];
  EXPECT_EQ(long_side.x, (40 << 16) - 10 * ((30 << 16) / 40));
}

}  // namespace
}  // namespace arcade
