// Where the paused-game overlays go in the window.
//
// While the game is paused the window shows, over the garden, the title
// picture, the score, the garden number, the hero's rank and the lives left;
// after the last life is lost it also shows the game-over banner. This file
// computes every piece's source cell and destination from the client size and
// the counters; the window only blits them, masked, in the order given.
#pragma once

#include <cstdint>
#include <vector>

#include "arena/core/game_state.h"
#include "arena/core/geometry.h"

namespace arena {

struct OverlayBlit {
  int32_t imageId;
  Rect source;  // cell inside the picture
  Point dest;   // client position of the cell's top-left corner
  friend bool operator==(const OverlayBlit&, const OverlayBlit&) = default;
};

// Row of the rank picture for a garden: Private for garden 1 up to General
// (row 7) from garden 8 on.
int32_t rankRow(int32_t garden);

// Where the bonus digits (score digits) go inside the garden-cleared banner.
inline constexpr Point kBannerBonusAt{176, 58};

// Title, score, garden, rank and lives, in drawing order. While a banner is
// up it takes the title's place, centred the same way; the garden-cleared
// banner carries the bonus in score digits.
std::vector<OverlayBlit> overlayLayout(Size client, int32_t score, int32_t garden, int32_t lives,
                                       const Banner& banner = {});
OverlayBlit gameOverBanner(Size client);

}  // namespace arena
