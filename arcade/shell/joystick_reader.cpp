#include "arcade/shell/joystick_reader.h"

namespace arcade {

std::string_view JoystickMessage(platform::JoystickResult result) {
  switch (result) {
    case platform::JoystickResult::Ok:
      return {};
    case platform::JoystickResult::NoDriver:
      return "Joystick driver not present.\nDouble-click on the Joystick icon in you Control "
             "Panel.";
    case platform::JoystickResult::BadDevice:
      return "Invalid Joystick device.\nDouble-click on the Joystick icon in you Control Panel.";
    case platform::JoystickResult::Unplugged:
      return "Your Joystick is unplugged.\nDouble-click on the Joystick icon in you Control "
             "Panel.";
  }
  return "Unspecified Joystick error.\nDouble-click on the Joystick icon in you Control Panel.";
}

bool JoystickReader::Read(JoystickSample& sample) {
  const std::int32_t saved = m_paused;
  m_paused = 1;
  platform::JoystickPosition position;
  const platform::JoystickResult result = m_device.read(position);
  if (result != platform::JoystickResult::Ok) {
    m_reporter.ShowMessage(MessageIcon::Stop, kJoystickErrorCaption, JoystickMessage(result));
  }
  m_paused = saved;
  if (result != platform::JoystickResult::Ok) return false;
  sample.x = static_cast<float>(position.x) / 32000.0f;
  sample.y = static_cast<float>(position.y) / 32000.0f;
  sample.button1 = position.button1;
  sample.button2 = position.button2;
  return true;
}

}  // namespace arcade
