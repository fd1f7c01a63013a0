// The tick's input state from whichever device steers: the captured mouse
// (its offset from the centre of the capture rectangle, not clamped), the
// joystick (its axes turned around the centre 0.95 and held within -1..1),
// or nothing. The I and O keys zoom and Shift asks for the view from above
// in every mode. Pure functions: the window and the joystick supply the
// readings.
#pragma once

#include "arcade/world/world_types.h"

namespace arcade {

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// What the keyboard and mouse hold this tick.
struct HeldKeys {
  bool shift = false;
  bool leftButton = false;
  bool zoomIn = false;
  bool zoomOut = false;
};

// One joystick reading: axes of about 0..2 (the raw 0..65535 / 32000).
struct JoystickSample {
  float x = 0.0f;
  float y = 0.0f;
  bool button1 = false;
  bool button2 = false;
};

WorldInput MouseInput(const ScreenRect& capture, int cursorX, int cursorY, const HeldKeys& keys);
WorldInput JoystickInput(const JoystickSample& sample, const HeldKeys& keys);
WorldInput IdleInput(const HeldKeys& keys);

// The capture rectangle: the window's rectangle less the border on each side.
ScreenRect CaptureRect(const ScreenRect& window, int borderWidth, int borderHeight);

}  // namespace arcade
