// Every level layout builds its objects: counts by kind, and the places and
// kinds of a few, worked out from the layout rules by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "arcade/world/block.h"
#include "arcade/world/geometry.h"
#include "arcade/world/morphoid.h"
#include "arcade/world/sphere.h"
#include "support/world_fixture.h"

namespace arcade {
namespace {

using testing::WorldTest;

struct LayoutCase {
  int level;
  WorldCensus census;
};

class LayoutTest : public WorldTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, BuildsItsObjects) {
  const LayoutCase& c = GetParam();
  const WorldCensus got = Build(c.level).Census();
  EXPECT_EQ(got.blocks, c.census.blocks);
  EXPECT_EQ(got.indestructible, c.census.indestructible);
  EXPECT_EQ(got.boxes, c.census.boxes);
  EXPECT_EQ(got.spheres, c.census.spheres);
  EXPECT_EQ(got.morphoids, c.census.morphoids);
  EXPECT_EQ(got.fields, 0);
  EXPECT_TRUE(reporter.messages.empty());
}

// Counts: arena walls are 1 x nHigh x nSide twice plus nBack x nHigh x 1.
INSTANTIATE_TEST_SUITE_P(
    Levels, LayoutTest,
    ::testing::Values(LayoutCase{0, {36, 18, 2, 2, 0, 0}}, LayoutCase{1, {30, 12, 2, 1, 3, 0}},
                      LayoutCase{2, {32, 8, 3, 3, 4, 0}}, LayoutCase{3, {34, 10, 7, 0, 3, 0}},
                      LayoutCase{4, {31, 7, 7, 3, 0, 0}}, LayoutCase{5, {62, 14, 6, 4, 0, 0}},
                      LayoutCase{6, {37, 9, 6, 0, 8, 0}}, LayoutCase{7, {18, 0, 4, 0, 0, 0}},
                      LayoutCase{8, {34, 10, 5, 0, 6, 0}}, LayoutCase{9, {35, 7, 4, 1, 0, 0}},
                      LayoutCase{10, {30, 10, 4, 4, 0, 0}}, LayoutCase{11, {36, 18, 2, 2, 0, 0}},
                      LayoutCase{31, {36, 18, 2, 2, 0, 0}}),
    [](const auto& info) { return "Level" + std::to_string(info.param.level); });

std::vector<const CSolid*> oldestFirst(const CWorld& w) {
  std::vector<const CSolid*> v;
  for (const CSolid* o = w.Objects(); o != nullptr; o = o->nextObject) v.insert(v.begin(), o);
  return v;
}

TEST_F(LayoutTest, DefaultArenaStandsInsideTheCircle) {
  const CWorld& w = Build(0);
  const double zNear = 1.5 - std::sqrt(2500.0 - 17.0 * 17.0);
  EXPECT_NEAR(w.zNear, zNear, 1e-9);
  EXPECT_NEAR(w.zFar, zNear + 48, 1e-9);
  const auto objects = oldestFirst(w);
  // The left wall comes first: 1 x 2 x 3 cells from x -17 to -15.
  EXPECT_NEAR(objects[0]->position.x.toDouble(), -16.0, 1e-4);
  EXPECT_EQ(objects[0]->hitPoints, -1);
  EXPECT_NEAR(objects[0]->boxMax.x.toDouble(), 1.0, 1e-4);
  // The spheres are the last two, at (+-5, 0, zFar - 12).
  const CSolid* sphere = objects[objects.size() - 2];
  ASSERT_EQ(sphere->kind, SolidKind::Sphere);
  EXPECT_NEAR(sphere->position.x.toDouble(), 5.0, 1e-4);
  EXPECT_NEAR(sphere->position.z.toDouble(), zNear + 48 - 12, 1e-4);
  EXPECT_EQ(sphere->hitPoints, 2);
}

TEST_F(LayoutTest, LevelFourHasItsWallsAlongTheAxes) {
  const auto objects = oldestFirst(Build(4));
  // Blocks(-4, -5.8, 0, 0, 5.8, -49; 1, 1, 3): z sorted, three cells.
  const double zs[3] = {-49 + 49.0 / 6, -24.5, -49.0 / 6};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(objects[i]->position.x.toDouble(), -2.0, 1e-4);
    EXPECT_NEAR(objects[i]->position.z.toDouble(), zs[i], 1e-3) << i;
    EXPECT_EQ(objects[i]->hitPoints, -1);
  }
  const CSolid* last = objects.back();  // Box(1, 32, 0, -12, 0)
  ASSERT_EQ(last->kind, SolidKind::EnhancementBox);
  EXPECT_EQ(static_cast<const CEnhancementBox*>(last)->enhancementKind(), 1);
  EXPECT_NEAR(last->position.x.toDouble(), 32.0, 1e-4);
  EXPECT_NEAR(last->position.z.toDouble(), -12.0, 1e-4);
}

TEST_F(LayoutTest, LevelSixCagesEachHoldAMorphoidAtARandomHeight) {
  const auto objects = oldestFirst(Build(6, 5));
  int cages = 0;
  for (std::size_t i = 0; i + 1 < objects.size(); ++i) {
    if (objects[i + 1]->kind != SolidKind::Morphoid) continue;
    ++cages;
    const CSolid* cage = objects[i];
    const CSolid* m = objects[i + 1];
    EXPECT_EQ(cage->kind, SolidKind::Block);
    EXPECT_LT((cage->position - m->position).length(), fx(0.001))
        << "the Morphoid sits in its cage";
    EXPECT_LE(std::abs(m->position.y.toDouble()), 1.8);
    EXPECT_NEAR(cage->boxMax.x.toDouble(), 4.1, 1e-4);
    EXPECT_EQ(static_cast<const CMorphoid*>(m)->morphoidKind(), 2);
  }
  EXPECT_EQ(cages, 8);
}

TEST_F(LayoutTest, LevelSevenIsATileBlockInTheCentreWithFourBoxes) {
  const auto objects = oldestFirst(Build(7));
  ASSERT_EQ(objects.size(), 22u);
  EXPECT_NEAR(objects[0]->position.x.toDouble(), -16 + 32.0 / 6, 1e-4);
  EXPECT_NEAR(objects[0]->position.z.toDouble(), -16 + 32.0 / 6, 1e-4);
  const int kinds[4] = {0, 3, 1, 3};
  for (int i = 0; i < 4; ++i) {
    const auto* box = static_cast<const CEnhancementBox*>(objects[18 + i]);
    EXPECT_EQ(box->enhancementKind(), kinds[i]);
  }
}

}  // namespace
}  // namespace arcade
