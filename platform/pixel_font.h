// The suite's 5 x 7 pixel font: one glyph per printable character the
// games write in their own pictures, each seven rows of five bits, bit 4
// the leftmost column. VORTEXIA's banners and score labels and DROX's
// generated artwork read the same rows, so each letter is drawn once.
//
// Letters with a descender (g, j, p, q, y and the comma) come in two forms:
// squeezed into the seven rows, for text that must keep one line height
// (the banners), and hanging two rows below the capital height, so that
// "g" never reads as "9" where there is room (the DROX artwork).
//
// Only data: it draws nothing and knows no colours or pictures.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace platform {

inline constexpr int kGlyphColumns = 5;
inline constexpr int kGlyphRows = 7;
inline constexpr int kDescenderRows = 2;

using GlyphRows = std::array<std::uint8_t, kGlyphRows>;
using HangingGlyphRows = std::array<std::uint8_t, kGlyphRows + kDescenderRows>;

// The seven rows of c; nothing for a character the font lacks. The blank
// is a glyph with no lit cell.
std::optional<GlyphRows> pixelGlyph(char c);

// The hanging form of a letter with a descender; nothing for any other
// character (its seven-row form is its only one).
std::optional<HangingGlyphRows> hangingPixelGlyph(char c);

}  // namespace platform
