#include "arena/core/pad_keys.h"

#include "arena/core/keys.h"

namespace arena {

std::optional<Heading> padHeading(const PadState& pad) {
  const int dx = (pad.right ? 1 : 0) - (pad.left ? 1 : 0);
  const int dy = (pad.down ? 1 : 0) - (pad.up ? 1 : 0);
  if (dx > 0 && dy < 0) return Heading::UpRight;
  if (dx > 0 && dy > 0) return Heading::DownRight;
  if (dx < 0 && dy > 0) return Heading::DownLeft;
  if (dx < 0 && dy < 0) return Heading::UpLeft;
  if (dx < 0) return Heading::Left;
  if (dx > 0) return Heading::Right;
  if (dy < 0) return Heading::Up;
  if (dy > 0) return Heading::Down;
  return std::nullopt;
}

std::vector<int32_t> padKeys(const PadState& previous, const PadState& now) {
  std::vector<int32_t> keys;
  if (now.start && !previous.start) keys.push_back(key::kReturn);
  if (const auto heading = padHeading(now)) keys.push_back(static_cast<int32_t>(*heading));
  if (now.fire && !previous.fire) keys.push_back(key::kSpace);
  return keys;
}

}  // namespace arena
