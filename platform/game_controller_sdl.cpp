// The SDL2 back end of GameController: the game controller subsystem is
// initialised once per object, the first device with a mapping opened on
// demand and closed when it goes.

#include <SDL.h>

#include "platform/game_controller.h"

namespace platform {
namespace {

class SdlGameController : public GameController {
 public:
  SdlGameController() : m_initialised(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {}
  SdlGameController(const SdlGameController&) = delete;
  SdlGameController& operator=(const SdlGameController&) = delete;
  ~SdlGameController() override {
    if (m_device != nullptr) SDL_GameControllerClose(m_device);
    if (m_initialised) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }

  bool read(ControllerState& state) override {
    if (!m_initialised || !ensureOpen()) return false;
    const auto button = [this](SDL_GameControllerButton b) {
      return SDL_GameControllerGetButton(m_device, b) != 0;
    };
    const Sint16 x = SDL_GameControllerGetAxis(m_device, SDL_CONTROLLER_AXIS_LEFTX);
    const Sint16 y = SDL_GameControllerGetAxis(m_device, SDL_CONTROLLER_AXIS_LEFTY);
    state.up = button(SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -kStickThreshold;
    state.down = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > kStickThreshold;
    state.left = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -kStickThreshold;
    state.right = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > kStickThreshold;
    state.fire = button(SDL_CONTROLLER_BUTTON_A) || button(SDL_CONTROLLER_BUTTON_B) ||
                 button(SDL_CONTROLLER_BUTTON_X) || button(SDL_CONTROLLER_BUTTON_Y) ||
                 button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER) ||
                 button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    state.start = button(SDL_CONTROLLER_BUTTON_START);
    return true;
  }

 private:
  bool ensureOpen() {
    SDL_GameControllerUpdate();
    if (m_device != nullptr && !SDL_GameControllerGetAttached(m_device)) {
      SDL_GameControllerClose(m_device);
      m_device = nullptr;
    }
    if (m_device != nullptr) return true;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (!SDL_IsGameController(i)) continue;
      m_device = SDL_GameControllerOpen(i);
      if (m_device != nullptr) break;
    }
    if (m_device == nullptr) return false;
    SDL_GameControllerUpdate();
    return true;
  }

  bool m_initialised;
  SDL_GameController* m_device = nullptr;
};

}  // namespace

std::unique_ptr<GameController> makeGameController() {
  return std::make_unique<SdlGameController>();
}

}  // namespace platform
