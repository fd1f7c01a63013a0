#include "arcade/sound/joystick_input.h"

namespace arcade {
namespace {

constexpr float kRawPerUnit = 32000.0f;

// Restores the pause flag (and the re-entry guard) on every way out.
class ReadScope {
 public:
  ReadScope(int& paused, bool& reading) : m_paused(paused), m_saved(paused), m_reading(reading) {
    m_paused = 1;
    m_reading = true;
  }
  ~ReadScope() {
    m_paused = m_saved;
    m_reading = false;
  }
  ReadScope(const ReadScope&) = delete;
  ReadScope& operator=(const ReadScope&) = delete;

 private:
  int& m_paused;
  int m_saved;
  bool& m_reading;
};

}  // namespace

std::string_view joystickErrorText(platform::JoystickResult result) {
  using platform::JoystickResult;
  switch (result) {
    case JoystickResult::Ok:
      return {};
    case JoystickResult::NoDriver:
      return "Joystick driver not present.\nDouble-click on the Joystick icon in you Control "
             "Panel.";
    case JoystickResult::BadDevice:
      return "Invalid Joystick device.\nDouble-click on the Joystick icon in you Control Panel.";
    case JoystickResult::Unplugged:
      return "Your Joystick is unplugged.\nDouble-click on the Joystick icon in you Control Panel.";
  }
  return "Unspecified Joystick error.\nDouble-click on the Joystick icon in you Control Panel.";
}

CJoystickInput::CJoystickInput(std::unique_ptr<platform::Joystick> device, int& paused,
                               IJoystickMessages& messages)
    : m_device(std::move(device)), m_paused(paused), m_messages(messages) {}

bool CJoystickInput::ProbeJoystick() {
  JoystickSample scratch;
  if (!ReadJoystick(scratch)) return false;
  m_mouseMode = false;
  return true;
}

bool CJoystickInput::ReadJoystick(JoystickSample& sample) {
  if (m_reading) return false;
  const ReadScope scope(m_paused, m_reading);
  platform::JoystickPosition position;
  const platform::JoystickResult result =
      m_device ? m_device->read(position) : platform::JoystickResult::NoDriver;
  if (result != platform::JoystickResult::Ok) {
    // Mouse mode before the box: ticks that run inside its event loop then
    // leave the joystick alone.
    m_mouseMode = true;
    m_messages.ShowJoystickError(kJoystickErrorCaption, joystickErrorText(result));
    return false;
  }
  sample.x = static_cast<float>(position.x) / kRawPerUnit;
  sample.y = static_cast<float>(position.y) / kRawPerUnit;
  sample.button1 = position.button1;
  sample.button2 = position.button2;
  return true;
}

}  // namespace arcade
