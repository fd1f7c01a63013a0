// Frame times of the software renderer: about 1,500 polygons (textured,
// Gouraud, flat, translucent, sprites) at 640 x 480, High resolution with and
// without shading, and Normal resolution. The goal is under 4 ms per High
// frame, a twelfth of the game's 50 ms tick.
#include <benchmark/benchmark.h>

#include "../tests/support/demo_scene.h"
#include "arcade/imagelib/image_cache.h"
#include "arcade/renderer/renderer.h"

namespace {

class SilentReporter : public arcade::IMessageReporter {
 public:
  void ShowMessage(arcade::MessageIcon, std::string_view, std::string_view) override {}
  void Beep() override {}
};

void renderFrames(benchmark::State& state, arcade::Resolution resolution, bool shading) {
  const arcade::CGamePalette palette;
  const arcade::DirectoryResources resources(VORTEXIA_ART_DIR);
  SilentReporter reporter;
  arcade::ImageLibrary library{palette, resources, reporter};
  arcade::CTextureSlots textures(library);
  arcade::testing::DemoScene scene = arcade::testing::buildDemoScene(palette, textures, 34, 4);
  arcade::CRenderer renderer(palette, reporter, textures, 640, 480, resolution);
  renderer.SetCamera(scene.camera);
  renderer.SetOverlay({1234567, 83456, 3, true, 9870});
  for (auto _ : state) {
    scene.spin(37);
    renderer.Render(scene.head, arcade::Fixed::fromDouble(0.6), shading);
    benchmark::DoNotOptimize(renderer.pixels[0]);
  }
  state.counters["polygons"] = scene.polygonCount();
  state.counters["drawn"] =
      static_cast<double>(renderer.listSize('A') + renderer.listSize('B') + renderer.listSize('C'));
}

void BM_HighShaded(benchmark::State& s) {
  renderFrames(s, arcade::Resolution::High, true);
}
void BM_HighFlat(benchmark::State& s) {
  renderFrames(s, arcade::Resolution::High, false);
}
void BM_NormalShaded(benchmark::State& s) {
  renderFrames(s, arcade::Resolution::Normal, true);
}

}  // namespace

BENCHMARK(BM_HighShaded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HighFlat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalShaded)->Unit(benchmark::kMillisecond);
