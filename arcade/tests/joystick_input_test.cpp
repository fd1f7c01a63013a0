#include "arcade/sound/joystick_input.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace arcade {
namespace {

using platform::JoystickPosition;
using platform::JoystickResult;

// Answers the scripted results in turn (Ok with the scripted position) and
// records the pause flag it saw.
struct FakeJoystick : platform::Joystick {
  FakeJoystick(std::deque<JoystickResult> script, JoystickPosition at, const int& pausedFlag)
      : results(std::move(script)), position(at), paused(pausedFlag) {}
  JoystickResult read(JoystickPosition& out) override {
    pausedDuringRead.push_back(paused);
    const JoystickResult r = results.empty() ? JoystickResult::Unplugged : results.front();
    if (!results.empty()) results.pop_front();
    if (r == JoystickResult::Ok) out = position;
    return r;
  }
  std::deque<JoystickResult> results;
  JoystickPosition position;
  const int& paused;
  std::vector<int> pausedDuringRead;
};

struct Shown {
  std::string caption, text;
  int paused;
  bool mouseMode;
};

struct FakeMessages : IJoystickMessages {
  void ShowJoystickError(std::string_view caption, std::string_view text) override {
    shown.push_back({std::string(caption), std::string(text), *paused, input->MouseMode()});
    if (readAgainInside) {
      JoystickSample ignored;
      nestedReadResult = input->ReadJoystick(ignored);
    }
  }
  std::vector<Shown> shown;
  const int* paused = nullptr;
  CJoystickInput* input = nullptr;
  bool readAgainInside = false;
  bool nestedReadResult = true;
};

class JoystickInputTest : public ::testing::Test {
 protected:
  CJoystickInput& make(std::deque<JoystickResult> script, JoystickPosition at = {}) {
    auto device = std::make_unique<FakeJoystick>(std::move(script), at, m_paused);
    m_device = device.get();
    m_input = std::make_unique<CJoystickInput>(std::move(device), m_paused, m_messages);
    m_messages.paused = &m_paused;
    m_messages.input = m_input.get();
    return *m_input;
  }

