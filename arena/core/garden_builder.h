// Building a garden from its number.
//
// The garden number seeds the game's generator; the tiles, the wall runs, the
// power-up cells and the droids then follow from the draws in a fixed order,
// so the same number always gives the same garden. Building replaces the
// previous garden's power-ups, walls, shots and droids in the game state and
// records the painted tiles on the canvas. It does not place the hero.
#pragma once

#include <cstdint>

namespace arena {

struct GameState;
class CArenaCanvas;

// The tile of the whole garden for gardens below 8; 0 for gardens that take a
// random tile for every cell.
int32_t gardenTile(int32_t garden);
// The tile picked by one draw.
int32_t randomTile(int32_t draw);
// Droids of a garden: five per garden number, 50 from garden 11 on.
int32_t gardenDroidCount(int32_t garden);

void buildGarden(GameState& state, CArenaCanvas& canvas);

}  // namespace arena
