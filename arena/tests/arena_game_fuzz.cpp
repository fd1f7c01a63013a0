// Plays random key, mouse, tick, resize and activation sequences and checks
// that the game state stays consistent: counters within their rules, every
// sprite of the draw list owned by exactly one of the hero, the shots, the
// power-ups or the droids, no piece drawn twice, and the hero inside the
// playing area whatever the window's size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "arena/core/arena_game.h"
#include "arena/core/keys.h"

namespace {

using namespace arena;

void check(bool condition) {
  if (!condition) std::abort();
}

void checkConsistent(const ArenaGame& game) {
  const GameState& st = game.state();
  check(st.lives >= 1 && st.lives <= kStartLives);
  check(st.garden >= 1);
  check(st.score >= 0);
  check(st.droids.count() <= 50);
  std::set<const CSprite*> owned{game.hero()};
  for (const CSprite* s : st.shots) owned.insert(s);
  for (const CSprite* s : st.treasures) owned.insert(s);
  for (size_t i = 0; i < st.droids.count(); ++i) owned.insert(&st.droids.at(i).sprite());
  std::set<const CSprite*> drawn(st.sprites.begin(), st.sprites.end());
  check(drawn.size() == st.sprites.count());
  check(drawn == owned);
  const Rect playArea{kPlayMin, kPlayMin, kPlayMax, kPlayMax};
  check(playArea.contains(game.hero()->worldRect(st.scroll())));
  check(st.clientSize.cx <= kWorldSize && st.clientSize.cy <= kWorldSize);
}

constexpr int32_t kKeys[] = {key::kReturn, key::kEscape, key::kSpace, key::kPrior, key::kNext,
                             key::kEnd,    key::kHome,   key::kLeft,  key::kUp,    key::kRight,
                             key::kDown,   key::kF1,     key::kF2,    0x41};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  GameState state;
  ArenaGame game(state);
  state.garden = 1 + data[0] % 16;
  game.resize({200 + 8 * data[1], 150 + 8 * data[2]});
  game.initialUpdate();
  for (size_t i = 3; i < size; ++i) {
    const uint8_t op = data[i];
    if (op < 96) {
      game.timer();
    } else if (op < 96 + 2 * std::size(kKeys)) {
      game.keyDown(kKeys[(op - 96) % std::size(kKeys)]);
    } else if (op < 240) {
      game.mouseButton();
    } else if (op < 250) {
      game.resize({100 + 40 * (op - 240), 100 + 50 * (op - 240)});
    } else {
      game.activate((op & 1) != 0);
    }
    state.sounds.clear();
    checkConsistent(game);
  }
  return 0;
}
