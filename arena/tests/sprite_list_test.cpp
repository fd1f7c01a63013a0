#include "arena/core/sprite_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "arena_test_support.h"

namespace arena {
namespace {

TEST(CSpriteList, KeepsItsSpritesInOrderAsARangeAndRemovesOne) {
  CSpriteList list;
  CSprite& a = list.append(std::make_unique<CSprite>(180, 0, 0, 0));
  CSprite& b = list.append(std::make_unique<CSprite>(181, 0, 10, 0));
  CSprite& c = list.append(std::make_unique<CSprite>(182, 0, 20, 0));
  const std::vector<CSprite*> walked(list.begin(), list.end());
  EXPECT_EQ(walked, (std::vector<CSprite*>{&a, &b, &c}));
  EXPECT_TRUE(list.remove(&b));
  EXPECT_FALSE(list.contains(&b));
  EXPECT_EQ(std::ranges::distance(list), 2);
  EXPECT_EQ(*std::ranges::find_if(list, [](const CSprite* s) { return s->left() == 20; }), &c);
  const CSprite other(183, 0, 0, 0);
  EXPECT_FALSE(list.remove(&other));
  EXPECT_EQ(list.at(0), &a);
  list.removeAll();
  EXPECT_TRUE(list.isEmpty());
}

TEST(CSpriteList, FindsTheFirstOverlappingSpriteAndIgnoresTouchingEdges) {
  CSpriteList list;
  CSprite& a = list.append(std::make_unique<CSprite>(202, 0, 100, 100));
  CSprite& b = list.append(std::make_unique<CSprite>(202, 0, 150, 150));
  EXPECT_EQ(list.findOverlapping({190, 190, 210, 210}), &a);
  EXPECT_EQ(list.findOverlapping({200, 200, 260, 260}), &b);
  EXPECT_EQ(list.findOverlapping({250, 100, 300, 150}), nullptr);
}

TEST(CDrawList, BorrowsAndFreesNothing) {
  CSprite a(202, 0, 100, 100);
  CSprite b(202, 0, 150, 150);
  CDrawList list;
  list.append(&a);
  list.append(&b);
  EXPECT_TRUE(list.remove(&a));
  EXPECT_FALSE(list.remove(&a));
  EXPECT_EQ(list.at(0), &b);
  list.removeAll();
  EXPECT_EQ(a.imageId(), 202);
  EXPECT_EQ(b.imageId(), 202);
  EXPECT_TRUE(list.isEmpty());
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
