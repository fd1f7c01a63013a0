// The SDL2 back end of Joystick: the joystick subsystem is initialised once
// per object, the first device opened on demand and closed when it goes.

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
  SdlJoystick() : m_initialised(SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0) {}
  SdlJoystick(const SdlJoystick&) = delete;
  SdlJoystick& operator=(const SdlJoystick&) = delete;
  ~SdlJoystick() override {
    if (m_device != nullptr) SDL_JoystickClose(m_device);
    if (m_initialised) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }

  JoystickResult read(JoystickPosition& position) override {
    if (!m_initialised) return JoystickResult::NoDriver;
    SDL_JoystickUpdate();
    if (m_device != nullptr && !SDL_JoystickGetAttached(m_device)) {
      SDL_JoystickClose(m_device);
      m_device = nullptr;
    }
    if (m_device == nullptr) {
      if (SDL_NumJoysticks() <= 0) return JoystickResult::Unplugged;
      m_device = SDL_JoystickOpen(0);
      if (m_device == nullptr) return JoystickResult::BadDevice;
      SDL_JoystickUpdate();
    }
    position.x =
        SDL_JoystickNumAxes(m_device) > 0 ? rawFromAxis(SDL_JoystickGetAxis(m_device, 0)) : 32767;
    position.y =
        SDL_JoystickNumAxes(m_device) > 1 ? rawFromAxis(SDL_JoystickGetAxis(m_device, 1)) : 32767;
    position.button1 = SDL_JoystickGetButton(m_device, 0) != 0;
    position.button2 = SDL_JoystickGetButton(m_device, 1) != 0;
    return JoystickResult::Ok;
  }

 private:
  bool m_initialised;
  SDL_Joystick* m_device = nullptr;
};

}  // namespace

std::unique_ptr<Joystick> makeJoystick() {
  return std::make_unique<SdlJoystick>();
}

}  // namespace platform
