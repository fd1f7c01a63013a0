// Reads the first joystick of the platform and tells the user, in a
// "Joystick Error" message box, why a read failed. While the read and its
// message run the game's pause flag is raised (timer ticks go on inside a
// modal message box), then put back as it was.
#pragma once

#include <cstdint>
#include <string_view>

#include "arcade/imagelib/messages.h"
#include "arcade/shell/shell_services.h"
#include "platform/joystick.h"

namespace arcade {

inline constexpr std::string_view kJoystickErrorCaption = "Joystick Error";

// The message for a failed read; empty for Ok.
std::string_view JoystickMessage(platform::JoystickResult result);

class JoystickReader : public IShellJoystick {
 public:
  JoystickReader(platform::Joystick& device, IMessageReporter& reporter, std::int32_t& paused)
      : m_device(device), m_reporter(reporter), m_paused(paused) {}
  bool Read(JoystickSample& sample) override;

 private:
  platform::Joystick& m_device;
  IMessageReporter& m_reporter;
  std::int32_t& m_paused;
};

}  // namespace arcade
