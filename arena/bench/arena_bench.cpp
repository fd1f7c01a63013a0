// Speed of the arena core: building a garden and running ticks of a garden
// with its full 50 droids.
#include <benchmark/benchmark.h>

#include "arena/core/arena_game.h"
#include "arena/core/keys.h"

namespace {

using namespace arena;

void BM_BuildGarden(benchmark::State& bench) {
  GameState state;
  state.clientSize = {800, 600};
  state.garden = static_cast<int32_t>(bench.range(0));
  for (auto _ : bench) {
    state.canvas.reset();
    state.canvas = std::make_unique<CArenaCanvas>(state);
    benchmark::DoNotOptimize(state.walls.count());
  }
}
BENCHMARK(BM_BuildGarden)->Arg(1)->Arg(11);

// One tick or one running key with 50 droids, restarting play whenever an
// end of garden paused it.
void BM_TickFullGarden(benchmark::State& bench) {
  GameState state;
  ArenaGame game(state);
  state.garden = 11;
  game.resize({800, 600});
  game.initialUpdate();
  int32_t n = 0;
  for (auto _ : bench) {
    if (state.paused) game.keyDown(key::kReturn);
    if (++n % 4 == 0) {
      game.keyDown(n % 8 == 0 ? key::kSpace : key::kNext);
    } else {
      game.timer();
    }
    state.sounds.clear();
  }
}
BENCHMARK(BM_TickFullGarden);

}  // namespace
