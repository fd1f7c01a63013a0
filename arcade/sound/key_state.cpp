#include "arcade/sound/key_state.h"

namespace arcade {

void CKeyState::Press(GameKey key) {
  if (key == GameKey::Count) return;
  m_held[index(key)] = true;
  m_pressed[index(key)] = true;
}

void CKeyState::Release(GameKey key) {
  if (key == GameKey::Count) return;
  m_held[index(key)] = false;
}

void CKeyState::ReleaseAll() {
  m_held.fill(false);
}

bool CKeyState::IsHeld(GameKey key) const {
  return key != GameKey::Count && m_held[index(key)];
}

bool CKeyState::PressedSinceAsked(GameKey key) {
  if (key == GameKey::Count) return false;
  const bool pressed = m_pressed[index(key)];
  m_pressed[index(key)] = false;
  return pressed;
}

void CKeyState::Flush(GameKey key) {
  PressedSinceAsked(key);
}

void CKeyState::FlushKeys() {
  for (GameKey key : {GameKey::Shift, GameKey::Space, GameKey::LeftButton, GameKey::RightButton,
                      GameKey::I, GameKey::O})
    Flush(key);
}

void CKeyState::FlushServeKeys() {
  Flush(GameKey::Space);
  Flush(GameKey::Enter);
}

}  // namespace arcade
