#include "arcade/world/ball.h"

#include <algorithm>

#include "arcade/world/geometry.h"
#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {

Fixed absolute(Fixed f) {
  return f < Fixed() ? -f : f;
}

constexpr double kFlatten = 0.6667;

}  // namespace

CBall::CBall(CWorld& world, Fixed radius, int levelIndex)
    : m_world(world),
      m_radius(radius),
      m_speed(fx(16.0 + 8.0 * levelIndex / 32.0)),
      m_baseSpeed(m_speed),
      m_maxSpeed(fx(31.0 + 11.5 * levelIndex / 32.0)) {
  CVertex* centre = AddVertex(Fixed(), Fixed(), Fixed());
  CSprite* sprite = AddSprite(centre, world.Texture(kBallSpriteTexture), radius + radius, kBallKey);
  // A bright yellow rim with a dark outline: the blue ball stands out
  // against grey and white tiles alike.
  sprite->rim = world.Palette().Nearest(255, 230, 40);
  sprite->outline = world.Palette().Nearest(10, 10, 30);
  Place();
}

void CBall::Place() {
  const CPaddle& paddle = m_world.Paddle();
  position = paddle.Direction() * (paddle.radius() - m_radius - fx(kPaddleHalfWidth));
  m_velocity = position;
  m_velocity.normalise();
}

void CBall::Reset() {
  m_state = BallState::Held;
  m_hold = kHoldTicks;
  m_paddleHits = 0;
  m_run = 0;
  m_speed = m_baseSpeed;
  m_world.FlushServeKeys();
  Place();
}

void CBall::Launch(const Vector3& p, const Vector3& v) {
  m_state = BallState::InFlight;
  position = p;
  m_velocity = v;
  m_run = 0;
}

bool CBall::FreeOfObjects(const Vector3& p) const {
  for (const CSolid* o = m_world.Objects(); o != nullptr; o = o->nextObject) {
    if (o->HitTest(p)) return false;
  }
  return true;
}

// A random diagonal push of length 0.5 in the horizontal plane, then the
// velocity is normalised again.
void CBall::Push() {
  const Fixed d = fx(0.35355);
  CRandom& random = m_world.Random();
  m_velocity.x += (random.Next() & 0x80) != 0 ? -d : d;
  m_velocity.z += (random.Next() & 0x80) != 0 ? -d : d;
  m_velocity.normalise();
}

void CBall::TickUpdate(std::int32_t step, const WorldInput& input) {
  if (m_state == BallState::Held) {
    Place();
    if (input.fire && FreeOfObjects(position) && FreeOfObjects(position + m_velocity)) {
      m_state = BallState::InFlight;
    } else if (--m_hold < 0) {
      m_state = BallState::InFlight;
    }
    return;
  }
  const std::int32_t h = step / kSubSteps;
  for (int i = 0; i < kSubSteps && m_state == BallState::InFlight; ++i) {
    if (!SubStep(h)) {
      m_run = 0;
      continue;
    }
    if (++m_run > kStuckRun) {
      Push();
      m_state = BallState::Held;
      m_hold = kHoldTicks;
      m_run = 0;
    }
  }
}

bool CBall::SubStep(std::int32_t h) {
  const CPaddle& paddle = m_world.Paddle();
  const Fixed rp = paddle.radius() - Fixed::fromRaw(m_radius.raw() / 2);
  const Vector3 next = position + m_velocity * (m_speed * Fixed::fromRaw(h));
  if (position.length() < rp && rp <= next.length()) {
    const Vector3 p = paddle.Point(rp);
    if ((next - p).length() < paddle.halfWidth()) {
      PaddleBounce(p, paddle.halfWidth());
      m_floorBounces = 0;
      return true;
    }
  }
  if (HitObjects(next) || BounceFloor(next)) return true;
  position = next;
  if (position.length() > fx(kLostDistance)) Lose();
  return false;
}

