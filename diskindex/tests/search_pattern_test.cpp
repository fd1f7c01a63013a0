#include "diskindex/core/search/search_pattern.h"

#include <gtest/gtest.h>

namespace diskindex::search {
namespace {

std::u32string u32(std::string_view utf8) {
  std::u32string chars;
  decodeUtf8(utf8, chars, nullptr);
  return chars;
}

std::optional<Match> find(std::string_view text, PatternMode mode, std::string_view subject,
                          bool wholeWord = false, bool caseSensitive = false) {
  const PatternList list(text, mode);
  const std::u32string chars = u32(subject);
  return list.match(std::u32string_view(chars), wholeWord, caseSensitive);
}

bool names(std::string_view text, std::string_view subject, bool wholeWord = false) {
  return find(text, PatternMode::Name, subject, wholeWord).has_value();
}

TEST(SearchPatternTest, StarDotExtensionIsAnchoredAndStopsAtBlanksAndDots) {
  EXPECT_TRUE(names("*.TXT", "README.TXT"));
  EXPECT_TRUE(names("*.TXT", "Readme.txt"));
  EXPECT_FALSE(names("*.TXT", "MY FILE.TXT")) << "a blank is no file-name character";
  EXPECT_FALSE(names("*.TXT", "README.TXT.BAK")) << "the literal dot anchors at the end";
  EXPECT_FALSE(names("*.TXT", "README.TXT2"));
}

TEST(SearchPatternTest, TrailingDotMeansNoExtensionWhileAStarTakesAnyEnd) {
  EXPECT_TRUE(names("README.", "README"));
  EXPECT_FALSE(names("README.", "README.TXT"));
  EXPECT_TRUE(names("READ*", "README"));
  EXPECT_TRUE(names("READ*", "README.TXT"));
  EXPECT_FALSE(names("READ*", "ALREADY.DOC")) << "name patterns are anchored at the start";
  EXPECT_TRUE(names("BRIEF?", "BRIEFE.DOC"));
  EXPECT_TRUE(names("BRIEF*", "BRIEFE.DOC"));
  EXPECT_FALSE(names("BRIEF?", "BRIEF.DOC"));
}

TEST(SearchPatternTest, StarDotStarMatchesEveryNameAndItsDotIsDropped) {
  std::size_t bytes = 0;
  const auto items = translateWildcard(U"*.*", PatternMode::Name, &bytes);
  ASSERT_TRUE(items.has_value());
  ASSERT_EQ(items->size(), 3u);
  EXPECT_EQ((*items)[1].op, PatternItem::Op::Any);
  EXPECT_EQ((*items)[2].op, PatternItem::Op::Any);
  EXPECT_TRUE(names("*.*", "README"));
  EXPECT_TRUE(names("*.*", "A.B.C"));
}

TEST(SearchPatternTest, PlainTextIsASubstringFoldedForAsciiAndWindowsUmlauts) {
  EXPECT_TRUE(names("READ", "README.TXT"));
  EXPECT_TRUE(names("READ", "ALREADY.DOC"));
  EXPECT_TRUE(names("brief", "Briefe"));
  EXPECT_TRUE(names("brief", "BRIEF.DOC"));
  EXPECT_TRUE(names("brief", "Abriefung"));
  EXPECT_TRUE(names("übersicht", "ÜBERSICHT.DOC"));
  EXPECT_FALSE(names("strasse", "Straße")) << "ß has no upper case of its own";
  EXPECT_TRUE(names("straße", "STRAßE"));
}

TEST(SearchPatternTest, WholeWordKeepsOnlyDelimitedMatchesAndNeverRetries) {
  EXPECT_FALSE(names("brief", "Briefe", true));
  EXPECT_TRUE(names("brief", "BRIEF.DOC", true));
  EXPECT_FALSE(names("brief", "Abriefung", true));
  // The first match is followed by "e"; the whole word further right is not tried.
  EXPECT_FALSE(names("brief", "Briefe brief", true));
  EXPECT_FALSE(names("brief", "Brief_1", true)) << "\"_\" is a word character";
  EXPECT_FALSE(names("brief", "Briefü", true));
}

TEST(SearchPatternTest, AlternativesAreSplitAndTheFirstMatchingOneDecides) {
  EXPECT_EQ(splitAlternatives("*.bmp; *.gif"), (std::vector<std::u32string>{U"*.bmp", U"*.gif"}));
  EXPECT_EQ(splitAlternatives("a ,b;;  c "), (std::vector<std::u32string>{U"a", U"b", U"c "}));
  EXPECT_EQ(splitAlternatives(" x"), (std::vector<std::u32string>{U" x"}));
  EXPECT_TRUE(names("*.bmp; *.gif", "LOGO.GIF"));
  EXPECT_TRUE(names("*.bmp; *.gif", "Bild.bmp"));
  EXPECT_FALSE(names("*.bmp; *.gif", "LOGO.JPG"));
  const auto second = find("zzz, um", PatternMode::Text, "Datum und Zeit");
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->start, 3u);
}

TEST(SearchPatternTest, TextModeCaseOptionAndUmlauts) {
  EXPECT_TRUE(find("übersicht", PatternMode::Text, "Die Übersicht aller").has_value());
  EXPECT_FALSE(find("übersicht", PatternMode::Text, "Die Übersicht", false, true).has_value());
  EXPECT_TRUE(find("Übersicht", PatternMode::Text, "Die Übersicht", false, true).has_value());
  // Wildcards ignore case even with the case option.
  EXPECT_TRUE(find("über*", PatternMode::Text, "Die Übersicht", false, true).has_value());
}

TEST(SearchPatternTest, GreedyStarGivesBackAndTheLeftmostStartWins) {
  const auto found = find("a*b", PatternMode::Text, "xaab ab");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->start, 1u);
  EXPECT_EQ(found->length, 3u);
  const auto dotted = find("v?.0", PatternMode::Text, "Version v2.0 und v3.0");
  ASSERT_TRUE(dotted.has_value());
  EXPECT_EQ(dotted->start, 8u);
  EXPECT_EQ(dotted->length, 4u);
  EXPECT_FALSE(find("a?c", PatternMode::Text, "a c").has_value())
      << "text mode classes are letters and digits";
}

