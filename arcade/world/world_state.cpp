#include <bit>

#include "arcade/world/world.h"

namespace arcade {

namespace {

class Hasher {
 public:
  void Add(std::int64_t v) {
    auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) {
      m_h ^= (u >> (8 * i)) & 0xFF;
      m_h *= 1099511628211ull;
    }
  }
  void Add(int v) { Add(std::int64_t{v}); }
  void Add(Fixed f) { Add(std::int64_t{f.raw()}); }
  void Add(const Vector3& v) {
    Add(v.x);
    Add(v.y);
    Add(v.z);
  }
  void AddFloat(float f) { Add(std::int64_t{std::bit_cast<std::int32_t>(f)}); }
  std::uint64_t Value() const { return m_h; }

 private:
  std::uint64_t m_h = 1469598103934665603ull;
};

}  // namespace

std::uint64_t CWorld::StateHash() const {
  Hasher h;
  h.Add(m_score);
  h.Add(m_elapsedMs);
  h.Add(std::int64_t{m_random.State()});
  const CBall& b = *m_ball;
  h.Add(b.position);
  h.Add(b.velocity());
  h.Add(b.speed());
  h.Add(static_cast<std::int64_t>(b.state()));
  h.Add(b.holdCountdown());
  h.Add(b.paddleHits());
  h.Add(b.floorBounces());
  h.Add(b.spareBalls);
  const CPaddle& p = *m_paddle;
  h.Add(p.yaw());
  h.Add(p.pitch());
  h.Add(p.scale);
  h.AddFloat(p.smoothedX());
  h.AddFloat(p.smoothedY());
  const CPlayerControl& c = *m_control;
  h.Add(c.Yaw());
  h.Add(c.Pitch());
  h.Add(c.Roll());
  h.Add(c.YawRamp());
  h.Add(c.Zoom());
  h.Add(c.ActiveEnhancement());
  h.Add(c.EnhancementMs());
  for (const CSolid* o = m_objects; o != nullptr; o = o->nextObject) {
    h.Add(static_cast<std::int64_t>(o->kind));
    h.Add(o->hitPoints);
    h.Add(o->position);
    h.Add(o->scale);
    h.Add(o->rotationX);
    h.Add(o->rotationY);
    h.Add(o->rotationZ);
  }
  return h.Value();
}

}  // namespace arcade
