// A demonstration scene for renderer tests and the benchmark: rings of
// textured and Gouraud boxes, spheres built like the game's (four rings of
// eight corners, closed caps), translucent octagons and ball sprites around
// the origin, over a background floor, seen from above and in front.
#pragma once

#include <memory>
#include <vector>

#include "arcade/imagelib/game_palette.h"
#include "arcade/imagelib/image_cache.h"
#include "arcade/world/node.h"

namespace arcade::testing {

struct DemoScene {
  std::vector<std::unique_ptr<CNode>> nodes;  // linked newest first through next
  CNode* head = nullptr;
  Matrix4 camera;
  int polygonCount() const;
  // Turns every object a little (animation between benchmark frames).
  void spin(int step);
};

// objectsPerRing objects on each of `rings` concentric rings.
DemoScene buildDemoScene(const CGamePalette& palette, ITextureSource& textures, int objectsPerRing,
                         int rings);

}  // namespace arcade::testing
