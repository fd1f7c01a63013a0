// The world's builder operations: the arena rim and the pieces level
// layouts are made of.
#include <algorithm>
#include <array>
#include <cmath>

#include "arcade/world/block.h"
#include "arcade/world/geometry.h"
#include "arcade/world/morphoid.h"
#include "arcade/world/sphere.h"
#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {

using RimColours = std::array<std::array<int, 3>, 8>;

RimColours rimColours(int set) {
  switch (set) {
    case 0:
    case 5:
      return {{{64, 64, 160},
               {56, 56, 144},
               {48, 48, 128},
               {40, 40, 192},
               {32, 32, 96},
               {40, 40, 112},
               {48, 48, 128},
               {56, 56, 192}}};
    case 1:
    case 7:
      return {{{48, 48, 48},
               {64, 64, 64},
               {80, 80, 80},
               {96, 96, 96},
               {112, 112, 112},
               {96, 96, 96},
               {80, 80, 80},
               {64, 64, 64}}};
    case 2:
      return {{{160, 160, 64},
               {110, 110, 48},
               {160, 160, 64},
               {110, 110, 48},
               {160, 160, 64},
               {110, 110, 48},
               {160, 160, 64},
               {110, 110, 48}}};
    case 3:
      return {{{32, 128, 32},
               {32, 32, 128},
               {32, 80, 110},
               {32, 110, 80},
               {32, 128, 32},
               {32, 32, 128},
               {32, 80, 110},
               {32, 110, 80}}};
    case 4:
      return {{{96, 64, 32},
               {96, 96, 40},
               {96, 64, 32},
               {96, 96, 40},
               {96, 64, 32},
               {96, 96, 40},
               {96, 64, 32},
               {96, 96, 40}}};
    default:
      return {{{48, 48, 32},
               {64, 64, 40},
               {80, 88, 48},
               {88, 96, 64},
               {80, 112, 48},
               {64, 96, 40},
               {48, 72, 40},
               {32, 48, 32}}};
  }
}

constexpr double kRimRadius = 49.0;
constexpr double kRimInner = 6.0;
constexpr double kRimOuter = 7.0;

Vector3 rimPoint(int k, double y) {
  const int a = (k * kEighthTurn) & kAngleMask;
  const Fixed r = fx(kRimRadius);
  return {r * cosine(a), fx(y), r * sine(a)};
}

// The sorted cell bounds of a grid line: lo + (hi - lo) * i / n.
double cellEdge(double lo, double hi, int i, int n) {
  return lo + (hi - lo) * i / n;
}

}  // namespace

void CWorld::BuildRim() {
  CNode& rim = *NewNode();
  const RimColours colours = rimColours(m_level & 7);
  const CGamePalette& palette = Palette();
  for (int band = 0; band < 2; ++band) {
    const double y0 = band == 0 ? -kRimOuter : kRimInner;
    const double y1 = band == 0 ? -kRimInner : kRimOuter;
    for (int k = 0; k < 8; ++k) {
      const Vector3 a0 = rimPoint(k, y0), a1 = rimPoint(k + 1, y0);
      // Facing the centre: the front is away from a point outside the rim.
      const Vector3 outside = (a0 + a1) * Fixed::fromInt(2);
      CPolygon* p = AddOutward(rim, {a0, a1, rimPoint(k + 1, y1), rimPoint(k, y1)}, outside, true);
      const auto& c = colours[band == 0 ? k : 7 - k];
      p->SetColour(palette, c[0], c[1], c[2]);
    }
  }
  for (double y : {-kRimOuter, kRimOuter}) {
    std::vector<Vector3> octagon;
    for (int k = 0; k < 8; ++k) octagon.push_back(rimPoint(k, y));
    // The floor faces up, the ceiling down: both face the playfield.
    const Vector3 beyond{Fixed(), fx(y * 10), Fixed()};
    AddOutward(rim, octagon, beyond, true)->SetColour(palette, 128, 128, 128);
  }
}

void CWorld::Arena(double w, double d, double t, int nBack, int nHigh, int nSide, int colour) {
  xMin = -w / 2;
  xMax = w / 2;
  yMin = -kHalfHeight;
  yMax = kHalfHeight;
  const double side = w / 2 + t;
  zNear = 1.5 - std::sqrt(kArenaRadius * kArenaRadius - side * side);
  zFar = zNear + d;
  Blocks({.from = {xMin - t, yMin, zNear},
          .to = {xMin, yMax, zFar},
          .cells = {1, nHigh, nSide},
          .hp = -1,
          .colour = colour});
  Blocks({.from = {xMax, yMin, zNear},
          .to = {xMax + t, yMax, zFar},
          .cells = {1, nHigh, nSide},
          .hp = -1,
          .colour = colour});
  Blocks({.from = {xMin - 0.75, yMin, zFar},
          .to = {xMax + 0.75, yMax, zFar + t},
          .cells = {nBack, nHigh, 1},
          .hp = -1,
          .colour = colour});
}

void CWorld::Blocks(const BlockGrid& grid, CIndexedImage* texture) {
  const auto [x1, x2] = std::minmax(grid.from.x, grid.to.x);
  const auto [y1, y2] = std::minmax(grid.from.y, grid.to.y);
  const auto [z1, z2] = std::minmax(grid.from.z, grid.to.z);
  const auto [nx, ny, nz] = grid.cells;
  const int hp = grid.hp, colour = grid.colour;
  if (nx < 1 || ny < 1 || nz < 1) return;
  for (int i = 0; i < nx; ++i) {
    for (int j = 0; j < ny; ++j) {
      for (int k = 0; k < nz; ++k) {
        const Vector3 lo{fx(cellEdge(x1, x2, i, nx)), fx(cellEdge(y1, y2, j, ny)),
                         fx(cellEdge(z1, z2, k, nz))};
        const Vector3 hi{fx(cellEdge(x1, x2, i + 1, nx)), fx(cellEdge(y1, y2, j + 1, ny)),
                         fx(cellEdge(z1, z2, k + 1, nz))};
        AddSolid<CBlock>(lo, hi, hp, colour, texture);
      }
    }
  }
}

void CWorld::Tiles(const BlockGrid& grid, int textureResource) {
  Blocks(grid, Texture(textureResource));
}

void CWorld::Cage(double x, double y, double z) {
  const double h = 4.1;
  Tiles({.from = {x - h, y - h, z - h},
         .to = {x + h, y + h, z + h},
         .cells = {1, 1, 1},
         .hp = 1,
         .colour = 2},
        1004);
  Morphoid(2, x, y, z);
}

void CWorld::Box(int kind, double x, double y, double z, int flag) {
  AddSolid<CEnhancementBox>(kind, Vector3{fx(x), fx(y), fx(z)}, flag);
}

void CWorld::Sphere(int kind, double x, double y, double z) {
  AddSolid<CSphere>(kind, Vector3{fx(x), fx(y), fx(z)});
}

void CWorld::Morphoid(int kind, double x, double y, double z) {
  AddSolid<CMorphoid>(kind, Vector3{fx(x), fx(y), fx(z)});
}

double CWorld::RandomOffset() {
  return (m_random.Next() & 127) * 3.6 / 128 - 1.8;
}

}  // namespace arcade
