#include "arena/core/arena_canvas.h"

#include <gtest/gtest.h>

#include "arena/core/game_state.h"
#include "arena/core/sprite_list.h"
#include "arena_test_support.h"

namespace arena {
namespace {

// A canvas over an empty state (garden 0 has no droids) with a hand-made
// draw list.
struct Scene {
  Scene() {
    state.garden = 0;
    state.clientSize = {800, 600};
    canvas = std::make_unique<CArenaCanvas>(state);
    canvas->setScroll({200, 100});
  }
  CSprite* add(int32_t imageId, uint32_t flags, int32_t x, int32_t y) {
    owned.push_back(std::make_unique<CSprite>(imageId, flags | sprite_flag::kMasked, x, y));
    list.append(owned.back().get());
    return owned.back().get();
  }
  GameState state;
  std::unique_ptr<CArenaCanvas> canvas;
  std::vector<std::unique_ptr<CSprite>> owned;
  CDrawList list;
};

TEST(ArenaCanvasRender, DirtyAreaTouchingNoSpriteRepaintsOnlyBackground) {
  Scene scene;
  scene.add(180, 0, 10, 10);
  scene.add(202, sprite_flag::kWorld, 1500, 1500);
  const RenderPass pass = scene.canvas->render({300, 300, 400, 400}, scene.list);
  EXPECT_EQ(pass.area, (Rect{300, 300, 400, 400}));
  EXPECT_TRUE(pass.sprites.empty());
  for (const CSprite* s : scene.list) EXPECT_FALSE(s->testFlag(sprite_flag::kDirty));
}

TEST(ArenaCanvasRender, StraddlingSpriteGrowsTheAreaAndIsDrawnWhole) {
  Scene scene;
  // World (550, 450) is client (350, 350) with the scroll at (200, 100).
  CSprite* powerUp = scene.add(202, sprite_flag::kWorld, 550, 450);
  CSprite* shot = scene.add(180, 0, 395, 395);
  const RenderPass pass = scene.canvas->render({300, 300, 400, 400}, scene.list);
  EXPECT_EQ(pass.area, (Rect{300, 300, 450, 450}));
  ASSERT_EQ(pass.sprites.size(), 2u);
  EXPECT_EQ(pass.sprites[0], (SpriteDraw{202, {350, 350, 450, 450}}));
  EXPECT_EQ(pass.sprites[1], (SpriteDraw{180, {395, 395, 403, 403}}));
  EXPECT_FALSE(powerUp->testFlag(sprite_flag::kDirty));  // cleared once drawn
  EXPECT_FALSE(shot->testFlag(sprite_flag::kDirty));
}

TEST(ArenaCanvasRender, OnePassDoesNotRetestEarlierSpritesAgainstTheGrownArea) {
  Scene scene;
  scene.add(180, 0, 440, 300);  // touches only the area grown by the next one
  scene.add(202, 0, 350, 300);  // straddles the area: grows it to x 450
  const RenderPass pass = scene.canvas->render({300, 300, 400, 400}, scene.list);
  EXPECT_EQ(pass.area, (Rect{300, 300, 450, 400}));
  ASSERT_EQ(pass.sprites.size(), 1u);
  EXPECT_EQ(pass.sprites[0].imageId, 202);
}

TEST(ArenaCanvasRender, LaterSpritesAreDrawnOverEarlierOnes) {
  Scene scene;
  scene.add(202, 0, 100, 100);
  scene.add(146, 0, 120, 120);
  const RenderPass pass = scene.canvas->render({0, 0, 800, 600}, scene.list);
  ASSERT_EQ(pass.sprites.size(), 2u);
  EXPECT_EQ(pass.sprites[0].imageId, 202);
  EXPECT_EQ(pass.sprites[1].imageId, 146);
}

TEST(ArenaCanvas, StartsUnscrolledWithTheClientSizedBackBuffer) {
  GameState state;
  state.clientSize = {640, 480};
  CArenaCanvas canvas(state);
  EXPECT_EQ(canvas.scroll(), (Point{0, 0}));
  EXPECT_EQ(canvas.backBufferSize(), (Size{640, 480}));
  EXPECT_EQ(CArenaCanvas::worldSize(), (Size{1900, 1900}));
  EXPECT_EQ(state.droids.count(), 5u);  // building the canvas built garden 1
  // The background pattern covers the whole garden picture: 3 rows of 4.
  const auto placements = CArenaCanvas::backgroundPlacements();
  ASSERT_EQ(placements.size(), 12u);
  EXPECT_EQ(placements[1], (Point{478, 0}));
  EXPECT_EQ(placements.back(), (Point{1434, 1284}));
}

}  // namespace
}  // namespace arena
