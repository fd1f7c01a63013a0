#include "arcade/world/vector3.h"

#include <gtest/gtest.h>

namespace arcade {
namespace {

TEST(Vector, LengthNormaliseAndApproach) {
  Vector3 v{Fixed::fromInt(3), Fixed::fromInt(4), Fixed::fromInt(12)};
  EXPECT_NEAR(v.length().toDouble(), 13.0, 1.0 / 4096);
  const Fixed former = v.normalise();
  EXPECT_NEAR(former.toDouble(), 13.0, 1.0 / 4096);
  EXPECT_NEAR(v.length().toDouble(), 1.0, 1.0 / 1024);
  EXPECT_NEAR(v.z.toDouble(), 12.0 / 13, 1.0 / 4096);
  Vector3 zero;
  EXPECT_EQ(zero.normalise().raw(), 0);
  EXPECT_EQ(zero, Vector3{});
  // A 100-unit vector: the pre-shift keeps the sum of squares in range.
  EXPECT_NEAR((Vector3{Fixed::fromInt(-100), Fixed(), Fixed()}).length().toDouble(), 100.0, 1e-3);
  EXPECT_EQ(approach(0, 90, 8), 10);
  EXPECT_EQ(approach(100, 0, 1), 50);
  EXPECT_EQ(approach(Fixed::fromInt(10), Fixed::fromInt(21), 10).raw(), Fixed::fromInt(11).raw());
}

}  // namespace
}  // namespace arcade
