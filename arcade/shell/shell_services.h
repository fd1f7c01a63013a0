// What the shell needs from the sound and input layer beyond the world's
// positional effects: the looping title music and the joystick. The program
// hands in real implementations; NullShellAudio plays nothing (the program
// runs silent until a sound layer is given), and tests fake both.
#pragma once

#include "arcade/shell/shell_input.h"

namespace arcade {

class IShellAudio {
 public:
  virtual ~IShellAudio() = default;
  // Starts the looping title music unless it already plays.
  virtual void PlayTitleMusic() = 0;
  // Stops whatever plays.
  virtual void StopTitleMusic() = 0;
};

class IShellJoystick {
 public:
  virtual ~IShellJoystick() = default;
  // One reading; false when there is none (the reader has told the user why).
  virtual bool Read(JoystickSample& sample) = 0;
};

class NullShellAudio : public IShellAudio {
 public:
  void PlayTitleMusic() override {}
  void StopTitleMusic() override {}
};

}  // namespace arcade
