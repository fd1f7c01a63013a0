// Rendered frames of the demonstration scene, pinned by checksums of the
// 8-bit picture and written as bitmaps under the build tree
// (arcade/rendered/) so they can be looked at. The textures are the tests'
// own integer-made stand-ins, so only the renderer can move the checksums.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/demo_scene.h"
#include "support/fakes.h"
#include "support/rendered_frame.h"
#include "support/test_textures.h"

namespace arcade {
namespace {

struct SceneCase {
  const char* name;
  Resolution resolution;
  bool shading;
  bool topDown;
  double zoom;
  std::uint64_t golden;
};

class RenderedScene : public ::testing::TestWithParam<SceneCase> {};

TEST_P(RenderedScene, FrameMatchesItsGoldenChecksum) {
  const SceneCase& c = GetParam();
  const CGamePalette palette;
  MemoryResources resources;
  testing::addTestTextures(resources);
  testing::RecordingReporter reporter;
  ImageLibrary library{palette, resources, reporter};
  CTextureSlots textures(library);
  testing::DemoScene scene = testing::buildDemoScene(palette, textures, 12, 2);
  CRenderer renderer(palette, reporter, textures, 480, 360, c.resolution);
  renderer.SetCamera(scene.camera);
  renderer.SetTopDown(c.topDown);
  renderer.SetOverlay({1234567, 83456, 3, true, 9870});
  renderer.Render(scene.head, Fixed::fromDouble(c.zoom), c.shading);
  EXPECT_TRUE(reporter.messages.empty());
  const auto frame = testing::saveRenderedFrame(renderer, c.name);
  EXPECT_EQ(frame.checksum, c.golden)
      << std::hex << "checksum 0x" << frame.checksum << " of " << frame.path;
}

INSTANTIATE_TEST_SUITE_P(
    Ring, RenderedScene,
    ::testing::Values(
        SceneCase{"high_shaded", Resolution::High, true, false, 0.6, 0x214486f025d7d17cull},
        SceneCase{"high_flat", Resolution::High, false, false, 0.6, 0x636ac6b7ab55be9cull},
        SceneCase{"normal_shaded", Resolution::Normal, true, false, 0.6, 0x73f764fac13b3666ull},
        SceneCase{"high_topdown", Resolution::High, true, true, 0.6, 0xcb7ec0e0a0b67ac2ull},
        SceneCase{"high_close", Resolution::High, false, false, 1.2, 0x4eee2f818863853dull}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace arcade
