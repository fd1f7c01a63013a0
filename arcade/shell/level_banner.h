// Which banner the game frame carries and what it says: "Paused" while a
// level is paused, the lost ball for a moment after it went, the cleared
// level with its time bonus and the lost game with its score while the
// level's last frame stays up, and the attract-mode demo (near the bottom,
// so the demo's play stays in view). The words are the
// game's; the look is the renderer's banner painter.
#pragma once

#include <cstdint>

#include "arcade/renderer/banner.h"

namespace arcade {

enum class BannerKind { None, Paused, BallLost, Cleared, GameOver, Demo };

// Ticks a banner stays: the level's end (unless a key or click ends it
// sooner) and the lost ball (play goes on under it).
inline constexpr int kLevelEndBannerTicks = 80;
inline constexpr int kBallLostBannerTicks = 40;

struct BannerFacts {
  int levelIndex = 0;
  std::int64_t timeBonus = 0;
  std::int64_t score = 0;
  int spareBalls = 0;
};

BannerText BannerFor(BannerKind kind, const BannerFacts& facts);

}  // namespace arcade
