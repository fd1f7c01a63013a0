#include "arcade/world/fixed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace arcade {
namespace {

TEST(Fixed, ProductsUseTheFull64BitProduct) {
  EXPECT_EQ((Fixed::fromDouble(1.5) * Fixed::fromDouble(2.25)).raw(),
            Fixed::fromDouble(3.375).raw());
  EXPECT_EQ((Fixed::fromInt(-3) * Fixed::fromDouble(0.5)).raw(), Fixed::fromDouble(-1.5).raw());
  // 150 x 150 overflows a 32-bit raw product but not the 64-bit one.
  EXPECT_EQ((Fixed::fromInt(150) * Fixed::fromInt(150)).toInt(), 22500);
  // The shift is arithmetic: a tiny negative product rounds toward minus infinity.
  EXPECT_EQ(Fixed::mul(-1, 1), -1);
}

TEST(Fixed, QuotientsKeepPrecisionAndZeroDivisorReturnsDividend) {
  EXPECT_EQ((Fixed::fromInt(1) / Fixed::fromInt(3)).raw(), 21840);
  EXPECT_EQ((Fixed::fromInt(10) / Fixed::fromInt(4)).raw(), Fixed::fromDouble(2.5).raw());
  EXPECT_EQ((Fixed::fromInt(-9) / Fixed::fromInt(3)).raw(), Fixed::fromInt(-3).raw());
  EXPECT_EQ((Fixed::fromInt(16384) / Fixed::fromInt(2)).toInt(), 8192);
  EXPECT_EQ((Fixed::fromDouble(7.25) / Fixed()).raw(), Fixed::fromDouble(7.25).raw());
  for (double a : {0.001, 0.75, 3.0, 123.456, -48.5}) {
    for (double b : {0.25, 1.0, 7.0, -2.5, 90.0}) {
      const double q = (Fixed::fromDouble(a) / Fixed::fromDouble(b)).toDouble();
      const double exact = Fixed::fromDouble(a).toDouble() / Fixed::fromDouble(b).toDouble();
      // The dividend is shifted up to at least 2^29 before dividing, so the
      // integer quotient carries |b| / 2^29 relative error at most.
      const double relative = std::abs(Fixed::fromDouble(b).raw()) / double(1 << 29);
      EXPECT_NEAR(q, exact, std::abs(exact) * relative + 2.0 / 65536) << a << " / " << b;
    }
  }
}

TEST(Fixed, DecimalsTruncateTowardZeroAndSaturateOutsideTheRange) {
  EXPECT_EQ(Fixed::fromDouble(1.99999).toInt(), 1);
  EXPECT_EQ(Fixed::fromDouble(-0.00001).raw(), 0);
  EXPECT_EQ(Fixed::fromDouble(32767.99999).raw(), 0x7FFFFFFF);
  // Out-of-range values are held at the ends instead of being undefined.
  const double inf = std::numeric_limits<double>::infinity();
  for (double big : {32768.0, 1e12, inf}) {
    EXPECT_EQ(Fixed::fromDouble(big).raw(), INT32_MAX) << big;
    EXPECT_EQ(Fixed::fromDouble(-big).raw(), INT32_MIN) << -big;
  }
  EXPECT_EQ(Fixed::fromDouble(std::numeric_limits<double>::quiet_NaN()).raw(), 0);
  EXPECT_EQ(Fixed::fromDouble(-std::numeric_limits<double>::quiet_NaN()).raw(), 0);
}

}  // namespace
}  // namespace arcade
