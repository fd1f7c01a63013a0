#include "arcade/world/matrix4.h"

#include <gtest/gtest.h>

#include <cmath>

namespace arcade {
namespace {

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
