// The level layouts: index 0 and 11..31 share the default layout, 1..10 have
// their own. Coordinates are those of the playfield (the paddle circle has
// radius 50.525, the level box stands on its negative-z side); in arena
// levels xMin .. zFar are the bounds Arena set, and f is a sixth of the box
// width (a fifth in layout 2).
#include "arcade/world/world.h"

namespace arcade {

namespace {

void layoutDefault(CWorld& w) {
  w.Arena(30, 48, 2, 3, 2, 3, 6);
  const double f = (w.xMax - w.xMin) / 6;
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 26},
           .to = {w.xMax, w.yMax, w.zFar - 20},
           .cells = {3, 2, 2},
           .hp = 1,
           .colour = 2},
          1005);
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 4},
           .to = {w.xMax, w.yMax, w.zFar - 1},
           .cells = {3, 2, 1},
           .hp = 1,
           .colour = 2},
          1005);
  w.Box(1, f, 0, w.zFar - 20, 1);
  w.Box(0, -f, 0, w.zFar - 20, 1);
  w.Sphere(0, f, 0, w.zFar - 12);
  w.Sphere(0, -f, 0, w.zFar - 12);
}

void layout1(CWorld& w) {
  w.Arena(40, 40, 2, 4, 1, 4, 6);
  const double f = (w.xMax - w.xMin) / 6;
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 9},
           .to = {w.xMax, w.yMax, w.zFar - 5},
           .cells = {3, 2, 2},
           .hp = 1,
           .colour = 2},
          1006);
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 28},
           .to = {w.xMax, w.yMax, w.zFar - 24},
           .cells = {3, 2, 1},
           .hp = 1,
           .colour = 2},
          1006);
  w.Morphoid(0, w.xMin + 7, 0, w.zFar - 17);
  w.Morphoid(0, 4.5, 0, w.zFar - 19.5);
  w.Morphoid(0, w.xMax - 7, 0, w.zFar - 17);
  w.Sphere(0, 0, 0, w.zFar - 13.5);
  w.Box(2, f, 0, w.zFar - 25, 1);
  w.Box(3, -f, 0, w.zFar - 25, 1);
}

void layout2(CWorld& w) {
  w.Arena(56, 46, 2, 4, 1, 2, 6);
  const double f = (w.xMax - w.xMin) / 5;
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 5},
           .to = {w.xMax, w.yMax, w.zFar - 1},
           .cells = {6, 2, 1},
           .hp = 1,
           .colour = 2},
          1007);
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 35},
           .to = {w.xMax, w.yMax, w.zFar - 31},
           .cells = {6, 2, 1},
           .hp = 1,
           .colour = 2},
          1007);
  for (double x : {10.0, 0.0, -10.0}) w.Sphere(1, x, 0, w.zFar - 12);
  w.Morphoid(0, w.xMin + f, 0, w.zFar - 23);
  w.Morphoid(0, w.xMin + 2 * f, 0, w.zFar - 23);
  w.Morphoid(0, w.xMax - f, 0, w.zFar - 23);
  w.Morphoid(0, w.xMax - 2 * f, 0, w.zFar - 23);
  w.Box(1, 9, 0, w.zFar - 32, 1);
  w.Box(3, 0, 0, w.zFar - 32, 1);
  w.Box(2, -9, 0, w.zFar - 32, 1);
}

void layout3(CWorld& w) {
  w.Arena(60, 60, 2, 4, 1, 3, 6);
  const int kinds[5] = {3, 5, 1, 2, 3};
  const double xs[5] = {16, 8, 0, -8, -16};
  for (int i = 0; i < 5; ++i) w.Box(kinds[i], xs[i], 0, w.zNear + 36, 1);
  for (double x : {20.0, 0.0, -20.0}) w.Morphoid(1, x, 0, w.zNear + 48);
  w.Tiles({.from = {w.xMin, w.yMin, w.zNear + 26},
           .to = {w.xMax, w.yMax, w.zNear + 32},
           .cells = {6, 2, 1},
           .hp = 1,
           .colour = 2},
          1008);
  w.Tiles({.from = {w.xMin, w.yMin, w.zNear + 52},
           .to = {w.xMax, w.yMax, w.zNear + 58},
           .cells = {6, 2, 1},
           .hp = 1,
           .colour = 2},
          1008);
  w.Box(4, 10, 0, w.zNear + 20, 1);
  w.Box(4, -10, 0, w.zNear + 20, 1);
}