bool CBall::HitObjects(const Vector3& next) {
  for (CSolid* o = m_world.Objects(); o != nullptr; o = o->nextObject) {
    if (!o->HitTest(next)) continue;
    if (o->hitPoints >= 0) m_floorBounces = 0;
    o->Reflect(position, m_velocity);
    m_velocity.normalise();
    m_world.PlaySoundAt(o->BounceSound(), next);
    o->Hit();
    m_speed = approach(m_speed, m_maxSpeed, 8);
    return true;
  }
  return false;
}

bool CBall::BounceFloor(const Vector3& next) {
  const Fixed limit = fx(kHalfHeight) - m_radius;
  const bool inside = absolute(position.y) < limit;
  if (!(position.length() < fx(kArenaRadius + 1.0) && inside && !(absolute(next.y) < limit))) {
    return false;
  }
  m_velocity.y = -m_velocity.y;
  if (++m_floorBounces < kFloorBounceLimit) {
    m_world.PlaySoundAt(sound::kWallBounce, next);
  } else {
    m_world.PlaySoundAt(sound::kBouncePush, next);
    Push();
    m_floorBounces = 0;
  }
  ApplySideways(m_velocity, [this] { return m_world.Random().Next(); });
  m_velocity.normalise();
  return true;
}

void CBall::PaddleBounce(const Vector3& paddlePoint, Fixed w) {
  Vector3 n = paddlePoint * fx(1.035);
  if (w > Fixed::fromInt(5)) n = n * fx(1.08);
  // From the point behind the paddle through the ball: a convex paddle that
  // sends an edge hit off toward its own side. (Taken the other way round,
  // from the ball toward that point, an edge hit would keep flying outward
  // through the paddle.)
  Vector3 v = position - n;
  Fixed l = v.normalise() - w / Fixed::fromInt(3);
  v = v * Fixed::fromInt(2);
  v.y *= fx(kFlatten);
  Vector3 c = Vector3{} - position;
  c.normalise();
  c = c * Fixed::fromInt(2);
  if (l > fx(0.1)) {
    l = std::min(l, w);
    m_velocity += c * ((w - l) / w) + v * (l / w);
  }
  m_velocity.y *= fx(kFlatten);
  m_velocity.normalise();
  m_world.Paddle().Hit();
  m_world.PlaySoundAt(sound::kPaddleBounce, position);
  const int e = m_world.ActiveEnhancement();
  if (e == enhancement::kRed) m_speed = m_baseSpeed * fx(0.75);
  if (e == enhancement::kGreen && m_paddleHits > 1) {
    Reset();
    return;
  }
  if (m_paddleHits != 0) m_speed = approach(m_speed, m_maxSpeed, 10);
  ++m_paddleHits;
}

void CBall::Lose() {
  --spareBalls;
  m_world.Control().EndEnhancement(false);
  m_world.Paddle().Regrow();
  m_world.PlaySoundAt(sound::kBallLost, position);
  Reset();
}

CBallShadow::CBallShadow(CWorld& world, const CBall& ball) : m_ball(ball) {
  AddPolygon(AddOctagonVertices(*this, Fixed::fromInt(1), kSixteenthTurn), false)
      ->SetRamp(world.Palette(), 0, 0, 0, 128, 128, 128);
  rotationX = kAngleUnits / 4;  // lay the octagon flat on the floor
}

void CBallShadow::Follow() {
  const Fixed h = fx(kHalfHeight);
  m_shown = m_ball.position.length() + m_ball.radius() * Fixed::fromInt(4) < fx(kArenaRadius);
  position = {m_ball.position.x, fx(0.05) - h, m_ball.position.z};
  const Fixed k = fx(2.4) * h;
  scale = m_ball.radius() * k / (k - m_ball.position.y + h);
}

void CBallShadow::Draw(CRenderer& renderer, const Matrix4& camera) {
  if (m_shown) CNode::Draw(renderer, camera);
}

}  // namespace arcade
