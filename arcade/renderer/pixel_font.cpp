#include "arcade/renderer/pixel_font.h"

#include <algorithm>

namespace arcade {

std::optional<GlyphRows> PixelGlyph(char c) {
  return platform::pixelGlyph(c);
}

bool PixelFontCovers(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return PixelGlyph(c).has_value(); });
}

}  // namespace arcade
