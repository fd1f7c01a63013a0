// Unicode normalization and case folding of search subjects, and the map
// from folded characters back to the bytes they came from.

#include "diskindex/core/search/unicode_fold.h"

#include <gtest/gtest.h>

namespace diskindex::search {
namespace {

TEST(UnicodeFold, ComposedAndDecomposedFormsFoldAlike) {
  EXPECT_EQ(normalizeUtf8("CAF\u00C9", true), "caf\u00E9");
  EXPECT_EQ(normalizeUtf8("cafe\u0301", true), "caf\u00E9");
  EXPECT_EQ(normalizeUtf8("CAFE\u0301", false), "CAF\u00C9");
  EXPECT_EQ(normalizeUtf8("Stra\u00DFe", true), "strasse");
  EXPECT_EQ(normalizeUtf8("\u212B", false), "\u00C5") << "the Angstrom sign becomes Å";
  // Hangul jamo compose into the syllable.
  EXPECT_EQ(normalizeUtf8("\u1100\u1161", false), "\uAC00");
}

TEST(UnicodeFold, OffsetsPointAtTheClusterEachCharacterCameFrom) {
  FoldedText folded;
  const std::string text = "Xe\u0301!";  // X, e + accent (3 bytes), !
  foldText(text, true, folded, true);
  ASSERT_EQ(folded.chars, U"x\u00E9!");
  EXPECT_EQ(folded.offsets, (std::vector<std::uint32_t>{0, 1, 4, 5}));
  EXPECT_EQ(folded.sourceEnd(2), 4u);
  // ß folds to two characters that both come from its two bytes.
  foldText("a\u00DF", true, folded, true);
  ASSERT_EQ(folded.chars, U"ass");
  EXPECT_EQ(folded.offsets, (std::vector<std::uint32_t>{0, 1, 1, 3}));
  EXPECT_EQ(folded.sourceEnd(2), 3u) << "a match ending inside ß takes all of it";
}

TEST(UnicodeFold, InvalidBytesStandForThemselves) {
  FoldedText folded;
  foldText("A\xFF" "B", true, folded, true);
  EXPECT_EQ(folded.chars, U"a\u00FFb");
  EXPECT_EQ(folded.offsets, (std::vector<std::uint32_t>{0, 1, 2, 3}));
}

TEST(UnicodeFold, FastPathTestAndWordCharacters) {
  EXPECT_TRUE(alreadyNormal("Readme.txt"));
  EXPECT_TRUE(alreadyNormal("\u00DCbersicht"));
  EXPECT_FALSE(alreadyNormal("U\u0308bersicht"));
  EXPECT_FALSE(alreadyNormal("\u212B"));
  EXPECT_TRUE(isUnicodeWordChar(U'\u00E9'));
  EXPECT_TRUE(isUnicodeWordChar(U'\u0301'));
  EXPECT_TRUE(isUnicodeWordChar(U'_'));
  EXPECT_FALSE(isUnicodeWordChar(U'-'));
  EXPECT_FALSE(isUnicodeWordChar(U'\u00A0'));
}

}  // namespace
}  // namespace diskindex::search
