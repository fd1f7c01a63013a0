#include "arcade/shell/joystick_reader.h"

#include <string>

namespace arcade {

namespace {

// How a Linux player connects and calibrates a controller; every message
// ends with it, after the lines that name what went wrong.
constexpr std::string_view kControllerHelp =
    "Connect the controller by USB, or pair it in your desktop's Bluetooth settings, then "
    "choose Input > Joystick again.\nTo test and calibrate it, use jstest-gtk (Debian package "
    "\"jstest-gtk\") or jscal and evdev-joystick (package \"joystick\").";

std::string withHelp(std::string_view problem) {
  return std::string(problem) + std::string(kControllerHelp);
}

}  // namespace

std::string_view JoystickMessage(platform::JoystickResult result) {
  static const std::string noDriver = withHelp(
      "Joystick driver not present.\nThe game controller support (SDL) could not be started.\n");
  static const std::string badDevice = withHelp(
      "Invalid Joystick device.\nThe controller could not be opened: your user needs read "
      "access to /dev/input (join the group \"input\" and log in again if it lacks it).\n");
  static const std::string unplugged = withHelp("Your Joystick is unplugged.\n");
  static const std::string other = withHelp("Unspecified Joystick error.\n");
  switch (result) {
    case platform::JoystickResult::Ok:
      return {};
    case platform::JoystickResult::NoDriver:
      return noDriver;
    case platform::JoystickResult::BadDevice:
      return badDevice;
    case platform::JoystickResult::Unplugged:
      return unplugged;
  }
  return other;
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
