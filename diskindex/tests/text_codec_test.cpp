#include "diskindex/core/text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace diskindex {
namespace {

TEST(CutToBytes, NeverEndsInsideACharacterOrALineBreak) {
  // "ä" is two bytes in UTF-8: a cut after five bytes keeps "abä" whole or
  // drops the "ä" rather than keep its first byte.
  EXPECT_EQ(cutToBytes("abäc", 3, true), "ab");
  EXPECT_EQ(cutToBytes("abäc", 4, true), "abä");
  EXPECT_EQ(cutToBytes("ab東", 4, true), "ab");
  EXPECT_EQ(cutToBytes("ab\xE4"
                       "c",
                       3, false),
            "ab\xE4");
  EXPECT_EQ(cutToBytes("ab\r\ncd", 3, false), "ab");
  EXPECT_EQ(cutToBytes("ab\r\ncd", 4, true), "ab\r\n");
  EXPECT_EQ(cutToBytes("short", 50, true), "short");
}

TEST(StoredFieldText, IsWhatTheFieldGivesBackInEitherEncoding) {
  const std::string umlauts(30, 'x');
  const std::string name = umlauts + "ÄÖÜäöüßÄÖÜäöüßÄÖÜ";  // 47 characters
  EXPECT_EQ(storedFieldText(name, 50, false), name);
  // 30 + 2 * 10 = 50 bytes in UTF-8: ten umlauts stay.
  EXPECT_EQ(storedFieldText(name, 50, true), umlauts + "ÄÖÜäöüßÄÖÜ");
  // A text that Windows-1252 cannot hold is cut as UTF-8 whatever is asked.
  EXPECT_EQ(storedFieldText(std::string(49, 'y') + "Ω", 50, false), std::string(49, 'y'));
}

TEST(FittingPrefix, KeepsWhatFitsAsStoredWithoutSplittingAnything) {
  EXPECT_EQ(fittingPrefix("ab\ncd", 4, false), 3u);  // a, b, line break = 4 bytes
  EXPECT_EQ(fittingPrefix("ab\ncd", 3, false), 2u);  // the break would take two
  EXPECT_EQ(fittingPrefix("ab\r\ncd", 3, false), 2u);
  EXPECT_EQ(fittingPrefix("ab\r\ncd", 4, false), 4u);
  EXPECT_EQ(fittingPrefix("äöü", 2, false), 4u);  // two characters, four UTF-8 bytes
  EXPECT_EQ(fittingPrefix("äöü", 3, true), 2u);
  EXPECT_EQ(fittingPrefix("kurz", 10, true), 4u);
  // "Zeile 1", its line break and "Zei" make twelve bytes.
  EXPECT_EQ(fittingPrefix("Zeile 1\nZeile 2\n", 12, false), 11u);
  EXPECT_EQ(fittingPrefix("Bücher", 6, false), 7u);  // six characters, seven UTF-8 bytes
  EXPECT_EQ(fittingPrefix("Bücher", 6, true), 6u);
  EXPECT_EQ(fittingPrefix("東京", 5, true), 3u);
}

}  // namespace
}  // namespace diskindex
