// The artwork's pixel font: the letters with descenders, pinned as pictures,
// and the rule that only they (and the comma) reach below the line.
#include "font.h"

#include <gtest/gtest.h>

#include <string>

namespace drox_art {
namespace {

// The glyph as text, one line per row, '#' lit and '.' dark.
std::string picture(char c) {
  std::string out;
  for (std::uint8_t row : glyphRows(c)) {
    for (int col = 0; col < kGlyphWidth; ++col) out += (row & (0x10 >> col)) ? '#' : '.';
    out += '\n';
  }
  return out;
}

TEST(DroxFont, DescendersHangBelowTheLine) {
  EXPECT_EQ(picture('g'), ".....\n.....\n.####\n#...#\n#...#\n#...#\n.####\n....#\n.###.\n");
  EXPECT_EQ(picture('p'), ".....\n.....\n####.\n#...#\n#...#\n#...#\n####.\n#....\n#....\n");
  EXPECT_EQ(picture('q'), ".....\n.....\n.####\n#...#\n#...#\n#...#\n.####\n....#\n....#\n");
  EXPECT_EQ(picture('y'), ".....\n.....\n#...#\n#...#\n#...#\n#...#\n.####\n....#\n.###.\n");
  EXPECT_EQ(picture('j'), "...#.\n.....\n..##.\n...#.\n...#.\n...#.\n...#.\n#..#.\n.##..\n");
}

TEST(DroxFont, OnlyDescenderLettersReachBelowTheCapitalHeight) {
  const std::string descenders = "gjpqy,";
  for (char c = ' '; c <= 'z'; ++c) {
    const auto rows = glyphRows(c);
    const bool hangs = descenders.find(c) != std::string::npos;
    EXPECT_EQ(rows.size(), static_cast<size_t>(kCapRows + (hangs ? kDescenderRows : 0))) << c;
  }
  // The lowercase g no longer draws the digit 9 (which it used to be read as).
  EXPECT_NE(picture('g').substr(0, 6 * 7), picture('9').substr(0, 6 * 7));
}

}  // namespace
}  // namespace drox_art
