// Hits, scoring and reflections of the world's solids: blocks, spheres,
// enhancement boxes and Morphoids placed by hand in an emptied level.
#include <gtest/gtest.h>

#include "arcade/world/block.h"
#include "arcade/world/geometry.h"
#include "arcade/world/morphoid.h"
#include "arcade/world/sphere.h"
#include "support/world_fixture.h"

namespace arcade {
namespace {

using testing::WorldTest;

class SolidTest : public WorldTest {
 protected:
  void SetUp() override {
    Build(0);
    EmptyLevel();
  }
  CBlock& AddBlock(int hp) {
    return world->AddSolid<CBlock>(Vector3{fx(-1), fx(-1), fx(-1)}, Vector3{fx(1), fx(1), fx(1)},
                                   hp, 3, nullptr);
  }
  void Activate(int e) {
    if (world->ActiveEnhancement() != e) world->Control().CatchField(e, {});
  }
};

TEST_F(SolidTest, PurpleDestroysABlockOfAnyHitPointsInOneHit) {
  Activate(enhancement::kPurple);
  for (int hp : {1, 2, 5, 40}) {
    CBlock& block = AddBlock(hp);
    const int before = world->Score();
    block.Hit();
    EXPECT_EQ(block.hitPoints, 0) << "hit points " << hp;
    EXPECT_EQ(world->Score() - before, hp * 250) << "the whole block's points, hp " << hp;
  }
}

TEST_F(SolidTest, PurpleNeverDestroysAnIndestructibleBlock) {
  Activate(enhancement::kPurple);
  CBlock& wall = AddBlock(-1);
  for (int i = 0; i < 5; ++i) wall.Hit();
  EXPECT_EQ(wall.hitPoints, -1);
  EXPECT_EQ(world->Score(), 0);
  EXPECT_EQ(wall.scale, fx(0.8)) << "it still flinches";
}

TEST_F(SolidTest, WithoutPurpleAHitTakesOnePointAndBlueDoublesTheScore) {
  CBlock& block = AddBlock(2);
  block.Hit();
  EXPECT_EQ(block.hitPoints, 1);
  EXPECT_EQ(world->Score(), 0);
  Activate(enhancement::kBlue);
  block.Hit();
  EXPECT_EQ(block.hitPoints, 0);
  EXPECT_EQ(world->Score(), 2 * 500);
  block.Hit();  // destroyed objects score once only
  EXPECT_EQ(world->Score(), 2 * 500);
}

TEST_F(SolidTest, DestroyedObjectsShrinkAwayAndAreRemoved) {
  CBlock& block = AddBlock(1);
  for (int i = 0; i < 30; ++i) block.Update(3276, nullptr);
  EXPECT_GT(block.scale, fx(0.99));
  block.Hit();
  int ticks = 0;
  while (!block.Update(3276, nullptr) && ticks < 100) ++ticks;
  EXPECT_LT(block.scale, kRemoveBelow);
  EXPECT_GT(ticks, 5) << "shrinks over several ticks";
  EXPECT_LT(ticks, 20);
}

TEST_F(SolidTest, BoxBounceGivesANearlyAxialBallASixteenthSideways) {
  CBlock& block = AddBlock(-1);
  // Coming straight along +z from in front of the block's near face.
  Vector3 v{Fixed(), Fixed(), Fixed::fromInt(1)};
  block.Reflect({Fixed(), Fixed(), fx(-1.5)}, v);
  EXPECT_LT(v.z, Fixed()) << "z reversed";
  const double ratio = std::abs(v.x.toDouble() / v.z.toDouble());
  EXPECT_NEAR(ratio, 1.0 / 16, 0.002) << "vx " << v.x.toDouble() << " vz " << v.z.toDouble();
  EXPECT_NEAR(v.length().toDouble(), 1.0, 0.001);
  // Along x: the z component gets the sixteenth.
  Vector3 w{Fixed::fromInt(1), Fixed(), Fixed()};
  block.Reflect({fx(-1.5), Fixed(), Fixed()}, w);
  EXPECT_LT(w.x, Fixed());
  EXPECT_NEAR(std::abs(w.z.toDouble() / w.x.toDouble()), 1.0 / 16, 0.002);
}

TEST_F(SolidTest, BoxBounceLeavesADiagonalBallUnchangedButReversed) {
  CBlock& block = AddBlock(-1);
  Vector3 v{fx(0.6), Fixed(), fx(0.8)};
  block.Reflect({Fixed(), Fixed(), fx(-1.5)}, v);
  EXPECT_NEAR(v.x.toDouble(), 0.6, 0.002);
  EXPECT_NEAR(v.z.toDouble(), -0.8, 0.002);
}

TEST_F(SolidTest, BoxesAreHalfOpenSoNeighboursShareNoGap) {
  CBlock& lower = world->AddSolid<CBlock>(Vector3{fx(-1), fx(-2), fx(-1)},
                                          Vector3{fx(1), Fixed(), fx(1)}, 1, 3, nullptr);
  CBlock& upper = world->AddSolid<CBlock>(Vector3{fx(-1), Fixed(), fx(-1)},
                                          Vector3{fx(1), fx(2), fx(1)}, 1, 3, nullptr);
  const Vector3 seam{Fixed(), Fixed(), Fixed()};
  EXPECT_TRUE(upper.HitTest(seam)) << "the low face belongs to the box";
  EXPECT_FALSE(lower.HitTest(seam)) << "the high face belongs to the neighbour";
  EXPECT_FALSE(upper.HitTest({Fixed(), fx(2), Fixed()}));
  EXPECT_TRUE(lower.HitTest({Fixed(), fx(-2), Fixed()}));
}

TEST_F(SolidTest, SphereIsHitOnlyWithinItsRadius) {
  CSphere& sphere = world->AddSolid<CSphere>(0, Vector3{});  // radius 4
  EXPECT_TRUE(sphere.HitTest({fx(3.9), Fixed(), Fixed()}));
  EXPECT_FALSE(sphere.HitTest({fx(3.0), fx(3.0), Fixed()})) << "inside the box, outside the ball";
  Vector3 v{Fixed(), Fixed(), Fixed::fromInt(-1)};
  sphere.Reflect({Fixed(), Fixed(), fx(4.0)}, v);
  EXPECT_GT(v.z, Fixed()) << "leaves along the outward direction";
  EXPECT_EQ(sphere.hitPoints, 2);
  EXPECT_EQ(sphere.points, 1000);
}

TEST_F(SolidTest, LargeSpheresAreIndestructibleEvenForPurple) {
  Activate(enhancement::kPurple);
  for (int kind : {6, 7, 8}) {
    CSphere& sphere = world->AddSolid<CSphere>(kind, Vector3{});
    sphere.Hit();
    EXPECT_EQ(sphere.hitPoints, -1) << "kind " << kind;
  }
}

TEST_F(SolidTest, DestroyedEnhancementBoxReleasesItsFieldWhenItHasShrunk) {
  auto& box = world->AddSolid<CEnhancementBox>(enhancement::kYellow,
                                               Vector3{Fixed(), Fixed(), fx(-20.0)}, 1);
  box.Hit();
  EXPECT_EQ(world->Score(), 750);
  int ticks = 0;
  while (world->Census().fields == 0 && ticks < 50) {
    Tick();
    ++ticks;
  }
  EXPECT_EQ(world->Census().fields, 1);
  EXPECT_EQ(world->Census().boxes, 0);
  EXPECT_GT(ticks, 3) << "not before the box has shrunk away";
}

TEST_F(SolidTest, MorphoidIsKilledByThePaddleWithoutDoubling) {
  Activate(enhancement::kBlue);
  const Vector3 p = world->Paddle().Point(world->Paddle().radius());
  CMorphoid& m = world->AddSolid<CMorphoid>(0, p + Vector3{fx(1.0), Fixed(), Fixed()});
  world->PaddleSweepAll();
  EXPECT_EQ(m.hitPoints, 0);
  EXPECT_EQ(world->Score(), 3 * 1000);
}

TEST_F(SolidTest, MorphoidReflectionSendsTheBallOffInAnAlmostRandomDirection) {
  CMorphoid& m = world->AddSolid<CMorphoid>(0, Vector3{});
  int backward = 0;
  for (int i = 0; i < 40; ++i) {
    Vector3 v{Fixed(), Fixed(), Fixed::fromInt(1)};
    m.Reflect({Fixed(), Fixed(), fx(-5.0)}, v);
    EXPECT_NEAR(v.length().toDouble(), 1.0, 0.02);  // large components lose precision
    backward += v.z > Fixed() ? 0 : 1;
  }
  // The incoming direction hardly matters: both ways out occur.
  EXPECT_GT(backward, 5);
  EXPECT_LT(backward, 35);
}

TEST_F(SolidTest, MorphoidStaysInsideItsCage) {
  world->Cage(0, 0, -20);
  CSolid* morphoid = world->Objects();
  ASSERT_EQ(morphoid->kind, SolidKind::Morphoid);
  const Vector3 start = morphoid->position;
  for (int i = 0; i < 60; ++i) Tick();  // before the ball is served
  EXPECT_EQ(morphoid->position, start);
}

}  // namespace
}  // namespace arcade
