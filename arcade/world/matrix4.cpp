#include "arcade/world/matrix4.h"

#include "arcade/world/trig.h"

namespace arcade {

Matrix4::Matrix4() {
  for (int i = 0; i < 4; ++i) m_m[i][i] = Fixed::fromInt(1);
}

Matrix4 Matrix4::scaling(Fixed s) {
  Matrix4 m;
  m.m_m[0][0] = m.m_m[1][1] = m.m_m[2][2] = s;
  return m;
}

Matrix4 Matrix4::translation(const Vector3& t) {
  Matrix4 m;
  m.m_m[3][0] = t.x;
  m.m_m[3][1] = t.y;
  m.m_m[3][2] = t.z;
  return m;
}

// Positive angles turn y toward z (about X), z toward x (about Y) and x toward
// y (about Z), in the row-vector convention p' = p x R.
Matrix4 Matrix4::rotationX(int angle) {
  Matrix4 m;
  const Fixed s = sine(angle), c = cosine(angle);
  m.m_m[1][1] = c;
  m.m_m[1][2] = s;
  m.m_m[2][1] = -s;
  m.m_m[2][2] = c;
  return m;
}

Matrix4 Matrix4::rotationY(int angle) {
  Matrix4 m;
  const Fixed s = sine(angle), c = cosine(angle);
  m.m_m[0][0] = c;
  m.m_m[0][2] = -s;
  m.m_m[2][0] = s;
  m.m_m[2][2] = c;
  return m;
}

Matrix4 Matrix4::rotationZ(int angle) {
  Matrix4 m;
  const Fixed s = sine(angle), c = cosine(angle);
  m.m_m[0][0] = c;
  m.m_m[0][1] = s;
  m.m_m[1][0] = -s;
  m.m_m[1][1] = c;
  return m;
}

Matrix4 Matrix4::operator*(const Matrix4& o) const {
  Matrix4 r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      Fixed sum;
      for (int k = 0; k < 4; ++k) sum += m_m[i][k] * o.m_m[k][j];
      r.m_m[i][j] = sum;
    }
  }
  return r;
}

Matrix4& Matrix4::scale(Fixed s) {
  return *this *= scaling(s);
}

Matrix4& Matrix4::translate(const Vector3& t) {
  return *this *= translation(t);
}

Matrix4& Matrix4::rotate(int ax, int ay, int az, RotationOrder order) {
  static constexpr char kAxes[6][3] = {{'x', 'y', 'z'}, {'x', 'z', 'y'}, {'y', 'x', 'z'},
                                       {'y', 'z', 'x'}, {'z', 'x', 'y'}, {'z', 'y', 'x'}};
  for (char axis : kAxes[static_cast<int>(order)]) {
    if (axis == 'x' && (ax & kAngleMask) != 0) *this *= rotationX(ax);
    if (axis == 'y' && (ay & kAngleMask) != 0) *this *= rotationY(ay);
    if (axis == 'z' && (az & kAngleMask) != 0) *this *= rotationZ(az);
  }
  return *this;
}

Vector3 Matrix4::transformPoint(const Vector3& p) const {
  Vector3 r;
  r.x = p.x * m_m[0][0] + p.y * m_m[1][0] + p.z * m_m[2][0] + m_m[3][0];
  r.y = p.x * m_m[0][1] + p.y * m_m[1][1] + p.z * m_m[2][1] + m_m[3][1];
  r.z = p.x * m_m[0][2] + p.y * m_m[1][2] + p.z * m_m[2][2] + m_m[3][2];
  return r;
}

}  // namespace arcade
