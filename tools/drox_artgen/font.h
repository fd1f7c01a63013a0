// The artwork's 5-pixel-wide bitmap font: one byte per row, bit 4 the
// leftmost column. Capitals and digits are seven rows (the capital height);
// g, j, p, q, y and the comma hang two rows below it, so that "g" never
// reads as "9". Characters it lacks, space included, are blank. Only data:
// drawing is art_common.cpp's.
#pragma once

#include <cstdint>
#include <vector>

namespace drox_art {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kCapRows = 7;
inline constexpr int kDescenderRows = 2;

// Seven rows, or nine for a letter with a descender.
std::vector<std::uint8_t> glyphRows(char c);

}  // namespace drox_art
