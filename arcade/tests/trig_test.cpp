#include "arcade/world/trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace arcade {
namespace {

TEST(Trig, SineAndCosineMatchTheLibraryWithinTableResolution) {
  for (int a = 0; a < kAngleUnits; a += 37) {
    const double rad = a * 2 * std::numbers::pi / kAngleUnits;
    EXPECT_NEAR(sine(a).toDouble(), std::sin(rad), 1.0 / 65536) << a;
    EXPECT_NEAR(cosine(a).toDouble(), std::cos(rad), 1.0 / 65536) << a;
  }
  EXPECT_EQ(sine(-2048).raw(), -65536);
  EXPECT_EQ(sine(8192 + 2048).raw(), 65536);
}

// Every table entry against the mathematical value (in long double, far
// finer than one unit): the tables must never be off by a whole unit.
TEST(Trig, EverySineEntryIsWithinOneUnitOfTheMathematicalValue) {
  int worst = 0;
  for (int a = 0; a < kAngleUnits; ++a) {
    const long double exact =
        std::sin(a * 2 * std::numbers::pi_v<long double> / kAngleUnits) * 65536;
    const long double diff = std::fabs(sine(a).raw() - exact);
    EXPECT_LT(diff, 1.0L) << "sine(" << a << ") = " << sine(a).raw() << ", exact " << exact;
    if (diff > 0.5L) ++worst;
  }
  EXPECT_EQ(worst, 0) << "entries not rounded to nearest";
  EXPECT_EQ(sine(1024).raw(), 46341);  // 0.70710678 x 65536 = 46340.95
  EXPECT_EQ(sine(0).raw(), 0);
  EXPECT_EQ(sine(4096).raw(), 0);
}

TEST(Trig, EveryArcTangentEntryIsWithinOneUnitOfTheMathematicalValue) {
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      if (x == 0 && y == 0) continue;
      const long double exact = std::atan2(static_cast<long double>(y), x) * kAngleUnits /
                                (2 * std::numbers::pi_v<long double>);
      EXPECT_LT(std::fabs(arcTangent(x, y) - exact), 0.5L + 1e-9L)
          << "arcTangent(" << x << ", " << y << ") = " << arcTangent(x, y) << ", exact " << exact;
    }
  }
  EXPECT_EQ(arcTangent(5, 5), 1024);
  EXPECT_EQ(arcTangent(0, 7), 2048);
}

TEST(Trig, ArcTangentCoversAllQuadrantsWithinTableResolution) {
  for (double deg = -179; deg < 180; deg += 7.3) {
    const double rad = deg * std::numbers::pi / 180;
    for (double len : {3.0, 90.0, 5000.0}) {
      const auto x = static_cast<std::int32_t>(std::lround(len * 65536 * std::cos(rad)));
      const auto y = static_cast<std::int32_t>(std::lround(len * 65536 * std::sin(rad)));
      const int expected = static_cast<int>(std::lround(deg / 360 * kAngleUnits)) & kAngleMask;
      int diff = std::abs(arcTangent(x, y) - expected);
      diff = std::min(diff, kAngleUnits - diff);
      // Components end between 64 and 127, so the smaller one is off by up
      // to 1 in 64: about 0.9 degree, 20 units.
      EXPECT_LE(diff, 20) << deg << " degrees, length " << len;
    }
  }
  EXPECT_EQ(arcTangent(0, 0), 0);
  EXPECT_EQ(arcTangent(-65536, 0), 4096);
  EXPECT_EQ(arcTangent(0, -65536), 6144);
}

}  // namespace
}  // namespace arcade
