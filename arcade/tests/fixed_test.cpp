#include "arcade/world/fixed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "arcade/world/matrix4.h"
#include "arcade/world/trig.h"
#include "arcade/world/vector3.h"

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

TEST(Trig, SineAndCosineMatchTheLibraryWithinTableResolution) {
  for (int a = 0; a < kAngleUnits; a += 37) {
    const double rad = a * 2 * std::numbers::pi / kAngleUnits;
    EXPECT_NEAR(sine(a).toDouble(), std::sin(rad), 1.0 / 65536) << a;
    EXPECT_NEAR(cosine(a).toDouble(), std::cos(rad), 1.0 / 65536) << a;
  }
  EXPECT_EQ(sine(-2048).raw(), -65536);
  EXPECT_EQ(sine(8192 + 2048).raw(), 65536);
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

TEST(Matrix, RotationsKeepLengthsAndFollowTheirAxisOrder) {
  const Vector3 p{Fixed::fromInt(3), Fixed::fromInt(-2), Fixed::fromInt(5)};
  const double len = std::sqrt(9.0 + 4 + 25);
  for (int order = 0; order < 6; ++order) {
    Matrix4 m;
    m.rotate(700, 1900, 5000, static_cast<RotationOrder>(order));
    const Vector3 q = m.transformPoint(p);
    const double ql = std::sqrt(q.x.toDouble() * q.x.toDouble() + q.y.toDouble() * q.y.toDouble() +
                                q.z.toDouble() * q.z.toDouble());
    EXPECT_NEAR(ql, len, 1e-3) << "order " << order;
  }
  Matrix4 xyz, yzx;
  xyz.rotate(700, 1900, 5000, RotationOrder::XYZ);
  yzx.rotate(700, 1900, 5000, RotationOrder::YZX);
  EXPECT_EQ(xyz, Matrix4::rotationX(700) * Matrix4::rotationY(1900) * Matrix4::rotationZ(5000));
  EXPECT_EQ(yzx, Matrix4::rotationY(1900) * Matrix4::rotationZ(5000) * Matrix4::rotationX(700));
  Matrix4 none;
  none.rotate(0, 8192, 0, RotationOrder::ZYX);
  EXPECT_EQ(none, Matrix4::identity());
  // A quarter turn about Y takes +z to +x.
  const Vector3 r = Matrix4::rotationY(2048).transformPoint({Fixed(), Fixed(), Fixed::fromInt(1)});
  EXPECT_EQ(r.x.raw(), 65536);
  EXPECT_EQ(r.z.raw(), 0);
}

TEST(Matrix, TranslationSitsInTheFourthRowAndComposesLast) {
  Matrix4 m = Matrix4::scaling(Fixed::fromInt(2));
  m.translate({Fixed::fromInt(10), Fixed(), Fixed::fromInt(-1)});
  EXPECT_EQ(m.at(3, 0).toInt(), 10);
  const Vector3 q = m.transformPoint({Fixed::fromInt(1), Fixed::fromInt(1), Fixed::fromInt(1)});
  EXPECT_EQ(q.x.toInt(), 12);  // scaled first, then moved
  EXPECT_EQ(q.y.toInt(), 2);
  EXPECT_EQ(q.z.toInt(), 1);
}

}  // namespace
}  // namespace arcade
