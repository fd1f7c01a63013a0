#include "arcade/shell/level_banner.h"

#include <string>

#include "arcade/game/player_record.h"

namespace arcade {

BannerText BannerFor(BannerKind kind, const BannerFacts& facts) {
  switch (kind) {
    case BannerKind::Paused:
      return {"Paused", "Press Space to play on"};
    case BannerKind::BallLost: {
      const int left = facts.spareBalls;
      if (left <= 0) return {"Ball lost", "Last ball"};
      return {"Ball lost", std::to_string(left) + (left == 1 ? " ball left" : " balls left")};
    }
    case BannerKind::Cleared:
      return {"Level " + std::to_string(facts.levelIndex + 1) + " cleared",
              "Time bonus " + FormatNumber(facts.timeBonus)};
    case BannerKind::GameOver:
      return {"Game over", "Score " + FormatNumber(facts.score)};
    case BannerKind::Demo:
      return {"Demo", "Press any key", true};
    case BannerKind::None:
      break;
  }
  return {};
}

}  // namespace arcade