// No arena: objects on all sides of the circle.
void layout4(CWorld& w) {
  w.Blocks({.from = {-4, -5.8, 0}, .to = {0, 5.8, -49}, .cells = {1, 1, 3}, .hp = -1, .colour = 6});
  w.Blocks({.from = {0, -5.8, 4}, .to = {49, 5.8, 0}, .cells = {3, 1, 1}, .hp = -1, .colour = 6});
  w.Blocks({.from = {31.5, -5.8, -31.5},
            .to = {24, 5.8, -24},
            .cells = {1, 1, 1},
            .hp = -1,
            .colour = 6});
  w.Tiles({.from = {0, -5.8, -40.4}, .to = {8, 5.8, -18}, .cells = {1, 1, 5}, .hp = 1, .colour = 8},
          1009);
  w.Tiles(
      {.from = {8, -5.8, -40.4}, .to = {16, 5.8, -18}, .cells = {1, 1, 4}, .hp = 1, .colour = 8},
      1009);
  w.Tiles(
      {.from = {16, -5.8, -34.8}, .to = {24, 5.8, -18}, .cells = {1, 1, 3}, .hp = 1, .colour = 8},
      1009);
  w.Tiles({.from = {40.4, -5.8, 0}, .to = {18, 5.8, -8}, .cells = {5, 1, 1}, .hp = 1, .colour = 8},
          1009);
  w.Tiles(
      {.from = {40.4, -5.8, -8}, .to = {18, 5.8, -16}, .cells = {4, 1, 1}, .hp = 1, .colour = 8},
      1009);
  w.Tiles(
      {.from = {34.8, -5.8, -16}, .to = {18, 5.8, -24}, .cells = {3, 1, 1}, .hp = 1, .colour = 8},
      1009);
  w.Sphere(1, 6, 1, -6);
  w.Box(3, 6, 1, -6, 0);
  w.Sphere(1, 12, -1, -6);
  w.Box(3, 12, -1, -6, 0);
  w.Sphere(1, 6, -1, -12);
  w.Box(3, 6, -1, -12, 0);
  w.Box(0, 12, 0, -39, 0);
  w.Box(0, 39, 0, -12, 0);
  w.Box(1, 12, 0, -32, 0);
  w.Box(1, 32, 0, -12, 0);
}

void layout5(CWorld& w) {
  w.Arena(50, 60, 2, 3, 1, 4, 6);
  w.Blocks({.from = {-2, w.yMin, w.zNear + 8},
            .to = {2, w.yMax, w.zFar - 16},
            .cells = {1, 1, 3},
            .hp = -1,
            .colour = 6});
  w.Tiles({.from = {w.xMin, w.yMin, w.zNear + 8},
           .to = {-2, w.yMax, w.zNear + 16},
           .cells = {3, 2, 2},
           .hp = 1,
           .colour = 2},
          1010);
  w.Tiles({.from = {w.xMax, w.yMin, w.zNear + 8},
           .to = {2, w.yMax, w.zNear + 16},
           .cells = {3, 2, 2},
           .hp = 1,
           .colour = 2},
          1010);
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 8},
           .to = {w.xMax, w.yMax, w.zFar},
           .cells = {6, 2, 2},
           .hp = 1,
           .colour = 2},
          1010);
  w.Sphere(2, w.xMin / 2, 0, w.zFar - 34);
  w.Sphere(2, w.xMin / 2, 0, w.zFar - 42);
  w.Sphere(2, w.xMax / 2, 0, w.zFar - 34);
  w.Sphere(2, w.xMax / 2, 0, w.zFar - 42);
  w.Box(1, w.xMin + 15, -2.5, w.zNear + 10, 1);
  w.Box(1, w.xMax - 15, 2.5, w.zNear + 10, 1);
  w.Box(3, w.xMin + 6, -2, w.zNear + 20, 1);
  w.Box(4, w.xMin + 6, -2, w.zNear + 40, 1);
  w.Box(3, w.xMax - 6, -2, w.zNear + 20, 1);
  w.Box(3, w.xMax - 6, -2, w.zNear + 40, 1);
}

void layout7(CWorld& w) {
  w.Tiles({.from = {-16, -5.8, -16}, .to = {16, 5.8, 16}, .cells = {3, 2, 3}, .hp = 1, .colour = 2},
          1011);
  w.Box(0, -12, 0, 0, 0);
  w.Box(3, 12, 0, 0, 0);
  w.Box(1, 0, 0, -12, 0);
  w.Box(3, 0, 0, 12, 0);
}

void layout8(CWorld& w) {
  w.Arena(60, 60, 2, 3, 1, 3, 6);
  w.Blocks({.from = {w.xMin + 20, w.yMin, w.zNear + 20},
            .to = {w.xMax - 20, w.yMax, w.zFar - 20},
            .cells = {1, 1, 1},
            .hp = -1,
            .colour = 6});
  w.Tiles({.from = {w.xMin, w.yMin, w.zNear + 22},
           .to = {w.xMin + 20, w.yMax, w.zFar - 22},
           .cells = {2, 2, 3},
           .hp = 1,
           .colour = 2},
          1005);
  w.Tiles({.from = {w.xMax, w.yMin, w.zNear + 22},
           .to = {w.xMax - 20, w.yMax, w.zFar - 22},
           .cells = {2, 2, 3},
           .hp = 1,
           .colour = 2},
          1005);
  for (double x : {-22.0, -14.0, -6.0, 6.0, 14.0, 22.0}) w.Morphoid(3, x, 0, w.zFar - 12);
  w.Box(3, -24, w.yMax - 2, w.zFar - 4, 1);
  w.Box(2, -12, w.yMin + 2, w.zFar - 4, 1);
  w.Box(1, 0, w.yMax - 2, w.zFar - 4, 1);
  w.Box(4, 12, w.yMin + 2, w.zFar - 4, 1);
  w.Box(5, 24, w.yMax - 2, w.zFar - 4, 1);
}

