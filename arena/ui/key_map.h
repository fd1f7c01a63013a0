// Qt key events as the game's virtual-key codes and hero moves.
//
// The game reacts to the classic codes (keys.h). Movement has alternatives:
// the arrows, W A S D, and the numeric keypad (8 2 4 6 straight, 7 9 1 3
// diagonal, with NumLock on or off); Home, Page Up, End and Page Down stay
// the diagonals. A straight key is held until released, so two of them
// together make a diagonal (`heldHeading`). Auto-repeated presses map like
// first presses: a held key repeats its move.
#pragma once

#include <cstdint>
#include <optional>

#include "arena/core/images.h"

namespace arena::ui {

// Non-movement keys: Enter, Esc, space, F1, F2 and the rest by their codes.
int32_t virtualKeyFor(int qtKey);

// A movement key as a step direction (each of dx, dy -1, 0 or +1), or
// nothing. `keypad` says the key came from the numeric keypad; `plain` that
// no Ctrl or Alt was held (W A S D move only then).
struct MoveKey {
  int dx = 0;
  int dy = 0;
  bool diagonal() const { return dx != 0 && dy != 0; }
  friend bool operator==(const MoveKey&, const MoveKey&) = default;
};
std::optional<MoveKey> moveKeyFor(int qtKey, bool keypad, bool plain);

// The heading of the straight keys held together (opposites cancel), or of
// one diagonal key.
std::optional<Heading> headingOf(MoveKey sum);

}  // namespace arena::ui
