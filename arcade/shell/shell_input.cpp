#include "arcade/shell/shell_input.h"

#include <algorithm>

namespace arcade {

WorldInput IdleInput(const HeldKeys& keys) {
  WorldInput in;
  in.zoomIn = keys.zoomIn;
  in.zoomOut = keys.zoomOut;
  in.topDown = keys.shift;
  return in;
}

WorldInput MouseInput(const ScreenRect& capture, int cursorX, int cursorY, const HeldKeys& keys) {
  WorldInput in = IdleInput(keys);
  const int hw = std::max(1, (capture.right - capture.left) / 2);
  const int hh = std::max(1, (capture.bottom - capture.top) / 2);
  // Integer offsets first, then the one division in float: a cursor left of
  // centre steers positive.
  in.x = static_cast<float>(capture.left + hw - cursorX) / static_cast<float>(hw);
  in.y = static_cast<float>(capture.top + hh - cursorY) / static_cast<float>(hh);
  in.fire = keys.leftButton;
  return in;
}

WorldInput JoystickInput(const JoystickSample& sample, const HeldKeys& keys) {
  WorldInput in = IdleInput(keys);
  in.x = std::clamp(0.95f - sample.x, -1.0f, 1.0f);
  in.y = std::clamp(0.95f - sample.y, -1.0f, 1.0f);
  in.fire = sample.button1;
  in.topDown = keys.shift || sample.button2;
  return in;
}

ScreenRect CaptureRect(const ScreenRect& window, int borderWidth, int borderHeight) {
  return {window.left + borderWidth, window.top + borderHeight, window.right - borderWidth,
          window.bottom - borderHeight};
}

}  // namespace arcade
