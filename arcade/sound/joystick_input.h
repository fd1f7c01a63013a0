// The choice between mouse and joystick steering and the joystick read with
// its error messages. The device is the platform's first game controller (a
// joystick or a game controller, SDL2); this class adds the mode rules and
// picks the message for a failed read, which the shell shows through
// IJoystickMessages (a modal box with a stop-sign icon). It does not read the
// mouse and does not turn the sample into steering (the shell does:
// x = 0.95 - sample.x, and so on).
//
// Use from the shell:
//
//   arcade::CJoystickInput joystick(platform::makeJoystick(), game.paused, messages);
//   // Input > Joystick:  if (joystick.MouseMode()) joystick.ProbeJoystick();
//   // Input > Mouse:     joystick.SetMouseMode();
//   // each tick, not captured and not in mouse mode:
//   arcade::JoystickSample s;
//   if (joystick.ReadJoystick(s)) { ... s.x, s.y, s.button1, s.button2 ... }
//
// paused is the game's pause flag; it is raised while a read runs, so the
// game stands still behind a message box, and restored afterwards.
#pragma once

#include <memory>
#include <string_view>

#include "platform/joystick.h"

namespace arcade {

// The device's raw positions (0..65535) divided by 32000: about 0..2.
struct JoystickSample {
  float x = 0.0f;
  float y = 0.0f;
  bool button1 = false;
  bool button2 = false;
};

inline constexpr std::string_view kJoystickErrorCaption = "Joystick Error";

// The message for a failed read; empty for Ok.
std::string_view joystickErrorText(platform::JoystickResult result);

class IJoystickMessages {
 public:
  virtual ~IJoystickMessages() = default;
  // Modal; returns when the user closed the box.
  virtual void ShowJoystickError(std::string_view caption, std::string_view text) = 0;
};

class CJoystickInput {
 public:
  CJoystickInput(std::unique_ptr<platform::Joystick> device, int& paused,
                 IJoystickMessages& messages);

  // True (the start value) while the mouse steers.
  bool MouseMode() const { return m_mouseMode; }
  void SetMouseMode() { m_mouseMode = true; }

  // One read: success switches to joystick mode; failure shows its message
  // and leaves mouse mode on. True on success.
  bool ProbeJoystick();

  // Fills sample on success. On failure: mouse mode, the message, sample
  // unchanged, false. A read asked for while a message box of an earlier
  // read is still open fails quietly (the box's own event loop keeps the
  // timer running; one box is enough).
  bool ReadJoystick(JoystickSample& sample);

 private:
  std::unique_ptr<platform::Joystick> m_device;
  int& m_paused;
  IJoystickMessages& m_messages;
  bool m_mouseMode = true;
  bool m_reading = false;
};

}  // namespace arcade
