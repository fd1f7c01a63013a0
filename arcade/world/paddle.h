// CPaddle: the translucent octagon the player steers around the circle of
// radius 50.525. Each tick it smooths the input, turns about the playfield
// centre with the camera (up to a sixteenth of a turn to either side of the
// view) and tilts up to 128 angle units; it regrows after a lost ball and
// flinches when the ball hits it. Its face carries the colour ramp of the
// active enhancement. It is a solid with indestructible hit points but is
// never in the world's object list.
#pragma once

#include "arcade/world/solid.h"
#include "arcade/world/world_types.h"

namespace arcade {

inline constexpr double kPaddleDistance = 50.525;
inline constexpr double kPaddleHalfWidth = 4.25;
inline constexpr double kPaddleHalfWidthYellow = 5.95;  // 4.25 x 1.4
inline constexpr int kPaddleRoll = 512;

struct Ramp;
Ramp paddleRamp(int enhancement);

class CPaddle : public CSolid {
 public:
  explicit CPaddle(CWorld& world);

  // Smooths the input and sets yaw and pitch; cameraYaw is the camera's yaw
  // angle of the previous tick.
  void TickUpdate(const WorldInput& input, int cameraYaw, int activeEnhancement);
  void Recolour(int enhancement);
  void Regrow() { scale = Fixed(); }
  void Draw(CRenderer& renderer, const Matrix4& camera) override;

  // The paddle's centre direction (unit; turned by yaw and tilted by pitch)
  // and the point at distance r from the playfield centre in that direction.
  Vector3 Direction() const;
  Vector3 Point(Fixed r) const { return Direction() * r; }
  Fixed radius() const;  // |paddle z|
  Fixed halfWidth() const { return m_halfWidth; }
  int yaw() const { return rotationY; }
  int pitch() const { return rotationX; }
  float smoothedX() const { return m_sx; }
  float smoothedY() const { return m_sy; }

 private:
  Fixed m_halfWidth;
  float m_sx = 0.0f;
  float m_sy = 0.0f;
};

}  // namespace arcade
