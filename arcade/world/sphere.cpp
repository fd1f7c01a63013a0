#include "arcade/world/sphere.h"

#include <array>

#include "arcade/world/geometry.h"
#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {

constexpr std::array<double, kSphereKinds> kRadius = {4, 5, 3, 5, 4, 8, 8, 8, 18, 8};
constexpr std::array<int, kSphereKinds> kHitPoints = {2, 2, 3, 3, 4, 4, -1, -1, -1, 5};
constexpr std::array<std::array<int, 3>, kSphereKinds> kSpin = {{{0, 128, 0},
                                                                 {-109, -137, 9},
                                                                 {-256, 160, 37},
                                                                 {17, 37, 117},
                                                                 {16, 32, 64},
                                                                 {0, 119, 0},
                                                                 {0, -217, 0},
                                                                 {0, 272, 0},
                                                                 {0, -43, 0},
                                                                 {67, -275, 127}}};
constexpr double kRingHeight[4] = {0.9239, 0.3827, -0.3827, -0.9239};
constexpr double kRingRadius[4] = {0.3827, 0.9239, 0.9239, 0.3827};

// One look of a face: a texture, a flat colour or four Gouraud indices.
struct FaceLook {
  int texture = 0;
  int r = -1, g = 0, b = 0;
  std::array<std::uint8_t, 4> shades{};
};

FaceLook tex(int t) {
  return {t, -1, 0, 0, {}};
}
FaceLook flat(int r, int g, int b) {
  return {0, r, g, b, {}};
}
FaceLook gouraud(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  return {0, -1, 0, 0, {a, b, c, d}};
}

std::array<FaceLook, 2> looksOf(int kind) {
  switch (kind) {
    case 0:
      return {tex(1002), flat(140, 140, 64)};
    case 1:
      return {gouraud(214, 229, 229, 214), gouraud(229, 214, 214, 229)};
    case 2:
      return {gouraud(245, 245, 230, 230), tex(1002)};
    case 3:
      return {tex(1003), tex(1003)};
    case 4:
      return {flat(135, 135, 50), flat(210, 210, 85)};
    case 5:
      return {gouraud(245, 245, 230, 230), gouraud(245, 245, 230, 230)};
    case 6:
      return {gouraud(198, 198, 213, 213), gouraud(213, 213, 198, 198)};
    case 7:
      return {gouraud(197, 197, 182, 182), tex(1002)};
    case 8:
      return {tex(1004), tex(1004)};
    default:
      return {flat(128, 48, 16), flat(192, 96, 32)};
  }
}

int clampKind(int kind) {
  return kind >= 0 && kind < kSphereKinds ? kind : 0;
}

}  // namespace

double sphereRadius(int kind) {
  return kRadius[clampKind(kind)];
}

int sphereHitPoints(int kind) {
  return kHitPoints[clampKind(kind)];
}

CSphere::CSphere(CWorld& world, int sphereKind, const Vector3& centre)
    : CSolid(world, SolidKind::Sphere, sphereHitPoints(sphereKind), kSpherePoints),
      m_kind(clampKind(sphereKind)),
      m_radius(fx(sphereRadius(sphereKind))) {
  position = centre;
  ExtendBox(-m_radius, -m_radius, -m_radius);
  ExtendBox(m_radius, m_radius, m_radius);
  auto corner = [&](int ring, int k) {
    const int a = (kSixteenthTurn + k * kEighthTurn) & kAngleMask;
    const Fixed rr = m_radius * fx(kRingRadius[ring]);
    return Vector3{rr * cosine(a), m_radius * fx(kRingHeight[ring]), rr * sine(a)};
  };
  const Vector3 origin;
  for (int ring = 0; ring < 3; ++ring) {
    for (int k = 0; k < 8; ++k) {
      CPolygon* p = AddOutward(
          *this,
          {corner(ring, k), corner(ring, k + 1), corner(ring + 1, k + 1), corner(ring + 1, k)},
          origin, true);
      if (p != nullptr) Look(*p, (k + ring) & 1);
    }
  }
  for (int ring : {0, 3}) {
    std::vector<Vector3> cap;
    for (int k = 0; k < 8; ++k) cap.push_back(corner(ring, k));
    if (CPolygon* p = AddOutward(*this, cap, origin, true)) Look(*p, 0);
  }
}

void CSphere::Look(CPolygon& p, int look) {
  const FaceLook l = looksOf(m_kind)[look];
  if (l.texture != 0) {
    if (CIndexedImage* t = m_world.Texture(l.texture)) {
      p.SetTexture(t);
      return;
    }
    p.SetColour(m_world.Palette(), 160, 160, 160);
  } else if (l.r >= 0) {
    p.SetColour(m_world.Palette(), l.r, l.g, l.b);
  } else {
    p.SetVertexShades(l.shades[0], l.shades[1], l.shades[2], l.shades[3]);
  }
}

bool CSphere::HitTest(const Vector3& p) const {
  if (!CSolid::HitTest(p)) return false;
  return (p - position).length() < m_radius;
}

void ReflectOffSphere(const Vector3& centre, const Vector3& p, Vector3& velocity) {
  Vector3 out = p - centre;
  out.normalise();
  velocity += out * Fixed::fromInt(2);
  velocity.y *= fx(0.6667);
  velocity.normalise();
}

void CSphere::Reflect(const Vector3& p, Vector3& velocity) {
  ReflectOffSphere(position, p, velocity);
}

bool CSphere::Update(std::int32_t, CSolid*) {
  const auto& spin = kSpin[m_kind];
  rotationX = (rotationX + spin[0]) & kAngleMask;
  rotationY = (rotationY + spin[1]) & kAngleMask;
  rotationZ = (rotationZ + spin[2]) & kAngleMask;
  if (hitPoints == 0 && !m_goneSoundPlayed) {
    m_goneSoundPlayed = true;
    m_world.PlaySoundAt(sound::kSphereGone, position);
  }
  return GrowOrShrink();
}

int CSphere::BounceSound() const {
  return sound::kSphereBounce;
}

}  // namespace arcade
