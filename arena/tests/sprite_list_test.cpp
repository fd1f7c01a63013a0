#include "arena/core/sprite_list.h"

#include <gtest/gtest.h>

#include "arena_test_support.h"

namespace arena {
namespace {

TEST(CSpriteList, CursorWalksInOrderAndSurvivesRemovingTheCurrentSprite) {
  CSpriteList list(Ownership::Owning);
  CSprite* a = new CSprite(180, 0, 0, 0);
  CSprite* b = new CSprite(181, 0, 10, 0);
  CSprite* c = new CSprite(182, 0, 20, 0);
  list.append(a);
  list.append(b);
  list.append(c);
  EXPECT_EQ(list.first(), a);
  EXPECT_EQ(list.next(), b);
  EXPECT_TRUE(list.remove(b));
  EXPECT_EQ(list.next(), c);
  EXPECT_EQ(list.next(), nullptr);
  EXPECT_FALSE(list.remove(b));
  EXPECT_EQ(list.count(), 2u);
}

TEST(CSpriteList, FindsTheFirstOverlappingSpriteAndIgnoresTouchingEdges) {
  CSprite a(202, 0, 100, 100);
  CSprite b(202, 0, 150, 150);
  CSpriteList list(Ownership::Borrowing);
  list.append(&a);
  list.append(&b);
  EXPECT_EQ(list.findOverlapping({190, 190, 210, 210}), &a);
  EXPECT_EQ(list.findOverlapping({200, 200, 260, 260}), &b);
  EXPECT_EQ(list.findOverlapping({250, 100, 300, 150}), nullptr);
  list.removeAll();  // a borrowing list frees nothing
  EXPECT_EQ(a.imageId(), 202);
}

TEST(CWallList, FindsFirstOverlapInWorldCoordinatesAndRemovesOneEqualEntry) {
  CWallList walls;
  walls.append({300, 300, 500, 400});
  walls.append({700, 300, 800, 400}, WallKind::PowerUpCell);
  walls.append({700, 300, 800, 400});
  CSprite client(180, 0, 695, 290);  // client coordinates
  CSprite world(180, sprite_flag::kWorld, 695, 290);
  EXPECT_EQ(walls.findOverlapping(client, {0, 0}), std::nullopt);
  EXPECT_EQ(walls.findOverlapping(client, {10, 15}), 1u);
  EXPECT_EQ(walls.findOverlapping(world, {10, 15}), std::nullopt);
  EXPECT_TRUE(walls.removeEqual({700, 300, 800, 400}));
  ASSERT_EQ(walls.count(), 2u);
  EXPECT_EQ(walls.kindAt(1), WallKind::Run);
  EXPECT_FALSE(walls.removeEqual({0, 0, 1, 1}));
}

TEST(CSprite, SetImageKeepsTheCornerAndAnUnknownImageChangesNothing) {
  CSprite sprite(146, sprite_flag::kMasked, 40, 50);
  EXPECT_TRUE(sprite.testFlag(sprite_flag::kDirty));
  sprite.clearFlag(sprite_flag::kDirty);
  EXPECT_TRUE(sprite.setImage(134));
  EXPECT_EQ(sprite.rect(), Rect::fromSize(40, 50, 60, 84));
  EXPECT_TRUE(sprite.testFlag(sprite_flag::kDirty));
  sprite.clearFlag(sprite_flag::kDirty);
  EXPECT_FALSE(sprite.setImage(9999));
  EXPECT_FALSE(sprite.hasImage());
  EXPECT_EQ(sprite.rect(), Rect::fromSize(40, 50, 60, 84));
  EXPECT_FALSE(sprite.testFlag(sprite_flag::kDirty));
  sprite.setDoubleShots(1);
  sprite.countDownDoubleShots();
  sprite.countDownDoubleShots();
  EXPECT_EQ(sprite.doubleShots(), 0);
}

}  // namespace
}  // namespace arena
