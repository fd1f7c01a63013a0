// CSolid: a drawable that takes part in play. Besides its geometry it has hit
// points (> 0 alive, 0 destroyed and shrinking away, < 0 indestructible), a
// bounding box relative to its position, points scored when destroyed, a
// permanent flag (does not count for clearing the level) and a scale that
// grows toward 1 while alive and shrinks away once destroyed. The virtual
// operations are the per-kind behaviour the ball and the world call; this
// base gives the box-shaped behaviour of blocks.
//
// A solid borrows the world that made it (score, enhancement, random
// generator, sounds, textures); it never outlives that world.
#pragma once

#include <cstdint>

#include "arcade/world/node.h"
#include "arcade/world/random.h"

namespace arcade {

class CWorld;

enum class SolidKind { Block, EnhancementBox, Sphere, Morphoid, ForceField, Paddle };

inline constexpr Fixed kGrowRate = Fixed::fromRaw(0x5553);    // 0.3333
inline constexpr Fixed kRemoveBelow = Fixed::fromRaw(0x800);  // 1 / 32
inline constexpr Fixed kBoxUnset = Fixed::fromInt(9999);

class CSolid : public CNode {
 public:
  CSolid(CWorld& world, SolidKind kind, std::int32_t hitPoints, std::int32_t pointsPerHitPoint);

  // Takes a hit point (all of them with Purple); scores when that destroys
  // it (twice with Blue). The object always flinches to its hit scale.
  virtual void Hit();
  virtual void ExtendBox(Fixed x, Fixed y, Fixed z);
  // The point (world coordinates) lies in the box, low faces included and
  // high faces excluded, unless the object is destroyed.
  virtual bool HitTest(const Vector3& p) const;
  // Bounces the velocity of a ball at p (outside the box on the axes it
  // crossed).
  virtual void Reflect(const Vector3& p, Vector3& velocity);
  // Grows or shrinks; true when the object is to be removed.
  virtual bool Update(std::int32_t step, CSolid* list);
  virtual void PaddleSweep(const Vector3& point);
  virtual int BounceSound() const;

  bool InsideBox(const Vector3& p) const;
  // Whether this object's box placed at `at` overlaps other's box.
  bool BoxOverlaps(const Vector3& at, const CSolid& other) const;

  const SolidKind kind;
  CSolid* nextObject = nullptr;
  std::int32_t hitPoints;
  Vector3 boxMax{-kBoxUnset, -kBoxUnset, -kBoxUnset};
  Vector3 boxMin{kBoxUnset, kBoxUnset, kBoxUnset};
  std::int32_t points;
  bool permanent = false;
  Fixed rate = kGrowRate;
  Fixed hitScale = Fixed::fromDouble(0.8);

 protected:
  // The grow/shrink rule of Update without removal of any kind-specific
  // extras; true once a destroyed object has shrunk below 1/32.
  bool GrowOrShrink();

  CWorld& m_world;
};

// The box reflection: each velocity component whose axis the point does not
// lie within (half-open, as the hit test) is negated; then a ball running nearly along z (or x)
// gets a sideways component of a sixteenth of the other (random sign, bit 7
// of a random number), and the velocity is normalised.
void ReflectOffBox(const CSolid& box, const Vector3& p, Vector3& velocity, CRandom& random);
// The sixteenth rule alone (also used by floor and ceiling bounces); draws
// random values from the supplied function only when a component is set.
template <typename RandomFn>
void ApplySideways(Vector3& v, RandomFn&& random) {
  auto sixteenth = [&](Fixed other) {
    const Fixed s = Fixed::fromRaw(other.raw() / 16);
    const Fixed mag = s < Fixed() ? -s : s;
    return (random() & 0x80) != 0 ? -mag : mag;
  };
  auto abs = [](Fixed f) { return f < Fixed() ? -f : f; };
  if (abs(v.x) < Fixed::fromRaw(abs(v.z).raw() / 16)) v.x = sixteenth(v.z);
  if (abs(v.z) < Fixed::fromRaw(abs(v.x).raw() / 16)) v.z = sixteenth(v.x);
}

}  // namespace arcade
