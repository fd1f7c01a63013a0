// CAutoplay: a tracking player for the level. Each tick it reads the world
// (ball, paddle, camera, objects) and answers with the input a player would
// give: it serves a held ball at once, predicts where the ball in flight
// will cross the paddle circle (a straight line; it predicts again every
// tick, so bounces on the way are caught up with) and steers the paddle
// there, choosing among small offsets of the paddle the one whose bounce
// sends the ball toward a destructible object.
//
// It never changes the world: it is handed a const world and returns a
// WorldInput, so a replay of its inputs is an ordinary replay. It keeps only
// a tick counter that rotates its choice of target (so it does not repeat
// one unlucky rally forever) and its last choice. Input stays within -1..1 as from a
// joystick.
#pragma once

#include <cstdint>

#include "arcade/world/vector3.h"
#include "arcade/world/world_types.h"

namespace arcade {

class CWorld;

class CAutoplay {
 public:
  WorldInput NextInput(const CWorld& world);

  // Where the bot wants the paddle: yaw and pitch angle units.
  struct Aim {
    int yaw = 0;
    int pitch = 0;
  };

 private:
  int m_ticks = 0;
  // The last choice and the ball velocity it was made for: the course only
  // changes at a bounce, so the choice is kept until then.
  Aim m_aim;
  bool m_haveAim = false;
  Vector3 m_lastVelocity;
};

}  // namespace arcade
