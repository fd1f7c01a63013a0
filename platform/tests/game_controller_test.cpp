#include "platform/game_controller.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace platform {
namespace {

// SDL's virtual joystick of the game controller type stands in for a real
// pad: the test attaches it, sets its buttons and stick, and reads it back
// through the game's path.
class GameControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) GTEST_SKIP() << SDL_GetError();
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real controller is connected";
  }
  void TearDown() override {
    if (m_virtual != nullptr) SDL_JoystickClose(m_virtual);
    if (m_index >= 0) SDL_JoystickDetachVirtual(m_index);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
  void attach() {
    m_index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                        SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(m_index, 0) << SDL_GetError();
    if (!SDL_IsGameController(m_index)) GTEST_SKIP() << "no mapping for the virtual pad";
    m_virtual = SDL_JoystickOpen(m_index);
    ASSERT_NE(m_virtual, nullptr) << SDL_GetError();
  }

  SDL_Joystick* m_virtual = nullptr;
  int m_index = -1;
};

TEST_F(GameControllerTest, NoControllerReadsAsNoneAndLeavesTheStateAlone) {
  auto pad = makeGameController();
  ControllerState state;
  state.fire = true;
  EXPECT_FALSE(pad->read(state));
  EXPECT_TRUE(state.fire);
}

TEST_F(GameControllerTest, DpadStickFireAndStartReadAsTheyAreHeld) {
  attach();
  auto pad = makeGameController();
  ControllerState state;
  ASSERT_TRUE(pad->read(state));
  EXPECT_FALSE(state.up || state.down || state.left || state.right || state.fire || state.start);

  SDL_JoystickSetVirtualButton(m_virtual, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
  SDL_JoystickSetVirtualButton(m_virtual, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualAxis(m_virtual, SDL_CONTROLLER_AXIS_LEFTX, 30000);
  ASSERT_TRUE(pad->read(state));
  EXPECT_TRUE(state.up);
  EXPECT_TRUE(state.right);
  EXPECT_TRUE(state.fire);
  EXPECT_FALSE(state.left || state.down || state.start);

  SDL_JoystickSetVirtualButton(m_virtual, SDL_CONTROLLER_BUTTON_DPAD_UP, 0);
  SDL_JoystickSetVirtualButton(m_virtual, SDL_CONTROLLER_BUTTON_A, 0);
  SDL_JoystickSetVirtualButton(m_virtual, SDL_CONTROLLER_BUTTON_START, 1);
  // A small stick deflection is no direction.
  SDL_JoystickSetVirtualAxis(m_virtual, SDL_CONTROLLER_AXIS_LEFTX, -kStickThreshold + 100);
  SDL_JoystickSetVirtualAxis(m_virtual, SDL_CONTROLLER_AXIS_LEFTY, kStickThreshold + 100);
  ASSERT_TRUE(pad->read(state));
  EXPECT_TRUE(state.start);
  EXPECT_TRUE(state.down);
  EXPECT_FALSE(state.up || state.left || state.right || state.fire);
}

}  // namespace
}  // namespace platform
