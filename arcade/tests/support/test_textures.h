// Deterministic stand-ins for the game's bitmap resources, made with integer
// arithmetic only: ten 128 x 128 surface patterns (1002-1011), the label
// strips (1251, 1252), the digit strips (1253, 1254) in the renderer's glyph
// layout and the ball on key 250 (1255). Tests whose results are pinned
// (golden frames) use these instead of the generated artwork, so a change of
// the art tool or of its painting library cannot move them.
// Not here: the title backdrop and the enhancement box (no test draws them).
#pragma once

#include "arcade/imagelib/resources.h"

namespace arcade::testing {

// Adds every stand-in bitmap to resources, as 8-bit bitmap files whose
// colour table is the game palette (so loading leaves the indices as drawn).
void addTestTextures(MemoryResources& resources);

}  // namespace arcade::testing
