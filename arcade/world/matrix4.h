// Matrix4: a 4 x 4 matrix of 16.16 values in row-vector form. A point
// (x, y, z, 1) is multiplied from the left, so the translation sits in the
// fourth row, and a matrix is extended by post-multiplication (M = M x N):
// the transformation added last is applied last. Every product uses the
// 64-bit fixed-point multiplication.
#pragma once

#include <array>

#include "arcade/world/fixed.h"
#include "arcade/world/vector3.h"

namespace arcade {

// Axis orders of a three-angle rotation; the first named axis is applied
// first to a point.
enum class RotationOrder { XYZ = 0, XZY = 1, YXZ = 2, YZX = 3, ZXY = 4, ZYX = 5 };

class Matrix4 {
 public:
  Matrix4();  // identity
  static Matrix4 identity() { return Matrix4(); }
  static Matrix4 scaling(Fixed s);
  static Matrix4 translation(const Vector3& t);
  static Matrix4 rotationX(int angle);
  static Matrix4 rotationY(int angle);
  static Matrix4 rotationZ(int angle);

  Fixed& at(int row, int col) { return m_m[row][col]; }
  Fixed at(int row, int col) const { return m_m[row][col]; }

  Matrix4 operator*(const Matrix4& o) const;
  Matrix4& operator*=(const Matrix4& o) { return *this = *this * o; }
  bool operator==(const Matrix4&) const = default;

  // Post-multiplying helpers; each returns *this for chaining.
  Matrix4& scale(Fixed s);
  Matrix4& translate(const Vector3& t);
  // Rotates by the three angles in the given axis order; a single-axis
  // rotation whose angle is 0 is skipped.
  Matrix4& rotate(int ax, int ay, int az, RotationOrder order);

  Vector3 transformPoint(const Vector3& p) const;

 private:
  std::array<std::array<Fixed, 4>, 4> m_m{};
};

}  // namespace arcade