  int m_paused = 0;
  FakeMessages m_messages;
  FakeJoystick* m_device = nullptr;
  std::unique_ptr<CJoystickInput> m_input;
};

TEST(JoystickMessages, EachFailureHasItsOwnText) {
  EXPECT_EQ(joystickErrorText(JoystickResult::Ok), "");
  EXPECT_EQ(
      joystickErrorText(JoystickResult::NoDriver),
      "Joystick driver not present.\nDouble-click on the Joystick icon in you Control Panel.");
  EXPECT_EQ(joystickErrorText(JoystickResult::BadDevice),
            "Invalid Joystick device.\nDouble-click on the Joystick icon in you Control Panel.");
  EXPECT_EQ(joystickErrorText(JoystickResult::Unplugged),
            "Your Joystick is unplugged.\nDouble-click on the Joystick icon in you Control Panel.");
  EXPECT_EQ(joystickErrorText(static_cast<JoystickResult>(42)),
            "Unspecified Joystick error.\nDouble-click on the Joystick icon in you Control Panel.");
  EXPECT_EQ(kJoystickErrorCaption, "Joystick Error");
}

TEST_F(JoystickInputTest, StartsInMouseModeAndASuccessfulProbeSwitchesToTheJoystick) {
  CJoystickInput& input = make({JoystickResult::Ok});
  EXPECT_TRUE(input.MouseMode());
  EXPECT_TRUE(input.ProbeJoystick());
  EXPECT_FALSE(input.MouseMode());
  EXPECT_TRUE(m_messages.shown.empty());
  input.SetMouseMode();
  EXPECT_TRUE(input.MouseMode());
}

TEST_F(JoystickInputTest, FailedProbeShowsItsMessageAndStaysInMouseMode) {
  CJoystickInput& input = make({JoystickResult::Unplugged});
  EXPECT_FALSE(input.ProbeJoystick());
  EXPECT_TRUE(input.MouseMode());
  ASSERT_EQ(m_messages.shown.size(), 1u);
  EXPECT_EQ(m_messages.shown[0].caption, "Joystick Error");
  EXPECT_EQ(m_messages.shown[0].text, joystickErrorText(JoystickResult::Unplugged));
}

TEST_F(JoystickInputTest, ReadScalesRawPositionsByThirtyTwoThousand) {
  CJoystickInput& input =
      make({JoystickResult::Ok, JoystickResult::Ok}, JoystickPosition{64000, 16000, true, false});
  JoystickSample s;
  ASSERT_TRUE(input.ReadJoystick(s));
  EXPECT_FLOAT_EQ(s.x, 2.0f);
  EXPECT_FLOAT_EQ(s.y, 0.5f);
  EXPECT_TRUE(s.button1);
  EXPECT_FALSE(s.button2);
  m_device->position = JoystickPosition{0, 65535, false, true};
  ASSERT_TRUE(input.ReadJoystick(s));
  EXPECT_FLOAT_EQ(s.x, 0.0f);
  EXPECT_FLOAT_EQ(s.y, 65535.0f / 32000.0f);
  EXPECT_TRUE(s.button2);
}

TEST_F(JoystickInputTest, FailedReadInJoystickModeReturnsToMouseModeAndKeepsTheSample) {
  CJoystickInput& input = make({JoystickResult::Ok, JoystickResult::BadDevice});
  ASSERT_TRUE(input.ProbeJoystick());
  JoystickSample s{1.25f, 0.75f, true, true};
  EXPECT_FALSE(input.ReadJoystick(s));
  EXPECT_TRUE(input.MouseMode());
  EXPECT_FLOAT_EQ(s.x, 1.25f);
  EXPECT_FLOAT_EQ(s.y, 0.75f);
  EXPECT_TRUE(s.button1 && s.button2);
  ASSERT_EQ(m_messages.shown.size(), 1u);
  EXPECT_EQ(m_messages.shown[0].text, joystickErrorText(JoystickResult::BadDevice));
  EXPECT_TRUE(m_messages.shown[0].mouseMode) << "mouse mode is set before the box";
}

TEST_F(JoystickInputTest, GameIsPausedWhileReadingAndThePauseFlagIsRestored) {
  CJoystickInput& input = make({JoystickResult::Ok, JoystickResult::NoDriver});
  JoystickSample s;
  m_paused = 0;
  input.ReadJoystick(s);
  EXPECT_EQ(m_paused, 0);
  m_paused = 2;  // raised by a dialog already
  input.ReadJoystick(s);
  EXPECT_EQ(m_paused, 2);
  EXPECT_EQ(m_device->pausedDuringRead, (std::vector<int>{1, 1}));
  ASSERT_EQ(m_messages.shown.size(), 1u);
  EXPECT_EQ(m_messages.shown[0].paused, 1);
}

TEST_F(JoystickInputTest, ReadAskedForWhileAMessageIsOpenFailsWithoutASecondMessage) {
  CJoystickInput& input = make({JoystickResult::Unplugged, JoystickResult::Ok});
  m_messages.readAgainInside = true;
  JoystickSample s;
  EXPECT_FALSE(input.ReadJoystick(s));
  EXPECT_FALSE(m_messages.nestedReadResult);
  EXPECT_EQ(m_messages.shown.size(), 1u);
  EXPECT_EQ(m_device->pausedDuringRead.size(), 1u) << "the device was not asked twice";
  EXPECT_EQ(m_paused, 0);
  // Once the box is closed, reads work again.
  m_messages.readAgainInside = false;
  EXPECT_TRUE(input.ReadJoystick(s));
}

TEST(JoystickInput, NoDeviceAnswersAsAMissingDriver) {
  int paused = 0;
  FakeMessages messages;
  CJoystickInput input(nullptr, paused, messages);
  messages.paused = &paused;
  messages.input = &input;
  EXPECT_FALSE(input.ProbeJoystick());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, joystickErrorText(JoystickResult::NoDriver));
}

}  // namespace
}  // namespace arcade
