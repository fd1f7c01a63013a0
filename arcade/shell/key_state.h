// The keys and mouse buttons the game asks about, kept the way the system's
// asynchronous key state answers: whether a key is held now, and whether it
// was pressed since it was last asked for. Asking (TakePressed) clears the
// pressed bit, so two presses between two ticks count once; Flush forgets
// presses without asking. The window feeds it from its key and mouse events;
// nothing here reads a device.
#pragma once

#include <array>
#include <initializer_list>

namespace arcade {

enum class ShellKey { Shift, Space, Enter, LeftButton, RightButton, I, O };
inline constexpr int kShellKeyCount = 7;

class KeyState {
 public:
  void Press(ShellKey key) {
    Slot& s = m_keys[Index(key)];
    s.held = true;
    s.pressed = true;
  }
  void Release(ShellKey key) { m_keys[Index(key)].held = false; }
  bool Held(ShellKey key) const { return m_keys[Index(key)].held; }
  // True once for any number of presses since the last call or flush.
  bool TakePressed(ShellKey key) {
    Slot& s = m_keys[Index(key)];
    const bool was = s.pressed;
    s.pressed = false;
    return was;
  }
  void Flush(std::initializer_list<ShellKey> keys) {
    for (ShellKey k : keys) m_keys[Index(k)].pressed = false;
  }
  // Shift, Space, both mouse buttons, I and O: what a level start, a pause
  // toggle and a title paint forget.
  void FlushGameKeys() {
    Flush({ShellKey::Shift, ShellKey::Space, ShellKey::LeftButton, ShellKey::RightButton,
           ShellKey::I, ShellKey::O});
  }
  // Everything is let go (the window lost the keyboard).
  void ReleaseAll() {
    for (Slot& s : m_keys) s.held = false;
  }

 private:
  struct Slot {
    bool held = false;
    bool pressed = false;
  };
  static int Index(ShellKey key) { return static_cast<int>(key); }
  std::array<Slot, kShellKeyCount> m_keys{};
};

}  // namespace arcade
