// CSphere: a spinning ball-shaped solid of one of ten kinds (radius, hit
// points, looks and spin per kind; kinds 6, 7 and 8 are indestructible). Its
// mesh is four rings of eight vertices joined by quadrilaterals, closed at
// top and bottom. The ball hits it inside its box and within its radius, and
// leaves along the outward direction at the point of contact (flattened).
//
// Looks: within each band the faces alternate between the kind's two looks,
// shifted by one from band to band (a checkerboard); both caps take the
// first look.
#pragma once

#include "arcade/world/solid.h"

namespace arcade {

inline constexpr int kSphereKinds = 10;
inline constexpr int kSpherePoints = 500;

double sphereRadius(int kind);
int sphereHitPoints(int kind);

class CSphere : public CSolid {
 public:
  CSphere(CWorld& world, int sphereKind, const Vector3& centre);
  bool HitTest(const Vector3& p) const override;
  void Reflect(const Vector3& p, Vector3& velocity) override;
  bool Update(std::int32_t step, CSolid* list) override;
  int BounceSound() const override;
  int sphereKind() const { return m_kind; }

 private:
  void Look(CPolygon& p, int look);

  int m_kind;
  Fixed m_radius;
  bool m_goneSoundPlayed = false;
};

// Adds 2 x the unit vector from centre to p to the velocity, flattens its y
// by 0.6667 and normalises (spheres and Morphoids).
void ReflectOffSphere(const Vector3& centre, const Vector3& p, Vector3& velocity);

}  // namespace arcade
