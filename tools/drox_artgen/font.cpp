#include "font.h"

namespace drox_art {

std::vector<std::uint8_t> glyphRows(char c) {
  if (const auto hanging = platform::hangingPixelGlyph(c))
    return {hanging->begin(), hanging->end()};
  if (const auto rows = platform::pixelGlyph(c)) return {rows->begin(), rows->end()};
  return std::vector<std::uint8_t>(kCapRows, 0);
}

}  // namespace drox_art
