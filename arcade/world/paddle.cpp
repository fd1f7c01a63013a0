#include "arcade/world/paddle.h"

#include <algorithm>

#include "arcade/world/force_field.h"
#include "arcade/world/geometry.h"
#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {

// Model units of the back pieces: the face has unit radius and is scaled by
// the half-width, so 0.18 behind the face is about 0.75 with the normal width.
constexpr double kBackDepth = 0.18;
constexpr double kBackSpread = 0.04;
constexpr int kBackColours[3][3] = {{96, 32, 32}, {160, 96, 96}, {136, 82, 82}};
constexpr int kBackCorners[3] = {0, 3, 5};

// Input is not clamped (a captured mouse may run past the window), but it
// is kept to finite values that the angle arithmetic can take.
float sane(float v) {
  if (!(v == v)) return 0.0f;
  return std::clamp(v, -1000.0f, 1000.0f);
}

}  // namespace

Ramp paddleRamp(int e) {
  switch (e) {
    case enhancement::kRed:
      return {96, 64, 64, 255, 192, 192};
    case enhancement::kYellow:
      return {96, 96, 64, 255, 255, 192};
    case enhancement::kGreen:
      return {64, 96, 64, 192, 255, 192};
    case enhancement::kBlue:
      return {96, 96, 128, 128, 128, 255};
    case enhancement::kPurple:
      return {48, 32, 48, 255, 128, 255};
    default:
      return {64, 64, 96, 192, 192, 255};
  }
}

CPaddle::CPaddle(CWorld& world)
    : CSolid(world, SolidKind::Paddle, -1, 0), m_halfWidth(fx(kPaddleHalfWidth)) {
  hitScale = fx(0.85);
  rule = MatrixRule::Paddle;
  position = {Fixed(), Fixed(), -fx(kPaddleDistance)};
  rotationZ = kPaddleRoll;
  std::vector<CVertex*> face = AddOctagonVertices(*this, Fixed::fromInt(1), kSixteenthTurn);
  AddPolygon(face, false);
  Recolour(enhancement::kNone);
  // Behind the face: away from the playfield centre, toward the camera.
  for (int i = 0; i < 3; ++i) {
    const Fixed s = fx(kBackSpread) * Fixed::fromInt(i - 1);
    CVertex* a = AddVertex(s, fx(kBackSpread), -fx(kBackDepth));
    CVertex* b = AddVertex(s, -fx(kBackSpread), -fx(kBackDepth));
    const auto& c = kBackColours[i];
    AddTriangle(face[kBackCorners[i]], a, b, false)->SetColour(world.Palette(), c[0], c[1], c[2]);
  }
}

void CPaddle::Recolour(int e) {
  const Ramp r = paddleRamp(e);
  polygons.front()->SetRamp(m_world.Palette(), r.r0, r.g0, r.b0, r.r1, r.g1, r.b1);
}

void CPaddle::TickUpdate(const WorldInput& input, int cameraYaw, int activeEnhancement) {
  m_halfWidth =
      fx(activeEnhancement == enhancement::kYellow ? kPaddleHalfWidthYellow : kPaddleHalfWidth);
  m_sx = (m_sx * 0.1f + sane(input.x)) / 1.1f;
  m_sy = (m_sy * 0.1f + sane(input.y)) / 1.1f;
  int c = cameraYaw;
  if (c > 4096) c -= 8192;
  rotationY = (static_cast<int>(m_sx * 512.0f - static_cast<float>(c)) + 8192) & kAngleMask;
  rotationX = (static_cast<int>(std::clamp(m_sy * 128.0f, -128.0f, 128.0f)) + 8192) & kAngleMask;
  scale += (Fixed::fromInt(1) - scale) * rate;
}

Vector3 CPaddle::Direction() const {
  // (0, 0, -1) tilted by the pitch about the x axis, then turned by the yaw
  // about the y axis: the order of the paddle's own matrix (roll, pitch,
  // yaw), so the ball, the contact point and the drawn face agree. With the
  // full tilt of 128 units the paddle centre stands about 4.9 units above
  // or below the middle plane.
  const Fixed cp = cosine(rotationX);
  return {-(cp * sine(rotationY)), sine(rotationX), -(cp * cosine(rotationY))};
}

Fixed CPaddle::radius() const {
  return position.z < Fixed() ? -position.z : position.z;
}

void CPaddle::Draw(CRenderer& renderer, const Matrix4& camera) {
  const Fixed growth = scale;
  scale = growth * m_halfWidth;
  CNode::Draw(renderer, camera);
  scale = growth;
}

}  // namespace arcade
