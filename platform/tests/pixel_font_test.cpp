#include "platform/pixel_font.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace platform {
namespace {

constexpr char kDescenders[] = {',', 'g', 'j', 'p', 'q', 'y'};

TEST(PixelFont, EveryGlyphFitsFiveColumnsAndNoTwoCharactersLookAlike) {
  std::map<GlyphRows, char> seen;
  int glyphs = 0;
  for (int code = 0; code < 128; ++code) {
    const char c = static_cast<char>(code);
    const auto rows = pixelGlyph(c);
    if (!rows) continue;
    ++glyphs;
    for (std::uint8_t row : *rows) EXPECT_EQ(row & ~0x1F, 0) << "'" << c << "' is wider than 5";
    const auto [other, fresh] = seen.emplace(*rows, c);
    EXPECT_TRUE(fresh) << "'" << c << "' looks like '" << other->second << "'";
  }
  EXPECT_GE(glyphs, 70) << "digits, both cases and the punctuation the games write";
  EXPECT_EQ(pixelGlyph(' '), GlyphRows{}) << "the blank is a glyph with no lit cell";
  EXPECT_FALSE(pixelGlyph('~').has_value());
  EXPECT_FALSE(pixelGlyph('\x7f').has_value());
}

TEST(PixelFont, OnlyDescenderLettersHangAndTheirTailsLieBelowTheCapitalHeight) {
  for (char c : kDescenders) {
    const auto hanging = hangingPixelGlyph(c);
    ASSERT_TRUE(hanging.has_value()) << c;
    ASSERT_TRUE(pixelGlyph(c).has_value()) << "'" << c << "' also has a seven-row form";
    EXPECT_NE(hanging->at(kGlyphRows) | hanging->at(kGlyphRows + 1), 0) << c << " hangs";
    for (std::uint8_t row : *hanging) EXPECT_EQ(row & ~0x1F, 0) << c;
  }
  for (char c : std::string("AZaz09bdfhiklt!+:?")) EXPECT_FALSE(hangingPixelGlyph(c)) << c;
}

}  // namespace
}  // namespace platform
