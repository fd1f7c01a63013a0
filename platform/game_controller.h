#pragma once
// The first game controller with a standard layout (SDL2's game controller
// mapping): the d-pad and the left stick as four directions, the face and
// shoulder buttons as fire, and Start. A controller plugged in later is found
// on the next read; one pulled out reads as none. Reading never blocks and
// shows nothing.

#include <memory>

namespace platform {

struct ControllerState {
  bool up = false;
  bool down = false;
  bool left = false;
  bool right = false;
  bool fire = false;  // A, B, X, Y or a shoulder button
  bool start = false;
};

class GameController {
 public:
  virtual ~GameController() = default;
  // False when no controller is connected (state is then left alone).
  virtual bool read(ControllerState& state) = 0;
};

// SDL2's game controller (library platform_sdl); it reads as none when the
// system offers no controller support.
std::unique_ptr<GameController> makeGameController();

// A stick axis (-32768..32767) counts as a direction beyond this.
inline constexpr int kStickThreshold = 16000;

}  // namespace platform
