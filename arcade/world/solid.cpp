#include "arcade/world/solid.h"

#include "arcade/world/world.h"

namespace arcade {

CSolid::CSolid(CWorld& world, SolidKind k, std::int32_t hp, std::int32_t pointsPerHitPoint)
    : kind(k), hitPoints(hp), points(hp * pointsPerHitPoint), m_world(world) {
  scale = Fixed();
}

void CSolid::Hit() {
  if (hitPoints > 0) {
    --hitPoints;
    if (m_world.ActiveEnhancement() == enhancement::kPurple) hitPoints = 0;
    if (hitPoints == 0) {
      m_world.AddScore(points);
      if (m_world.ActiveEnhancement() == enhancement::kBlue) m_world.AddScore(points);
    }
  }
  scale = hitScale;
}

void CSolid::ExtendBox(Fixed x, Fixed y, Fixed z) {
  boxMax = {std::max(boxMax.x, x), std::max(boxMax.y, y), std::max(boxMax.z, z)};
  boxMin = {std::min(boxMin.x, x), std::min(boxMin.y, y), std::min(boxMin.z, z)};
}

namespace {

// Half-open on every axis: the low face belongs to the box, the high face to
// its neighbour. Blocks of one grid share their edge values exactly (both
// are made from the same number), so a point on a seam lies in exactly one
// of the two; with open boxes a ball at y = 0 slipped between two stacked
// tiles.
bool withinHalfOpen(Fixed r, Fixed lo, Fixed hi) {
  return r >= lo && r < hi;
}

}  // namespace

bool CSolid::InsideBox(const Vector3& p) const {
  const Vector3 r = p - position;
  return withinHalfOpen(r.x, boxMin.x, boxMax.x) && withinHalfOpen(r.y, boxMin.y, boxMax.y) &&
         withinHalfOpen(r.z, boxMin.z, boxMax.z);
}

bool CSolid::HitTest(const Vector3& p) const {
  return hitPoints != 0 && InsideBox(p);
}

bool CSolid::BoxOverlaps(const Vector3& at, const CSolid& o) const {
  if (boxMin.x > boxMax.x || o.boxMin.x > o.boxMax.x) return false;  // an empty box
  const Vector3 aMin = at + boxMin, aMax = at + boxMax;
  const Vector3 bMin = o.position + o.boxMin, bMax = o.position + o.boxMax;
  return aMin.x < bMax.x && bMin.x < aMax.x && aMin.y < bMax.y && bMin.y < aMax.y &&
         aMin.z < bMax.z && bMin.z < aMax.z;
}

void CSolid::Reflect(const Vector3& p, Vector3& velocity) {
  ReflectOffBox(*this, p, velocity, m_world.Random());
}

bool CSolid::GrowOrShrink() {
  if (hitPoints != 0) {
    scale += (Fixed::fromInt(1) - scale) * rate;
    return false;
  }
  scale -= scale * rate;
  return scale < kRemoveBelow;
}

bool CSolid::Update(std::int32_t, CSolid*) {
  return GrowOrShrink();
}

void CSolid::PaddleSweep(const Vector3&) {}

int CSolid::BounceSound() const {
  return hitPoints < 0 ? sound::kWallBounce : sound::kBlockBounce;
}

void ReflectOffBox(const CSolid& box, const Vector3& p, Vector3& v, CRandom& random) {
  const Vector3 r = p - box.position;
  if (!withinHalfOpen(r.x, box.boxMin.x, box.boxMax.x)) v.x = -v.x;
  if (!withinHalfOpen(r.y, box.boxMin.y, box.boxMax.y)) v.y = -v.y;
  if (!withinHalfOpen(r.z, box.boxMin.z, box.boxMax.z)) v.z = -v.z;
  ApplySideways(v, [&random] { return random.Next(); });
  v.normalise();
}

}  // namespace arcade
