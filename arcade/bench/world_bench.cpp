// Time of one world step (50 ms of play) on the level with most objects
// (index 5, 72 objects) and on a Morphoid level (index 6), with a player who
// follows the ball. The goal is well under 1 ms a step, a fiftieth of the
// game's tick, so rendering keeps nearly all of it.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace {

class SilentReporter : public arcade::IMessageReporter {
 public:
  void ShowMessage(arcade::MessageIcon, std::string_view, std::string_view) override {}
  void Beep() override {}
};

void stepLevel(benchmark::State& state, int level) {
  const arcade::CGamePalette palette;
  const arcade::DirectoryResources resources(VORTEXIA_ART_DIR);
  SilentReporter reporter;
  arcade::ImageLibrary library{palette, resources, reporter};
  auto world = std::make_unique<arcade::CWorld>(level, 1, library);
  std::uint32_t now = 0;
  for (auto _ : state) {
    const arcade::Vector3& b = world->Ball().position;
    int c = world->Control().Yaw();
    if (c > 4096) c -= 8192;
    const int want = ((arcade::arcTangent(-b.z.raw(), -b.x.raw()) + c + 4096) & 8191) - 4096;
    arcade::WorldInput in;
    in.x = std::clamp(static_cast<float>(want) / 512.0f, -1.0f, 1.0f);
    now += 50;
    if (world->Step(now == 50, 1.0, in, now).result != arcade::StepResult::Playing) {
      state.PauseTiming();
      world = std::make_unique<arcade::CWorld>(level, 1, library);
      now = 0;
      state.ResumeTiming();
    }
  }
}

void BM_StepLevel5(benchmark::State& s) {
  stepLevel(s, 5);
}
void BM_StepLevel6(benchmark::State& s) {
  stepLevel(s, 6);
}
BENCHMARK(BM_StepLevel5);
BENCHMARK(BM_StepLevel6);

}  // namespace
