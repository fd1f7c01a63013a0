#include "arcade/sound/key_state.h"

#include <gtest/gtest.h>

namespace arcade {
namespace {

TEST(KeyState, TwoPressesBetweenQuestionsAnswerOnce) {
  CKeyState keys;
  keys.Press(GameKey::Space);
  keys.Release(GameKey::Space);
  keys.Press(GameKey::Space);
  keys.Release(GameKey::Space);
  EXPECT_TRUE(keys.PressedSinceAsked(GameKey::Space));
  EXPECT_FALSE(keys.PressedSinceAsked(GameKey::Space));
  EXPECT_FALSE(keys.PressedSinceAsked(GameKey::I)) << "another key was never pressed";
}

TEST(KeyState, HeldFollowsTheKeyWhileAPressStaysPendingAfterRelease) {
  CKeyState keys;
  keys.Press(GameKey::Shift);
  EXPECT_TRUE(keys.IsHeld(GameKey::Shift));
  keys.Release(GameKey::Shift);
  EXPECT_FALSE(keys.IsHeld(GameKey::Shift));
  EXPECT_TRUE(keys.PressedSinceAsked(GameKey::Shift));

  keys.Press(GameKey::LeftButton);
  keys.ReleaseAll();
  EXPECT_FALSE(keys.IsHeld(GameKey::LeftButton));
  EXPECT_TRUE(keys.PressedSinceAsked(GameKey::LeftButton));
  EXPECT_FALSE(keys.IsHeld(GameKey::Count));
}

TEST(KeyState, FlushKeysForgetsTheGameKeysButNotEnter) {
  CKeyState keys;
  for (GameKey k : {GameKey::Shift, GameKey::Space, GameKey::Enter, GameKey::LeftButton,
                    GameKey::RightButton, GameKey::I, GameKey::O})
    keys.Press(k);
  keys.FlushKeys();
  for (GameKey k : {GameKey::Shift, GameKey::Space, GameKey::LeftButton, GameKey::RightButton,
                    GameKey::I, GameKey::O})
    EXPECT_FALSE(keys.PressedSinceAsked(k)) << static_cast<int>(k);
  EXPECT_TRUE(keys.PressedSinceAsked(GameKey::Enter));
  EXPECT_TRUE(keys.IsHeld(GameKey::Shift)) << "flushing does not release";
}

TEST(KeyState, FlushServeKeysForgetsOnlySpaceAndEnter) {
  CKeyState keys;
  keys.Press(GameKey::Space);
  keys.Press(GameKey::Enter);
  keys.Press(GameKey::O);
  IKeyFlusher& flusher = keys;
  flusher.FlushServeKeys();
  EXPECT_FALSE(keys.PressedSinceAsked(GameKey::Space));
  EXPECT_FALSE(keys.PressedSinceAsked(GameKey::Enter));
  EXPECT_TRUE(keys.PressedSinceAsked(GameKey::O));
}

}  // namespace
}  // namespace arcade
