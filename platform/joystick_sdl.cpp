// The SDL2 back end of Joystick: the game-controller subsystem (which brings
// the joystick one) is initialised once per object and the first device is
// opened on demand and closed when it goes. A device SDL knows a controller
// mapping for is read through that mapping (left stick, buttons A and B),
// so any pad steers the same way; any other joystick is read raw (axes 0
// and 1, buttons 0 and 1).

#include <SDL.h>

#include "platform/joystick.h"

namespace platform {
namespace {

// SDL axes run from -32768 to 32767; the old query counted 0 to 65535.
std::uint32_t rawFromAxis(Sint16 value) {
  return static_cast<std::uint32_t>(value + 32768);
}

class SdlJoystick : public Joystick {
 public:
  SdlJoystick() : m_initialised(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {}
  SdlJoystick(const SdlJoystick&) = delete;
  SdlJoystick& operator=(const SdlJoystick&) = delete;
  ~SdlJoystick() override {
    close();
    if (m_initialised) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }

  JoystickResult read(JoystickPosition& position) override {
    if (!m_initialised) return JoystickResult::NoDriver;
    SDL_GameControllerUpdate();  // also updates plain joysticks and notices hot-plugging
    if (!attached()) close();
    if (m_controller == nullptr && m_device == nullptr) {
      if (SDL_NumJoysticks() <= 0) return JoystickResult::Unplugged;
      if (!open()) return JoystickResult::BadDevice;
      SDL_GameControllerUpdate();
    }
    if (m_controller != nullptr) {
      position.x = rawFromAxis(SDL_GameControllerGetAxis(m_controller, SDL_CONTROLLER_AXIS_LEFTX));
      position.y = rawFromAxis(SDL_GameControllerGetAxis(m_controller, SDL_CONTROLLER_AXIS_LEFTY));
      position.button1 = SDL_GameControllerGetButton(m_controller, SDL_CONTROLLER_BUTTON_A) != 0;
      position.button2 = SDL_GameControllerGetButton(m_controller, SDL_CONTROLLER_BUTTON_B) != 0;
      return JoystickResult::Ok;
    }
    const int axes = SDL_JoystickNumAxes(m_device);
    position.x = axes > 0 ? rawFromAxis(SDL_JoystickGetAxis(m_device, 0)) : 32767;
    position.y = axes > 1 ? rawFromAxis(SDL_JoystickGetAxis(m_device, 1)) : 32767;
    position.button1 = SDL_JoystickGetButton(m_device, 0) != 0;
    position.button2 = SDL_JoystickGetButton(m_device, 1) != 0;
    return JoystickResult::Ok;
  }

 private:
  bool open() {
    if (SDL_IsGameController(0)) {
      m_controller = SDL_GameControllerOpen(0);
      if (m_controller != nullptr) return true;
    }
    m_device = SDL_JoystickOpen(0);
    return m_device != nullptr;
  }
  bool attached() const {
    if (m_controller != nullptr) return SDL_GameControllerGetAttached(m_controller);
    return m_device == nullptr || SDL_JoystickGetAttached(m_device);
  }
  void close() {
    if (m_controller != nullptr) SDL_GameControllerClose(m_controller);
    if (m_device != nullptr) SDL_JoystickClose(m_device);
    m_controller = nullptr;
    m_device = nullptr;
  }

  bool m_initialised;
  SDL_GameController* m_controller = nullptr;
  SDL_Joystick* m_device = nullptr;
};

}  // namespace

std::unique_ptr<Joystick> makeJoystick() {
  return std::make_unique<SdlJoystick>();
}

}  // namespace platform
