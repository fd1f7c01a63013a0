// Frames of played levels, rendered with the tests' stand-in textures and
// pinned by checksums of the 8-bit picture; written as bitmaps under the
// build tree (arcade/rendered/) so they can be looked at.
#include <gtest/gtest.h>

#include "arcade/renderer/renderer.h"
#include "support/rendered_frame.h"
#include "support/world_fixture.h"

namespace arcade {
namespace {

struct FrameCase {
  const char* name;
  int level;
  int ticks;
  bool topDown;
  CameraView view;
  std::uint64_t golden;
};

class RenderedWorld : public testing::WorldTest, public ::testing::WithParamInterface<FrameCase> {};
class RenderedWorldShading : public testing::WorldTest {};

TEST_P(RenderedWorld, FrameMatchesItsGoldenChecksum) {
  const FrameCase& c = GetParam();
  Build(c.level, 3);
  world->Control().SetView(c.view);
  WorldInput in;
  in.x = 0.3f;
  in.topDown = c.topDown;
  for (int i = 0; i < c.ticks; ++i) Tick(in);
  CRenderer renderer(palette, reporter, world->Textures(), 480, 360, Resolution::High);
  renderer.SetCamera(world->Control().Camera());
  renderer.SetTopDown(world->Control().TopDown());
  renderer.SetOverlay({world->Score(), world->ElapsedMs(), world->Ball().spareBalls, false, 0});
  renderer.Render(world->DrawList(), world->Control().Zoom(), false);
  const auto frame = testing::saveRenderedFrame(renderer, c.name);
  EXPECT_EQ(frame.checksum, c.golden)
      << std::hex << "checksum 0x" << frame.checksum << " of " << frame.path;
}

// With shading on, the top-down view shows the level about as well as
// without it: the fog is measured from the playfield, not from the camera
// 150 above it (which left the whole picture black).
TEST_F(RenderedWorldShading, TopDownViewStaysReadableWithShadingOn) {
  Build(1, 3);
  WorldInput in;
  in.topDown = true;
  for (int i = 0; i < 20; ++i) Tick(in);
  // The summed brightness of the picture.
  auto brightness = [&](bool shading) {
    CRenderer renderer(palette, reporter, world->Textures(), 320, 240, Resolution::High);
    renderer.SetCamera(world->Control().Camera());
    renderer.SetTopDown(true);
    renderer.Render(world->DrawList(), world->Control().Zoom(), shading);
    long long sum = 0;
    for (std::int32_t i = 0; i < renderer.size; ++i) {
      const Rgb c = palette.Entry(renderer.pixels[i]);
      sum += c.r + c.g + c.b;
    }
    return sum;
  };
  const long long flat = brightness(false);
  ASSERT_GT(flat, 320LL * 240 * 60) << "the level fills the view";
  EXPECT_GT(brightness(true), flat / 3) << "the fog darkens but does not black out the view";
}

INSTANTIATE_TEST_SUITE_P(
    Levels, RenderedWorld,
    ::testing::Values(
        FrameCase{"world_level7", 7, 95, false, CameraView::Classic, 0x74a0c11a9f511031ull},
        FrameCase{"world_level1_topdown", 1, 40, true, CameraView::Classic, 0x3a3d5a94a01b1fe3ull},
        FrameCase{"world_level4_topdown", 4, 40, true, CameraView::Classic, 0xeaef08ef446682e3ull},
        FrameCase{"world_level1_raised", 1, 40, false, CameraView::Raised, 0x001f8c6040a25502ull}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace arcade
