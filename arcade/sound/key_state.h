// The keys and mouse buttons the game polls, with the two answers the old
// asynchronous key query gave: whether a key is held now, and whether it was
// pressed since the game last asked (a bit, not a count: two presses between
// two questions answer once). The shell feeds it the window's key and button
// events; the game asks it; flushing forgets presses not yet asked for. It
// knows nothing of Qt: the shell maps its key codes to GameKey, and should
// not feed auto-repeated presses (a held key is one press).
//
// Use from the shell:
//
//   arcade::CKeyState keys;                       // one per run
//   keyPressEvent:   if (!e->isAutoRepeat()) keys.Press(arcade::GameKey::Space);
//   keyReleaseEvent: if (!e->isAutoRepeat()) keys.Release(arcade::GameKey::Space);
//   each tick:       if (keys.PressedSinceAsked(arcade::GameKey::Space)) togglePause();
//   pause, level start, title paint: keys.FlushKeys();
//   CWorld(..., &keys) flushes Space and Enter after a lost ball.
#pragma once

#include <array>
#include <cstddef>

#include "arcade/world/world_types.h"

namespace arcade {

enum class GameKey { Shift, Space, Enter, LeftButton, RightButton, I, O, Count };

class CKeyState : public IKeyFlusher {
 public:
  void Press(GameKey key);
  void Release(GameKey key);
  // A focus loss: nothing is held any more (presses not yet asked stay).
  void ReleaseAll();

  bool IsHeld(GameKey key) const;
  // Answers whether the key went down since the last question (or flush)
  // and clears that memory.
  bool PressedSinceAsked(GameKey key);
  void Flush(GameKey key);

  // Forgets pending presses of Shift, Space, both mouse buttons, I and O.
  void FlushKeys();
  // Forgets pending presses of Space and Enter.
  void FlushServeKeys() override;

 private:
  static std::size_t index(GameKey key) { return static_cast<std::size_t>(key); }
  static constexpr std::size_t kKeys = static_cast<std::size_t>(GameKey::Count);

  std::array<bool, kKeys> m_held{};
  std::array<bool, kKeys> m_pressed{};
};

}  // namespace arcade
