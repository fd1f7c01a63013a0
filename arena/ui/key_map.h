// Qt key events as the game's virtual-key codes.
//
// The game reacts to the classic codes (keys.h); every other key still
// reaches it, as a code of its own or 0, because any running key press moves
// the world on. Auto-repeated presses map like first presses: a held key
// repeats its key-down.
#pragma once

#include <cstdint>

namespace arena::ui {

int32_t virtualKeyFor(int qtKey);

}  // namespace arena::ui
