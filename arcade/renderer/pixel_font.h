// The game's 5 x 7 pixel font: one glyph per printable character the game
// writes into its own frames (banners), each seven rows of five bits, bit 4
// the leftmost column. The score labels of the artwork are drawn with the
// same rows, so banners and overlay share one look.
//
// It holds no pictures and draws nothing; the banner painter reads it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace arcade {

inline constexpr int kGlyphColumns = 5;
inline constexpr int kGlyphRows = 7;

using GlyphRows = std::array<std::uint8_t, kGlyphRows>;

// The rows of c; nothing for a character the font lacks. The blank is a
// glyph with no lit cell.
std::optional<GlyphRows> PixelGlyph(char c);

// True when every character of text has a glyph.
bool PixelFontCovers(std::string_view text);

}  // namespace arcade
