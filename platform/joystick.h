#pragma once
// The first game controller, read the way the old position query answered:
// raw x and y from 0 to 65535 (centre about 32767) and the first two
// buttons, or the reason there is nothing to read. A pad with a known
// controller mapping answers with its left stick and its A and B buttons,
// a plain joystick with its first two axes and buttons. The device is SDL2's
// (library platform_sdl); a controller plugged in later is found on the next
// read, one pulled out answers Unplugged. Reading never blocks and never
// shows anything: messages are the caller's.

#include <cstdint>
#include <memory>

namespace platform {

enum class JoystickResult {
  Ok,
  NoDriver,   // the system offers no joystick support at all
  BadDevice,  // a controller is listed but cannot be opened
  Unplugged,  // no controller connected
};

struct JoystickPosition {
  std::uint32_t x = 32767;
  std::uint32_t y = 32767;
  bool button1 = false;
  bool button2 = false;
};

class Joystick {
 public:
  virtual ~Joystick() = default;
  // Fills position only when the result is Ok.
  virtual JoystickResult read(JoystickPosition& position) = 0;
};

std::unique_ptr<Joystick> makeJoystick();

}  // namespace platform
