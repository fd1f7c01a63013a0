#include "arcade/world/force_field.h"

#include "arcade/world/geometry.h"
#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {
constexpr double kBeyondPaddle = 8.0;
}

Ramp forceFieldRamp(int kind) {
  switch (kind) {
    case 0:
      return {64, 16, 16, 225, 64, 64};
    case 1:
      return {64, 64, 16, 225, 225, 64};
    case 2:
      return {16, 64, 16, 64, 225, 64};
    case 3:
      return {225, 225, 225, 16, 16, 16};
    case 4:
      return {16, 16, 64, 64, 64, 225};
    default:
      return {64, 16, 64, 225, 64, 225};
  }
}

CForceField::CForceField(CWorld& world, int kind, const Vector3& at, int flag)
    : CSolid(world, SolidKind::ForceField, -1, 0), m_kind(kind) {
  permanent = true;
  position = at;
  Vector3 direction = at;
  if (flag != 0) {
    direction = {Fixed(), Fixed(), Fixed::fromInt(-1)};
  } else {
    direction.normalise();
  }
  m_velocity = direction * (world.Ball().baseSpeed() * fx(0.6667));
  // The octagon lies in the model's x-y plane; turn its face along the flight.
  rotationY = arcTangent(direction.z.raw(), direction.x.raw());
  const Ramp r = forceFieldRamp(kind);
  AddPolygon(AddOctagonVertices(*this, Fixed::fromInt(1), kSixteenthTurn), false)
      ->SetRamp(world.Palette(), r.r0, r.g0, r.b0, r.r1, r.g1, r.b1);
}

bool CForceField::HitTest(const Vector3&) const {
  return false;
}

bool CForceField::Update(std::int32_t step, CSolid*) {
  const Fixed paddleRadius = m_world.Paddle().radius();
  const Fixed d0 = position.length();
  position += m_velocity * Fixed::fromRaw(step);
  const Fixed d1 = position.length();
  if (d1 > paddleRadius + fx(kBeyondPaddle)) return true;
  scale = Fixed::fromInt(4) * d1 / paddleRadius;
  if (d0 <= paddleRadius && paddleRadius < d1) {
    const Vector3 p = m_world.Paddle().Point(paddleRadius);
    if ((p - position).length() < scale + m_world.Paddle().halfWidth()) {
      m_world.CatchField(m_kind, position);
      return true;
    }
  }
  return false;
}

}  // namespace arcade
