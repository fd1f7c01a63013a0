#include "arcade/world/morphoid.h"

#include <array>

#include "arcade/world/geometry.h"
#include "arcade/world/sphere.h"
#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {

constexpr std::array<MorphoidKind, kMorphoidKinds> kKinds = {{{5, 3, 2, 10, 4.0},
                                                              {3.5, 3, 2, 10, 5.5},
                                                              {3.5, 3, 3, 10, 5.0},
                                                              {5, 4, 3, 12, 5.5},
                                                              {3.5, 4, 4, 12, 6.0},
                                                              {3.5, 4, 4, 14, 6.5},
                                                              {5, 5, 5, 15, 7.0},
                                                              {3.5, 5, 5, 15, 7.5},
                                                              {5, 5, 6, 16, 8.0},
                                                              {5, 6, 6, 16, 8.5}}};

// Colours of the tetrahedra (one per tetrahedron, faces darkened in turn).
constexpr std::array<std::array<int, 3>, 6> kTetraColours = {{{220, 60, 200},
                                                              {250, 170, 40},
                                                              {60, 210, 230},
                                                              {170, 240, 60},
                                                              {240, 80, 60},
                                                              {150, 110, 250}}};
constexpr int kFaceShade[4] = {256, 210, 170, 130};

constexpr double kDeathDistance = 85.0;
constexpr double kTargetReached = 2.0;
constexpr int kWanderTries = 10;

}  // namespace

MorphoidKind morphoidKindData(int kind) {
  return kKinds[kind >= 0 && kind < kMorphoidKinds ? kind : 0];
}

CMorphoid::CMorphoid(CWorld& world, int kind, const Vector3& at)
    : CSolid(world, SolidKind::Morphoid, morphoidKindData(kind).hitPoints, kMorphoidPoints),
      m_kind(kind >= 0 && kind < kMorphoidKinds ? kind : 0),
      m_size(fx(morphoidKindData(kind).size)),
      m_wander(fx(morphoidKindData(kind).wanderRadius)),
      m_speed(fx(morphoidKindData(kind).speed)),
      m_target(at),
      m_drift(static_cast<std::uint32_t>(world.Random().Next()) << 15 |
              static_cast<std::uint32_t>(world.Random().Next())) {
  position = at;
  ExtendBox(-m_size, -m_size, -m_size);
  ExtendBox(m_size, m_size, m_size);
  const int tetrahedra = morphoidKindData(kind).tetrahedra;
  const CGamePalette& palette = world.Palette();
  for (int t = 0; t < tetrahedra; ++t) {
    CVertex* v[4];
    for (auto& corner : v) {
      const Vector3 d = RandomDirection(m_drift);
      m_vertexTargets.push_back(d);
      corner = AddVertex(d.x, d.y, d.z);
    }
    const auto& c = kTetraColours[t % kTetraColours.size()];
    CVertex* faces[4][3] = {
        {v[0], v[1], v[2]}, {v[0], v[3], v[1]}, {v[0], v[2], v[3]}, {v[1], v[3], v[2]}};
    for (int f = 0; f < 4; ++f) {
      CPolygon* p = AddTriangle(faces[f][0], faces[f][1], faces[f][2], false);
      p->SetColour(palette, c[0] * kFaceShade[f] / 256, c[1] * kFaceShade[f] / 256,
                   c[2] * kFaceShade[f] / 256);
    }
  }
  NewTarget();
}

// A random direction (angle for x = cos, z = sin; y = (random & 127)^2 /
// 2^14 with a random sign), normalised and scaled to the size.
Vector3 CMorphoid::RandomDirection(CRandom& random) const {
  const int a = random.Next() & kAngleMask;
  const int r = random.Next() & 127;
  Fixed y = Fixed::fromRaw(r * r * 4);  // (r^2 / 2^14) in 16.16
  if ((random.Next() & 0x80) != 0) y = -y;
  Vector3 d{cosine(a), y, sine(a)};
  d.normalise();
  return d * m_size;
}

void CMorphoid::NewTarget() {
  const int a = m_world.Random().Next() & kAngleMask;
  m_target = position + Vector3{m_wander * cosine(a), Fixed(), m_wander * sine(a)};
}

CSolid* CMorphoid::Blocker(const Vector3& at, CSolid* list) const {
  for (CSolid* o = list; o != nullptr; o = o->nextObject) {
    if (o != this && o->hitPoints != 0 && BoxOverlaps(at, *o)) return o;
  }
  return nullptr;
}

void CMorphoid::Wander(std::int32_t step, CSolid* list) {
  if (m_world.Random().Byte() < 8) {
    NewTarget();
    return;
  }
  for (int attempt = 0; attempt < kWanderTries; ++attempt) {
    Vector3 direction = m_target - position;
    if (direction.length() < fx(kTargetReached)) {
      NewTarget();
      return;
    }
    direction.normalise();
    m_heading = approach(m_heading, direction * m_speed, 8);
    const Vector3 candidate = position + m_heading * Fixed::fromRaw(step);
    CSolid* blocker = Blocker(candidate, list);
    if (blocker == nullptr) {
      position = candidate;
      return;
    }
    if (BoxOverlaps(position, *blocker)) return;  // already inside it: stay
    NewTarget();
  }
}

bool CMorphoid::Update(std::int32_t step, CSolid* list) {
  const bool remove = GrowOrShrink();
  if (position.length() > fx(kDeathDistance)) hitPoints = 0;
  if (hitPoints > 0) Wander(step, list);
  return remove;
}

void CMorphoid::Reflect(const Vector3& p, Vector3& velocity) {
  ReflectOffSphere(position, p, velocity);
  velocity = velocity * fx(0.25);
  velocity.y *= fx(0.6667);
  CRandom& random = m_world.Random();
  const int rx = random.Byte() - 128;
  const int ry = random.Byte() - 128;
  const int rz = random.Byte() - 128;
  velocity += Vector3{Fixed::fromInt(rx), Fixed::fromInt(ry) * fx(0.6667), Fixed::fromInt(rz)};
  velocity.normalise();
}

void CMorphoid::PaddleSweep(const Vector3& point) {
  if (hitPoints <= 0) return;
  if ((point - position).length() < m_size) {
    hitPoints = 0;
    m_world.AddScore(points);
  }
}

void CMorphoid::Draw(CRenderer& renderer, const Matrix4& camera) {
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    if ((m_drift.Next() & 127) < 10) m_vertexTargets[i] = RandomDirection(m_drift);
    Vector3& offset = vertices[i].model;
    offset = Vector3{Fixed::fromRaw(offset.x.raw() * 15 / 16 + m_vertexTargets[i].x.raw() / 16),
                     Fixed::fromRaw(offset.y.raw() * 15 / 16 + m_vertexTargets[i].y.raw() / 16),
                     Fixed::fromRaw(offset.z.raw() * 15 / 16 + m_vertexTargets[i].z.raw() / 16)};
    offset.normalise();
    offset = offset * m_size;
  }
  CNode::Draw(renderer, camera);
}

int CMorphoid::BounceSound() const {
  return sound::kMorphoidBounce;
}

}  // namespace arcade
