// Game controller input as the game's key presses.
//
// The window polls the controller once per timer period and hands the
// directions and buttons held to `padKeys`, which answers the keys to press
// for that poll: Start pressed since the last poll is Enter, a direction held
// is the arrow or paging key of that heading on every poll (as a held key
// repeats), a fire button pressed since the last poll is the space bar.
// Opposite directions held together cancel out. Nothing here reads a device.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "arena/core/images.h"

namespace arena {

struct PadState {
  bool up = false;
  bool down = false;
  bool left = false;
  bool right = false;
  bool fire = false;
  bool start = false;
  friend bool operator==(const PadState&, const PadState&) = default;
};

// The heading of the directions held, if any.
std::optional<Heading> padHeading(const PadState& pad);

// Keys for one poll, in the order to press them: Enter, heading, space.
std::vector<int32_t> padKeys(const PadState& previous, const PadState& now);

}  // namespace arena
