// The artwork's 5-pixel-wide bitmap font: the suite's pixel font
// (platform/pixel_font.h) with its hanging letters, so that g, j, p, q, y
// and the comma reach two rows below the capital height and "g" never
// reads as "9". Characters the font lacks are blank. Only data: drawing is
// art_common.cpp's.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/pixel_font.h"

namespace drox_art {

inline constexpr int kGlyphWidth = platform::kGlyphColumns;
inline constexpr int kCapRows = platform::kGlyphRows;
inline constexpr int kDescenderRows = platform::kDescenderRows;

// Seven rows, or nine for a letter with a descender; one byte a row, bit 4
// the leftmost column.
std::vector<std::uint8_t> glyphRows(char c);

}  // namespace drox_art
