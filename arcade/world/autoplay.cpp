#include "arcade/world/autoplay.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <vector>

#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {

constexpr double kUnitsPerRadian = kAngleUnits / (2.0 * std::numbers::pi);
constexpr int kMaxPitch = 128;
// Offsets of the paddle centre from the predicted crossing that the bot
// tries: yaw units (one is about 0.04 world units at the paddle) and pitch
// units. The widest keeps the crossing well inside the paddle's half-width.
constexpr int kYawOffsets = 56;
constexpr int kYawStep = 8;
constexpr int kPitchStep = 32;
// The bot picks a new target object this often (ticks).
constexpr int kRotateTicks = 200;

struct V {
  double x = 0, y = 0, z = 0;
  V operator+(const V& o) const { return {x + o.x, y + o.y, z + o.z}; }
  V operator-(const V& o) const { return {x - o.x, y - o.y, z - o.z}; }
  V operator*(double s) const { return {x * s, y * s, z * s}; }
  double dot(const V& o) const { return x * o.x + y * o.y + z * o.z; }
  double length() const { return std::sqrt(dot(*this)); }
  V unit() const {
    const double l = length();
    return l > 0 ? *this * (1.0 / l) : *this;
  }
};

V toV(const Vector3& v) {
  return {v.x.toDouble(), v.y.toDouble(), v.z.toDouble()};
}

// The paddle direction for a yaw and pitch, as the paddle computes it.
V direction(int yaw, int pitch) {
  const double a = yaw / kUnitsPerRadian, b = pitch / kUnitsPerRadian;
  return {-std::cos(b) * std::sin(a), std::sin(b), -std::cos(b) * std::cos(a)};
}

int wrapSigned(int a) {
  a &= kAngleMask;
  return a > kAngleUnits / 2 ? a - kAngleUnits : a;
}

// The convex paddle bounce of the ball, in doubles: where a ball at pos
// with velocity vel goes after meeting a paddle centred at p.
V bounce(const V& pos, const V& vel, const V& p, double w) {
  V n = p * 1.035;
  if (w > 5.0) n = n * 1.08;
  V v = pos - n;
  double l = v.length() - w / 3.0;
  v = v.unit() * 2.0;
  v.y *= 0.6667;
  const V c = (V{} - pos).unit() * 2.0;
  V out = vel;
  if (l > 0.1) {
    l = std::min(l, w);
    out = out + c * ((w - l) / w) + v * (l / w);
  }
  out.y *= 0.6667;
  return out.unit();
}

// Where the ball on its present line leaves the circle of radius r, or
// false when it never does (a ball at rest).
bool crossing(const V& pos, const V& vel, double r, V& at) {
  const double b = pos.dot(vel);
  const double c = pos.dot(pos) - r * r;
  const double disc = b * b - c;
  if (disc < 0 || vel.length() < 1e-6) return false;
  const double t = -b + std::sqrt(disc);
  if (t < 0) return false;
  at = pos + vel * t;
  return true;
}

// The first thing the ball meets on its line before `limit`: the distance
// along the line and the velocity after the bounce (the box rule without
// its random sixteenth, the sphere rule for round objects, the floor and
// ceiling). Morphoids, which scatter the ball at random, count as spheres.
struct Obstacle {
  double t = 0;
  V after;
  const CSolid* object = nullptr;  // none for floor and ceiling
};

bool slab(double p, double v, double lo, double hi, double& tIn, double& tOut) {
  if (std::abs(v) < 1e-9) return p >= lo && p < hi;
  double a = (lo - p) / v, b = (hi - p) / v;
  if (a > b) std::swap(a, b);
  tIn = a;
  tOut = b;
  return true;
}

bool firstObstacle(const CWorld& world, const V& pos, const V& vel, double limit, Obstacle& hit) {
  bool found = false;
  hit.t = limit;
  const double ceiling = kHalfHeight - world.Ball().radius().toDouble();
  if (vel.y != 0 && pos.length() < kArenaRadius + 1.0) {
    const double t = ((vel.y > 0 ? ceiling : -ceiling) - pos.y) / vel.y;
    if (t > 0 && t < hit.t) {
      hit = {t, {vel.x, -vel.y, vel.z}, nullptr};
      found = true;
    }
  }
  for (const CSolid* o = world.Objects(); o != nullptr; o = o->nextObject) {
    if (o->hitPoints == 0 || o->kind == SolidKind::ForceField) continue;
    const V c = toV(o->position);
    if (o->kind == SolidKind::Sphere || o->kind == SolidKind::Morphoid) {
      const double radius = o->boxMax.x.toDouble();
      const V d = pos - c;
      const double b = d.dot(vel), q = d.dot(d) - radius * radius, disc = b * b - q;
      if (disc < 0) continue;
      const double t = -b - std::sqrt(disc);
      if (t <= 1e-6 || t >= hit.t) continue;
      const V at = pos + vel * t;
      V out = vel + (at - c).unit() * 2.0;
      out.y *= 0.6667;
      hit = {t, out.unit(), o};
      found = true;
      continue;
    }
    const V lo = c + toV(o->boxMin), hi = c + toV(o->boxMax);
    double in[3] = {-1e9, -1e9, -1e9}, out[3] = {1e9, 1e9, 1e9};
    if (!slab(pos.x, vel.x, lo.x, hi.x, in[0], out[0]) ||
        !slab(pos.y, vel.y, lo.y, hi.y, in[1], out[1]) ||
        !slab(pos.z, vel.z, lo.z, hi.z, in[2], out[2])) {
      continue;
    }
    const int axis = static_cast<int>(std::max_element(in, in + 3) - in);
    const double tIn = in[axis], tOut = std::min({out[0], out[1], out[2]});
    if (tIn > tOut || tIn <= 1e-6 || tIn >= hit.t) continue;
    V after = vel;
    (axis == 0 ? after.x : axis == 1 ? after.y : after.z) *= -1.0;
    hit = {tIn, after, o};
    found = true;
  }
  return found;
}

