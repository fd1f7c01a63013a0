// The game's pixel font as its banners read it: the suite's 5 x 7 font
// (platform/pixel_font.h) with every letter in its seven-row form, so a
// line of text keeps one height. The score labels of the artwork are drawn
// with the same rows, so banners and overlay share one look.
//
// It holds no pictures and draws nothing; the banner painter reads it.
#pragma once

#include <optional>
#include <string_view>

#include "platform/pixel_font.h"

namespace arcade {

using platform::GlyphRows;
using platform::kGlyphColumns;
using platform::kGlyphRows;

// The rows of c; nothing for a character the font lacks. The blank is a
// glyph with no lit cell.
std::optional<GlyphRows> PixelGlyph(char c);

// True when every character of text has a glyph.
bool PixelFontCovers(std::string_view text);

}  // namespace arcade
