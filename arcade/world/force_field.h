// CForceField: what a destroyed enhancement box releases. A flat translucent
// octagon in the colours of its kind, it flies outward (or straight toward
// the near side) at two thirds of the ball's base speed, grows as it goes,
// and is caught when it crosses the paddle circle close enough to the paddle.
// The ball passes through it and it never blocks a Morphoid (its box is
// empty). It is permanent: it does not hold up the end of a level.
#pragma once

#include "arcade/world/solid.h"

namespace arcade {

struct Ramp {
  int r0, g0, b0, r1, g1, b1;
};
Ramp forceFieldRamp(int kind);

class CForceField : public CSolid {
 public:
  CForceField(CWorld& world, int enhancementKind, const Vector3& at, int flag);
  bool HitTest(const Vector3& p) const override;
  bool Update(std::int32_t step, CSolid* list) override;
  int enhancementKind() const { return m_kind; }
  const Vector3& velocity() const { return m_velocity; }

 private:
  int m_kind;
  Vector3 m_velocity;
};

}  // namespace arcade
