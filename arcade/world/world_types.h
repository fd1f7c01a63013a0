// Shared vocabulary of the simulated level: the input a tick hands in, the
// enhancement codes, the sound resource numbers the objects ask for, the
// outcome of a step, and the two small interfaces through which the world
// reaches the program around it (the sound layer's play-effect operation and
// the flush of pending serve keys). The world never plays a sound or reads a
// key itself; the program implements these and tests fake them.
#pragma once

#include <cstdint>

namespace arcade {

class Matrix4;

// One tick of input: x and y in about -1..1 (positive x: device left of
// centre, positive y: above centre), the fire button, the zoom keys I and O
// and the top-down view key.
struct WorldInput {
  float x = 0.0f;
  float y = 0.0f;
  bool fire = false;
  bool zoomIn = false;
  bool zoomOut = false;
  bool topDown = false;
};

namespace enhancement {
inline constexpr int kRed = 0;     // slows the ball on every paddle hit
inline constexpr int kYellow = 1;  // wider paddle
inline constexpr int kGreen = 2;   // ball sticks to the paddle
inline constexpr int kAqua = 3;    // one more spare ball, no timer
inline constexpr int kBlue = 4;    // double scores
inline constexpr int kPurple = 5;  // one hit destroys anything destructible
inline constexpr int kNone = 6;
inline constexpr int kDurationMs = 30000;
}  // namespace enhancement

namespace sound {
inline constexpr int kBlockBounce = 2000;
inline constexpr int kBallLost = 2001;
inline constexpr int kMorphoidBounce = 2002;
inline constexpr int kPaddleBounce = 2003;
inline constexpr int kSphereGone = 2004;
inline constexpr int kSphereBounce = 2005;
inline constexpr int kWallBounce = 2006;  // indestructible blocks, floor and ceiling
inline constexpr int kBoxBounce = 2007;   // also the catch of a force field
inline constexpr int kEnhancementOver = 2008;
inline constexpr int kBouncePush = 167;  // the 13th floor/ceiling bounce in a row
}  // namespace sound

enum class StepResult { Cleared = 0, Lost = 1, Playing = 2 };

struct StepOutcome {
  StepResult result = StepResult::Playing;
  const Matrix4* camera = nullptr;  // only while playing
};

// The sound layer's play-effect operation: x is the sound's offset to the
// listener's right, y its depth term, volume 0..1.
class ISoundEffects {
 public:
  virtual ~ISoundEffects() = default;
  virtual void PlayEffect(int id, double x, double y, double volume) = 0;
};

// Forgets Space and Enter presses not yet asked for (after a lost ball, so a
// press meant for the old ball does not serve the new one).
class IKeyFlusher {
 public:
  virtual ~IKeyFlusher() = default;
  virtual void FlushServeKeys() = 0;
};

}  // namespace arcade