// Follows the ball through up to a few bounces to where it will cross the
// paddle circle; the velocity it will have there comes back in vel.
bool predictCrossing(const CWorld& world, V pos, V& vel, double r, V& at) {
  constexpr int kBounces = 8;
  for (int i = 0; i <= kBounces; ++i) {
    if (!crossing(pos, vel, r, at)) return false;
    Obstacle hit;
    if (!firstObstacle(world, pos, vel, (at - pos).length(), hit)) return true;
    pos = pos + vel * hit.t;
    vel = hit.after;
  }
  return crossing(pos, vel, r, at);
}

// What a ball leaving `at` with velocity vel meets first among the live
// destructible objects within a few bounces, or none.
const CSolid* firstTarget(const CWorld& world, V pos, V vel, double r) {
  constexpr int kBounces = 4;
  for (int i = 0; i < kBounces; ++i) {
    V exit;
    if (!crossing(pos, vel, r, exit)) return nullptr;
    Obstacle hit;
    if (!firstObstacle(world, pos, vel, (exit - pos).length(), hit)) return nullptr;
    if (hit.object != nullptr && hit.object->hitPoints > 0) return hit.object;
    pos = pos + vel * hit.t;
    vel = hit.after;
  }
  return nullptr;
}

// Among the paddle placements that still meet the ball, the one whose
// bounce sends the ball into the chosen target (else into any destructible
// object, else at least toward the target). The target rotates with the
// counter, so rallies do not repeat forever.
CAutoplay::Aim chooseAim(const CWorld& world, const V& at, const V& vel, int rotate) {
  const CPaddle& paddle = world.Paddle();
  const double r = at.length();
  const double w = paddle.halfWidth().toDouble();
  const int yaw0 = static_cast<int>(std::lround(std::atan2(-at.x, -at.z) * kUnitsPerRadian));
  const int pitch0 = std::clamp(
      static_cast<int>(std::lround(std::asin(std::clamp(at.y / r, -1.0, 1.0)) * kUnitsPerRadian)),
      -kMaxPitch, kMaxPitch);
  std::vector<const CSolid*> targets;
  for (const CSolid* o = world.Objects(); o != nullptr; o = o->nextObject) {
    if (o->hitPoints > 0) targets.push_back(o);
  }
  CAutoplay::Aim best{yaw0, pitch0};
  if (targets.empty()) return best;
  const CSolid* target = targets[static_cast<std::size_t>(rotate) % targets.size()];
  const V towards = (toV(target->position) - at).unit();
  double bestScore = -10.0;
  for (int dy = -kYawOffsets; dy <= kYawOffsets; dy += kYawStep) {
    for (int dp = -kMaxPitch; dp <= kMaxPitch; dp += kPitchStep) {
      const int pitch = std::clamp(pitch0 + dp, -kMaxPitch, kMaxPitch);
      const V p = direction(yaw0 + dy, pitch) * r;
      if ((p - at).length() > 0.7 * w) continue;
      const V out = bounce(at, vel, p, w);
      const CSolid* meets = firstTarget(world, at * 0.98, out, r);
      // Placements near the crossing are preferred: they forgive steering
      // errors.
      double score = out.dot(towards) - (p - at).length() / (10.0 * w);
      if (meets == target) {
        score += 4.0;
      } else if (meets != nullptr) {
        score += 2.0;
      }
      if (score > bestScore) {
        bestScore = score;
        best = {yaw0 + dy, pitch};
      }
    }
  }
  return best;
}

// The input that brings the smoothed paddle value from `now` to `want` in
// one tick (s = (s x 0.1 + x) / 1.1), held within -1..1.
float steer(float now, double want) {
  return static_cast<float>(std::clamp(want * 1.1 - now * 0.1, -1.0, 1.0));
}

}  // namespace

WorldInput CAutoplay::NextInput(const CWorld& world) {
  ++m_ticks;
  const CBall& ball = world.Ball();
  const CPaddle& paddle = world.Paddle();
  WorldInput input;
  const double r = paddle.radius().toDouble() - ball.radius().toDouble() / 2.0;
  const V pos = toV(ball.position);
  V vel = toV(ball.velocity());
  Aim aim{paddle.yaw(), wrapSigned(paddle.pitch())};
  V at;
  if (ball.state() == BallState::Held) {
    input.fire = true;
  } else if (ball.velocity() == m_lastVelocity && m_haveAim) {
    // Nothing changed the ball's course since the last choice.
    aim = m_aim;
  } else if (predictCrossing(world, pos, vel, r, at)) {
    aim = chooseAim(world, at, vel, m_ticks / kRotateTicks);
    m_aim = aim;
    m_haveAim = true;
    m_lastVelocity = ball.velocity();
  }
  // The paddle's yaw is its smoothed x times 512 less the camera yaw of the
  // previous tick; its pitch is the smoothed y times 128.
  const int cameraYaw = wrapSigned(world.Control().Yaw());
  const double wantX = wrapSigned(aim.yaw + cameraYaw) / 512.0;
  const double wantY = std::clamp(wrapSigned(aim.pitch), -kMaxPitch, kMaxPitch) / 128.0;
  input.x = steer(paddle.smoothedX(), wantX);
  input.y = steer(paddle.smoothedY(), wantY);
  return input;
}

}  // namespace arcade