TEST(SearchPatternTest, DosUmlautsCountAsLettersAndFoldTogetherInWildcards) {
  // "GRÖSSE" written by DOS: Ö is byte 0x99, read as Windows-1252 "™".
  EXPECT_TRUE(names("*.TXT", "GR\u2122SSE.TXT"));
  EXPECT_TRUE(names("gr\u201Dsse*", "GR\u2122SSE.TXT")) << "DOS ö and Ö fold together";
  EXPECT_FALSE(names("gr\u201Dsse", "GR\u2122SSE.TXT")) << "plain text knows Windows umlauts only";
  EXPECT_TRUE(names("*.TXT", "Übersicht.TXT"));
  EXPECT_FALSE(names("*.TXT", "Café.TXT")) << "é is no file-name character";
  EXPECT_TRUE(names("*.TXT", "(1)!#$%&^{}~@.TXT"));
}

TEST(SearchPatternTest, TranslationsPastTheLimitBecomePlainText) {
  std::size_t bytes = 0;
  ASSERT_TRUE(translateWildcard(U"*.TXT", PatternMode::Name, &bytes).has_value());
  EXPECT_EQ(bytes, 45u);
  EXPECT_TRUE(translateWildcard(U"*******", PatternMode::Name).has_value());
  EXPECT_FALSE(translateWildcard(U"********", PatternMode::Name, &bytes).has_value());
  EXPECT_GT(bytes, kMaxPatternBytes);
  const PatternList list("a********", PatternMode::Name);
  ASSERT_EQ(list.alternatives().size(), 1u);
  EXPECT_FALSE(list.alternatives()[0].wildcard);
  EXPECT_TRUE(names("a********", "DATA********.BIN")) << "matched as the plain text it is";
  EXPECT_FALSE(names("a********", "ABC.BIN"));
}

TEST(SearchPatternTest, AsciiSubjectsMatchAsBytesLikeCodePoints) {
  const PatternList list("*.TXT, READ", PatternMode::Name);
  for (std::string_view name : {"README.TXT", "A B.TXT", "ALREADY", "x"}) {
    const std::u32string chars = u32(name);
    const auto bytes = list.match(name, false, false);
    const auto points = list.match(std::u32string_view(chars), false, false);
    ASSERT_EQ(bytes.has_value(), points.has_value()) << name;
    if (bytes) {
      EXPECT_EQ(bytes->start, points->start) << name;
    }
  }
}

}  // namespace
}  // namespace diskindex::search