void layout9(CWorld& w) {
  w.Blocks(
      {.from = {-24, -5.8, 24}, .to = {43, 5.8, 20}, .cells = {4, 1, 1}, .hp = -1, .colour = 6});
  w.Blocks(
      {.from = {37, -5.8, 12}, .to = {43, 5.8, 20}, .cells = {1, 1, 1}, .hp = -1, .colour = 6});
  w.Blocks(
      {.from = {-24, -5.8, 20}, .to = {-20, 5.8, -43}, .cells = {1, 1, 1}, .hp = -1, .colour = 6});
  w.Blocks(
      {.from = {-20, -5.8, -37}, .to = {-12, 5.8, -43}, .cells = {1, 1, 1}, .hp = -1, .colour = 6});
  w.Sphere(3, -8, 0, 8);
  w.Box(3, 20, 0, 12, 1);
  w.Box(4, 15, 0, 12, 1);
  w.Box(1, -12, 0, -15, 1);
  w.Box(2, -12, 0, -20, 1);
  w.Tiles({.from = {0, -5.8, 8}, .to = {41, 5.8, 12}, .cells = {4, 2, 1}, .hp = 1, .colour = 2},
          1006);
  w.Tiles({.from = {-12, -5.8, 0}, .to = {-8, 5.8, -41}, .cells = {1, 2, 4}, .hp = 1, .colour = 2},
          1006);
  w.Blocks({.from = {-8, -5.8, 8}, .to = {8, 5.8, -8}, .cells = {3, 2, 2}, .hp = 1, .colour = 10});
}

void layout10(CWorld& w) {
  w.Arena(64, 45, 2, 4, 1, 3, 6);
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 2},
           .to = {w.xMax, w.yMax, w.zFar - 6},
           .cells = {10, 1, 1},
           .hp = 1,
           .colour = 2},
          1009);
  const double xs[4] = {15, 5, -5, -15};
  const int kinds[4] = {1, 5, 3, 4};
  for (int i = 0; i < 4; ++i) {
    w.Sphere(3, xs[i], 0, w.zFar - 12);
    w.Box(kinds[i], xs[i], 0, w.zFar - 12, 1);
  }
  w.Tiles({.from = {w.xMin, w.yMin, w.zFar - 18},
           .to = {w.xMax, w.yMax, w.zFar - 22},
           .cells = {10, 1, 1},
           .hp = 1,
           .colour = 2},
          1009);
}

}  // namespace

void CWorld::BuildLevel() {
  switch (m_level) {
    case 1:
      layout1(*this);
      break;
    case 2:
      layout2(*this);
      break;
    case 3:
      layout3(*this);
      break;
    case 4:
      layout4(*this);
      break;
    case 5:
      layout5(*this);
      break;
    case 6: {
      // Layout 6 draws a random height for each cage, so it lives here.
      Arena(60, 60, 2, 3, 1, 3, 6);
      Blocks({.from = {xMin, yMin, zFar - 6},
              .to = {xMax, yMax, zFar - 2},
              .cells = {10, 1, 1},
              .hp = 1,
              .colour = 4});
      for (double x : {25.0, 5.0, -5.0, -25.0}) {
        Cage(x, RandomOffset(), zFar - 12);
        Cage(x, RandomOffset(), zFar - 22);
      }
      Blocks({.from = {xMin, yMin, zFar - 31},
              .to = {xMax, yMax, zFar - 27},
              .cells = {10, 1, 1},
              .hp = 1,
              .colour = 4});
      Box(2, 12, -2, zFar - 9, 1);
      Box(4, -12, -2, zFar - 9, 1);
      Box(1, 0, 0, zFar - 9, 1);
      Box(3, 12, 2, zFar - 25, 1);
      Box(5, -12, 2, zFar - 25, 1);
      Box(5, 0, 0, zFar - 25, 1);
      break;
    }
    case 7:
      layout7(*this);
      break;
    case 8:
      layout8(*this);
      break;
    case 9:
      layout9(*this);
      break;
    case 10:
      layout10(*this);
      break;
    default:
      layoutDefault(*this);
      break;
  }
}

}  // namespace arcade
