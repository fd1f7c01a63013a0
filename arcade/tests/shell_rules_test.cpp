// The shell's pure rules: the title buttons and their layout, the title
// screen's texts, the pressed-key state, the input from mouse and joystick,
// the display-mode warnings and the joystick messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "arcade/shell/display_mode.h"
#include "arcade/shell/joystick_reader.h"
#include "arcade/shell/key_state.h"
#include "arcade/shell/shell_input.h"
#include "arcade/shell/title_layout.h"
#include "support/fakes.h"

namespace arcade {
namespace {

std::vector<TitleButton> ids(const std::vector<ButtonPlace>& places) {
  std::vector<TitleButton> out;
  for (const auto& p : places) out.push_back(p.id);
  return out;
}

PlayerRecord atLevel(int current, int highest) {
  PlayerRecord r;
  r.currentLevel = current;
  r.highestLevel = highest;
  return r;
}

TEST(TitleButtons, NextIsHiddenAtTheHighestLevelAndBackAtTheFirst) {
  using B = TitleButton;
  EXPECT_EQ(ids(LayoutTitleButtons(640, 480, atLevel(0, 0))),
            (std::vector<B>{B::Help, B::Play, B::Info}));
  EXPECT_EQ(ids(LayoutTitleButtons(640, 480, atLevel(3, 3))),
            (std::vector<B>{B::Help, B::Play, B::Back, B::Info}))
      << "no Next >> at the highest level reached";
  EXPECT_EQ(ids(LayoutTitleButtons(640, 480, atLevel(2, 5))),
            (std::vector<B>{B::Help, B::Next, B::Play, B::Back, B::Info}));
  EXPECT_EQ(ids(LayoutTitleButtons(640, 480, atLevel(0, 4))),
            (std::vector<B>{B::Help, B::Next, B::Play, B::Info}));
  EXPECT_FALSE(NextVisible(atLevel(31, 31)));
  EXPECT_FALSE(NextVisible(atLevel(31, 40))) << "never past the last level";
}

TEST(TitleButtons, LineUpFromTheRightEdgeWithAFifthOfAButtonBetween) {
  const auto places = LayoutTitleButtons(640, 480, atLevel(2, 5));
  ASSERT_EQ(places.size(), 5u);
  for (const auto& p : places) {
    EXPECT_EQ(p.width, 91);
    EXPECT_EQ(p.height, 32);
    EXPECT_EQ(p.y, 480 - 32 - 16);
  }
  EXPECT_EQ(places[0].x, 18) << "? at a / 5";
  EXPECT_EQ(places[1].x, 531);
  EXPECT_EQ(places[2].x, 422);
  EXPECT_EQ(places[3].x, 313);
  EXPECT_EQ(places[4].x, 204);
  EXPECT_STREQ(TitleButtonText(places[1].id), "Next >>");
  EXPECT_STREQ(TitleButtonText(places[3].id), "<< Back");
}

TEST(TitleButtons, NarrowAndLowWindowsKeepTheMinimumSize) {
  for (int w : {100, 280, 335}) {
    for (const auto& p : LayoutTitleButtons(w, 60, atLevel(1, 2))) {
      EXPECT_EQ(p.width, 48) << "width " << w;
      EXPECT_EQ(p.height, 8);
      EXPECT_EQ(p.y, 60 - 8 - 4);
    }
  }
  EXPECT_EQ(LayoutTitleButtons(336, 240, atLevel(0, 0))[0].width, 48);
  EXPECT_EQ(LayoutTitleButtons(343, 240, atLevel(0, 0))[0].width, 49);
}

const TitleText* findText(const TitleScreen& s, const std::string& text) {
  auto it = std::find_if(s.texts.begin(), s.texts.end(),
                         [&](const TitleText& t) { return t.text == text; });
  return it == s.texts.end() ? nullptr : &*it;
}

TEST(TitleScreenLayout, HeadingLevelAndNameStepDownTheCentre) {
  PlayerRecord r = atLevel(2, 2);
  r.playerName = "Ada";
  const TitleScreen s = LayoutTitleScreen(640, 480, r);
  const TitleText* title = findText(s, "Vortexia");
  const TitleText* level = findText(s, "Level 3");
  const TitleText* name = findText(s, "Ada");
  const TitleText* scores = findText(s, "Scores:");
  ASSERT_TRUE(title && level && name && scores);
  EXPECT_EQ(title->y, 68);
  EXPECT_EQ(title->height, 68);
  EXPECT_EQ(title->weight, 750);
  // 68 + 24 (credit) + 12 (rule) + 34 = 138, then 34 more for the name.
  EXPECT_EQ(level->y, 138);
  EXPECT_EQ(name->y, 172);
  EXPECT_EQ(name->colour, TitleColour::Green);
  EXPECT_EQ(level->colour, TitleColour::Yellow);
  EXPECT_EQ(title->x, 320);
  ASSERT_EQ(s.rules.size(), 2u);
  EXPECT_EQ(s.rules[0].y, 104);
  EXPECT_EQ(s.rules[1].y, 188);
  EXPECT_EQ(s.rules[0].x1, 320 - 106);
  EXPECT_EQ(s.rules[0].x2, 320 + 106);
  EXPECT_EQ(scores->y, 188 + 36);
  EXPECT_TRUE(scores->italic);
}

TEST(TitleScreenLayout, ScoreTableShowsLastAndBestOfTheCurrentLevel) {
  PlayerRecord r = atLevel(1, 1);
  r.lastResult[1] = {1500, -1};
  r.bestResult[1] = {1234567, 100};  // par 120: 2,000 bonus
  const TitleScreen s = LayoutTitleScreen(640, 480, r);
  const TitleText* naTime = findText(s, "n/a");
  const TitleText* bestTime = findText(s, "1m 40s");
  const TitleText* bestTotal = findText(s, "1,236,567");
  const TitleText* lastScore = findText(s, "1,500");
  const TitleText* label = findText(s, "Total Score:");
  ASSERT_TRUE(naTime && bestTime && bestTotal && lastScore && label);
  // Columns end at cx - 128 + 42, cx + 42 and cx + 128 + 42.
  EXPECT_EQ(label->x, 234);
  EXPECT_EQ(naTime->x, 362);
  EXPECT_EQ(bestTime->x, 490);
  EXPECT_EQ(bestTotal->align, TitleAlign::Right);
  const int top = findText(s, "Scores:")->y;
  EXPECT_EQ(findText(s, "Last:")->y, top + 32);
  EXPECT_EQ(naTime->y, top + 64);
  EXPECT_EQ(lastScore->y, top + 96);
  EXPECT_EQ(bestTotal->y, top + 160);
  EXPECT_EQ(bestTotal->colour, TitleColour::Green);
  auto count = [&](const char* text) {
    return std::count_if(s.texts.begin(), s.texts.end(),
                         [&](const TitleText& t) { return t.text == text; });
  };
  EXPECT_EQ(count("0"), 1) << "the lost attempt earns no bonus";
  EXPECT_EQ(count("1,500"), 2) << "and its total is its score";
}

TEST(KeyState, PressesBetweenTwoAsksCountOnceAndFlushForgetsThem) {
  KeyState keys;
  keys.Press(ShellKey::Space);
  keys.Release(ShellKey::Space);
  keys.Press(ShellKey::Space);
  EXPECT_TRUE(keys.TakePressed(ShellKey::Space));
  EXPECT_FALSE(keys.TakePressed(ShellKey::Space));
  EXPECT_TRUE(keys.Held(ShellKey::Space));
  keys.Press(ShellKey::I);
  keys.Press(ShellKey::Enter);
  keys.FlushGameKeys();
  EXPECT_FALSE(keys.TakePressed(ShellKey::I));
  EXPECT_TRUE(keys.Held(ShellKey::I)) << "flushing forgets presses, not what is held";
  EXPECT_TRUE(keys.TakePressed(ShellKey::Enter)) << "Enter is not one of the game keys";
}

TEST(ShellInput, CapturedMouseSteersByItsOffsetFromTheCentreUnclamped) {
  const ScreenRect rect{100, 50, 500, 350};  // centre (300, 200), half 200 x 150
  const WorldInput centre = MouseInput(rect, 300, 200, {});
  EXPECT_FLOAT_EQ(centre.x, 0.0f);
  EXPECT_FLOAT_EQ(centre.y, 0.0f);
  const WorldInput leftUp = MouseInput(rect, 200, 125, {false, true, false, false});
  EXPECT_FLOAT_EQ(leftUp.x, 0.5f) << "left of centre steers positive";
  EXPECT_FLOAT_EQ(leftUp.y, 0.5f) << "above centre is positive";
  EXPECT_TRUE(leftUp.fire);
  EXPECT_FLOAT_EQ(MouseInput(rect, 900, 200, {}).x, -3.0f);
  const WorldInput flat = MouseInput({10, 10, 10, 11}, 8, 10, {});
  EXPECT_FLOAT_EQ(flat.x, 3.0f) << "a half-width of 0 counts as 1";
  EXPECT_EQ(CaptureRect({0, 0, 640, 480}, 4, 3).right, 636);
  EXPECT_EQ(CaptureRect({0, 0, 640, 480}, 4, 3).top, 3);
}

TEST(ShellInput, JoystickTurnsAroundItsCentreAndIsHeldWithinOne) {
  const WorldInput centred = JoystickInput({0.95f, 0.95f, false, false}, {});
  EXPECT_FLOAT_EQ(centred.x, 0.0f);
  EXPECT_FLOAT_EQ(centred.y, 0.0f);
  const WorldInput corner = JoystickInput({2.05f, 0.0f, true, true}, {});
  EXPECT_FLOAT_EQ(corner.x, -1.0f);
  EXPECT_FLOAT_EQ(corner.y, 0.95f);
  EXPECT_TRUE(corner.fire);
  EXPECT_TRUE(corner.topDown) << "button 2 looks from above";
  const WorldInput shift = JoystickInput({1.0f, 1.0f, false, false}, {true, true, true, false});
  EXPECT_TRUE(shift.topDown);
  EXPECT_FALSE(shift.fire) << "the mouse button does not fire the joystick";
  EXPECT_TRUE(shift.zoomIn);
  const WorldInput idle = IdleInput({true, true, false, true});
  EXPECT_EQ(idle.x, 0.0f);
  EXPECT_FALSE(idle.fire);
  EXPECT_TRUE(idle.topDown);
  EXPECT_TRUE(idle.zoomOut);
}

TEST(DisplayMode, WarnsOnlyAboutWhatIsWrong) {
  const auto fine = CheckDisplayMode(8, 1280);
  EXPECT_TRUE(fine.askToContinue.empty());
  EXPECT_TRUE(fine.smoothness.empty());
  const auto both = CheckDisplayMode(24, 600);
  EXPECT_EQ(both.askToContinue.substr(0, 40), "Vortexia will run better if you set your");
  EXPECT_FALSE(both.smoothness.empty());
  const auto depth = CheckDisplayMode(32, 640);
  EXPECT_EQ(depth.askToContinue.substr(0, 46), "Your video card is not set to 256 color video ");
  EXPECT_EQ(depth.smoothness,
            "If Vortexia's animation doesn't appear smooth, switch your video mode to 256 colors.");
  const auto width = CheckDisplayMode(8, 320);
  EXPECT_EQ(width.askToContinue.substr(0, 40), "Your screen resolution is not set to 640");
  EXPECT_TRUE(width.smoothness.empty());
}

class FakeDevice : public platform::Joystick {
 public:
  platform::JoystickResult read(platform::JoystickPosition& p) override {
    observedPause = *paused;
    if (answer == platform::JoystickResult::Ok) p = position;
    return answer;
  }
  platform::JoystickResult answer = platform::JoystickResult::Ok;
  platform::JoystickPosition position;
  std::int32_t* paused = nullptr;
  std::int32_t observedPause = -1;
};

TEST(JoystickReader, ScalesTheRawAxesAndPausesWhileItReads) {
  testing::RecordingReporter reporter;
  std::int32_t paused = 0;
  FakeDevice device;
  device.paused = &paused;
  device.position = {64000, 16000, true, false};
  JoystickReader reader(device, reporter, paused);
  JoystickSample sample;
  ASSERT_TRUE(reader.Read(sample));
  EXPECT_FLOAT_EQ(sample.x, 2.0f);
  EXPECT_FLOAT_EQ(sample.y, 0.5f);
  EXPECT_TRUE(sample.button1);
  EXPECT_EQ(device.observedPause, 1);
  EXPECT_EQ(paused, 0) << "the pause flag is put back";
  EXPECT_TRUE(reporter.messages.empty());
}

TEST(JoystickReader, FailuresTellWhyAndLeaveTheSampleAlone) {
  testing::RecordingReporter reporter;
  std::int32_t paused = 1;
  FakeDevice device;
  device.paused = &paused;
  JoystickReader reader(device, reporter, paused);
  JoystickSample sample{0.25f, 0.5f, true, true};
  device.answer = platform::JoystickResult::Unplugged;
  EXPECT_FALSE(reader.Read(sample));
  EXPECT_FLOAT_EQ(sample.x, 0.25f);
  EXPECT_EQ(paused, 1);
  device.answer = platform::JoystickResult::NoDriver;
  EXPECT_FALSE(reader.Read(sample));
  device.answer = platform::JoystickResult::BadDevice;
  EXPECT_FALSE(reader.Read(sample));
  ASSERT_EQ(reporter.messages.size(), 3u);
  EXPECT_EQ(reporter.messages[0].caption, "Joystick Error");
  EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
  EXPECT_EQ(reporter.messages[0].text.substr(0, 28), "Your Joystick is unplugged.\n");
  EXPECT_EQ(reporter.messages[1].text.substr(0, 29), "Joystick driver not present.\n");
  EXPECT_EQ(reporter.messages[2].text.substr(0, 24), "Invalid Joystick device.");
  EXPECT_NE(reporter.messages[2].text.find("/dev/input"), std::string::npos);
  // Every failure tells a Linux player how to connect and calibrate a
  // controller, and none sends them to a Control Panel.
  for (const auto& m : reporter.messages) {
    EXPECT_EQ(m.text.find("Control Panel"), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("USB"), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("calibrate it, use jstest-gtk"), std::string::npos) << m.text;
  }
}

}  // namespace
}  // namespace arcade
