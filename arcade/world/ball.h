// CBall: the ball (radius 0.75), drawn as a sprite. It is held on the paddle
// until served (fire, or automatically after 80 ticks), then flies in 16
// sub-steps a tick: bounces off the paddle (which acts as if curved), off the
// first object it enters, and off floor and ceiling; a ball that keeps
// colliding for more than 6 sub-steps is returned to the paddle, and one
// that leaves the playfield is lost. It also keeps the spare balls.
//
// CBallShadow: a translucent grey octagon on the floor under the ball, shown
// while the ball is well inside the arena, growing as the ball sinks.
#pragma once

#include <cstdint>

#include "arcade/world/node.h"
#include "arcade/world/world_types.h"

namespace arcade {

class CWorld;
class CSolid;

inline constexpr double kBallRadius = 0.75;
inline constexpr int kHoldTicks = 80;
inline constexpr int kSubSteps = 16;
inline constexpr int kStuckRun = 6;
inline constexpr int kFloorBounceLimit = 13;
inline constexpr double kLostDistance = 75.0;
inline constexpr int kStartSpareBalls = 3;
inline constexpr int kBallSpriteTexture = 1255;

enum class BallState { Held = 0, InFlight = 1 };

class CBall : public CNode {
 public:
  CBall(CWorld& world, Fixed radius, int levelIndex);

  void TickUpdate(std::int32_t step, const WorldInput& input);
  // Back on the paddle, held, with the base speed (a lost ball, a Green
  // catch); does not take a spare ball.
  void Reset();
  void Place();  // on the paddle's direction, pointing at the paddle

  Fixed radius() const { return m_radius; }
  Fixed speed() const { return m_speed; }
  Fixed baseSpeed() const { return m_baseSpeed; }
  Fixed maxSpeed() const { return m_maxSpeed; }
  const Vector3& velocity() const { return m_velocity; }
  BallState state() const { return m_state; }
  int holdCountdown() const { return m_hold; }
  int paddleHits() const { return m_paddleHits; }
  int floorBounces() const { return m_floorBounces; }
  int collisionRun() const { return m_run; }

  int spareBalls = kStartSpareBalls;

  // For tests: put the ball in flight at p with unit velocity v.
  void Launch(const Vector3& p, const Vector3& v);

 private:
  bool SubStep(std::int32_t h);  // true: a collision
  bool HitObjects(const Vector3& next);
  bool BounceFloor(const Vector3& next);
  void PaddleBounce(const Vector3& paddlePoint, Fixed w);
  void Lose();
  void Push();
  bool FreeOfObjects(const Vector3& p) const;

  CWorld& m_world;
  Fixed m_radius;
  BallState m_state = BallState::Held;
  int m_hold = kHoldTicks;
  Fixed m_speed, m_baseSpeed, m_maxSpeed;
  Vector3 m_velocity;
  int m_paddleHits = 0;
  int m_floorBounces = 0;
  int m_run = 0;
};

class CBallShadow : public CNode {
 public:
  CBallShadow(CWorld& world, const CBall& ball);
  void Draw(CRenderer& renderer, const Matrix4& camera) override;
  // Follows the ball; hidden near the arena rim.
  void Follow();
  bool shown() const { return m_shown; }

 private:
  const CBall& m_ball;
  bool m_shown = false;
};

}  // namespace arcade
