#include "arena/core/pad_keys.h"

#include <gtest/gtest.h>

#include "arena/core/keys.h"

namespace arena {
namespace {

PadState held(bool up, bool down, bool left, bool right) {
  PadState pad;
  pad.up = up;
  pad.down = down;
  pad.left = left;
  pad.right = right;
  return pad;
}

TEST(PadKeys, EveryDirectionPairIsTheKeyOfItsHeading) {
  EXPECT_EQ(padHeading(held(true, false, false, true)), Heading::UpRight);
  EXPECT_EQ(padHeading(held(false, true, false, true)), Heading::DownRight);
  EXPECT_EQ(padHeading(held(false, true, true, false)), Heading::DownLeft);
  EXPECT_EQ(padHeading(held(true, false, true, false)), Heading::UpLeft);
  EXPECT_EQ(padHeading(held(false, false, true, false)), Heading::Left);
  EXPECT_EQ(padHeading(held(false, false, false, true)), Heading::Right);
  EXPECT_EQ(padHeading(held(true, false, false, false)), Heading::Up);
  EXPECT_EQ(padHeading(held(false, true, false, false)), Heading::Down);
  EXPECT_FALSE(padHeading(held(false, false, false, false)));
  // Opposites cancel; what is left decides.
  EXPECT_FALSE(padHeading(held(true, true, true, true)));
  EXPECT_EQ(padHeading(held(true, true, false, true)), Heading::Right);
}

TEST(PadKeys, DirectionsRepeatWhileHeldButtonsOnlyWhenPressed) {
  PadState pad = held(false, false, false, true);
  pad.fire = true;
  pad.start = true;
  const std::vector<int32_t> first = padKeys(PadState{}, pad);
  EXPECT_EQ(first, (std::vector<int32_t>{key::kReturn, key::kRight, key::kSpace}));
  // Still held on the next poll: only the direction repeats.
  EXPECT_EQ(padKeys(pad, pad), (std::vector<int32_t>{key::kRight}));
  PadState released;
  EXPECT_TRUE(padKeys(pad, released).empty());
  released.fire = true;
  EXPECT_EQ(padKeys(PadState{}, released), (std::vector<int32_t>{key::kSpace}));
}

}  // namespace
}  // namespace arena
