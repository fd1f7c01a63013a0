#include "platform/joystick.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace platform {
namespace {

// SDL's virtual joystick stands in for a real controller: the test attaches
// it, moves its stick and presses its buttons, and reads it back through the
// same path a game uses.
class JoystickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) GTEST_SKIP() << SDL_GetError();
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real controller is connected";
  }
  void TearDown() override {
    if (m_virtual != nullptr) SDL_JoystickClose(m_virtual);
    if (m_index >= 0) SDL_JoystickDetachVirtual(m_index);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  void attach() {
    m_index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
    ASSERT_GE(m_index, 0) << SDL_GetError();
    m_virtual = SDL_JoystickOpen(m_index);
    ASSERT_NE(m_virtual, nullptr) << SDL_GetError();
  }
  void detach() {
    SDL_JoystickClose(m_virtual);
    m_virtual = nullptr;
    SDL_JoystickDetachVirtual(m_index);
    m_index = -1;
  }

  SDL_Joystick* m_virtual = nullptr;
  int m_index = -1;
};

TEST_F(JoystickTest, NoControllerReadsAsUnpluggedAndLeavesThePositionAlone) {
  const auto joystick = makeJoystick();
  JoystickPosition position{1, 2, true, false};
  EXPECT_EQ(joystick->read(position), JoystickResult::Unplugged);
  EXPECT_EQ(position.x, 1u);
  EXPECT_EQ(position.y, 2u);
  EXPECT_TRUE(position.button1);
}

TEST_F(JoystickTest, StickAndButtonsReadAsRawPositions) {
  const auto joystick = makeJoystick();
  attach();
  SDL_JoystickSetVirtualAxis(m_virtual, 0, -32768);
  SDL_JoystickSetVirtualAxis(m_virtual, 1, 32767);
  SDL_JoystickSetVirtualButton(m_virtual, 1, 1);
  JoystickPosition position;
  ASSERT_EQ(joystick->read(position), JoystickResult::Ok);
  EXPECT_EQ(position.x, 0u);
  EXPECT_EQ(position.y, 65535u);
  EXPECT_FALSE(position.button1);
  EXPECT_TRUE(position.button2);

  SDL_JoystickSetVirtualAxis(m_virtual, 0, 0);
  SDL_JoystickSetVirtualButton(m_virtual, 0, 1);
  ASSERT_EQ(joystick->read(position), JoystickResult::Ok);
  EXPECT_EQ(position.x, 32768u);
  EXPECT_TRUE(position.button1);
}

TEST_F(JoystickTest, PullingTheControllerOutAndBackIsNoticed) {
  const auto joystick = makeJoystick();
  attach();
  JoystickPosition position;
  ASSERT_EQ(joystick->read(position), JoystickResult::Ok);
  detach();
  EXPECT_EQ(joystick->read(position), JoystickResult::Unplugged);
  attach();
  EXPECT_EQ(joystick->read(position), JoystickResult::Ok);
}

TEST_F(JoystickTest, PadWithAControllerMappingIsReadThroughIt) {
  // A pad without a left x axis and without an A button: its raw axis 0 is
  // the left stick's y and its raw button 0 is B, so a raw read would answer
  // with the wrong axis and the wrong button.
  SDL_VirtualJoystickDesc pad{};
  pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  pad.naxes = 2;
  pad.nbuttons = 2;
  pad.axis_mask = (1u << SDL_CONTROLLER_AXIS_LEFTY) | (1u << SDL_CONTROLLER_AXIS_RIGHTX);
  pad.button_mask = (1u << SDL_CONTROLLER_BUTTON_B) | (1u << SDL_CONTROLLER_BUTTON_X);
  m_index = SDL_JoystickAttachVirtualEx(&pad);
  ASSERT_GE(m_index, 0) << SDL_GetError();
  m_virtual = SDL_JoystickOpen(m_index);
  ASSERT_NE(m_virtual, nullptr) << SDL_GetError();

  const auto joystick = makeJoystick();
  SDL_JoystickSetVirtualAxis(m_virtual, 0, -32768);  // left y
  SDL_JoystickSetVirtualAxis(m_virtual, 1, 32767);   // right x
  SDL_JoystickSetVirtualButton(m_virtual, 0, 1);     // B
  JoystickPosition position;
  ASSERT_EQ(joystick->read(position), JoystickResult::Ok);
  EXPECT_EQ(position.x, 32768u) << "no left x axis: centred";
  EXPECT_EQ(position.y, 0u);
  EXPECT_FALSE(position.button1);
  EXPECT_TRUE(position.button2);
}

}  // namespace
}  // namespace platform
