// The search modes besides the original syntax: wildcards for any
// character, regular expressions, quoted alternatives, Unicode folding and
// normalization, and the messages for texts that are not valid.

#include <gtest/gtest.h>

#include <string>

#include "diskindex/core/search/modern_pattern.h"
#include "diskindex/core/search/volume_search.h"

namespace diskindex::search {
namespace {

const std::string kComposedCafe = "caf\u00E9";      // é as one character
const std::string kDecomposedCafe = "cafe\u0301";   // e + combining acute
const std::string kUpperCafe = "CAF\u00C9";

SearchParams params(std::string text, SearchMode mode) {
  SearchParams p;
  p.text = std::move(text);
  p.mode = mode;
  return p;
}

bool nameMatches(const std::string& text, SearchMode mode, const std::string& name) {
  SubjectMatcher matcher(params(text, mode));
  return matcher.matchName(name);
}

std::optional<Match> remarkMatch(const std::string& text, SearchMode mode,
                                 const std::string& remark, bool caseSensitive = false,
                                 bool wholeWord = false) {
  SearchParams p = params(text, mode);
  p.remarks = true;
  p.caseSensitive = caseSensitive;
  p.wholeWord = wholeWord;
  SubjectMatcher matcher(p);
  return matcher.matchText(remark);
}

TEST(SearchModes, StarMatchesDotsAndDashesOnlyInTheAnyCharacterMode) {
  EXPECT_TRUE(nameMatches("*.gz", SearchMode::AnyChar, "changelog.Debian.gz"));
  EXPECT_FALSE(nameMatches("*.gz", SearchMode::Dos, "changelog.Debian.gz"));
  EXPECT_TRUE(nameMatches("*.h", SearchMode::AnyChar, "gtk-3.0+x.h"));
  EXPECT_TRUE(nameMatches("?ib*.so", SearchMode::AnyChar, "libc++ ñ.so"));
  // A wildcard pattern must match the whole name.
  EXPECT_FALSE(nameMatches("*.gz", SearchMode::AnyChar, "archive.gz.part"));
  EXPECT_FALSE(nameMatches("?.txt", SearchMode::AnyChar, "ab.txt"));
  // Plain text is still found anywhere.
  EXPECT_TRUE(nameMatches("debian", SearchMode::AnyChar, "changelog.Debian.gz"));
}

TEST(SearchModes, UnicodeCaseFoldingAndNormalizationMatchEveryFormOfCafe) {
  for (SearchMode mode : {SearchMode::AnyChar, SearchMode::Regex}) {
    SCOPED_TRACE(std::string(searchModeName(mode)));
    EXPECT_TRUE(nameMatches(kComposedCafe, mode, kUpperCafe + ".TXT"));
    EXPECT_TRUE(nameMatches(kComposedCafe, mode, kDecomposedCafe + ".txt"));
    EXPECT_TRUE(nameMatches(kUpperCafe, mode, kDecomposedCafe));
    EXPECT_TRUE(nameMatches(kDecomposedCafe, mode, kUpperCafe));
    EXPECT_FALSE(nameMatches(kComposedCafe, mode, "cafe.txt"));
  }
  EXPECT_TRUE(nameMatches(kUpperCafe + "*", SearchMode::AnyChar, kComposedCafe + ".txt"));
  EXPECT_FALSE(nameMatches(kUpperCafe + "*", SearchMode::Dos, kComposedCafe + ".txt"));
  // "?" stands for one character, whether stored composed or not.
  EXPECT_TRUE(nameMatches("caf?", SearchMode::AnyChar, kDecomposedCafe));
  // Full case folding: ß and SS compare equal.
  EXPECT_TRUE(nameMatches("STRASSE", SearchMode::AnyChar, "Stra\u00DFe.txt"));
}

TEST(SearchModes, MatchInDecomposedRemarkCoversTheWholeCharacter) {
  const std::string remark = "Ein " + kDecomposedCafe + " am Markt";
  for (SearchMode mode : {SearchMode::AnyChar, SearchMode::Regex}) {
    const std::optional<Match> found = remarkMatch(kUpperCafe, mode, remark);
    ASSERT_TRUE(found) << searchModeName(mode);
    EXPECT_EQ(found->start, 4u);
    EXPECT_EQ(found->length, kDecomposedCafe.size());
  }
  // "e" alone is not a whole character of the decomposed é.
  const std::optional<Match> e = remarkMatch("fe", SearchMode::AnyChar, remark);
  EXPECT_FALSE(e);
}

TEST(SearchModes, CaseOptionKeepsCaseButStillNormalizes) {
  const std::string remark = "Im " + kDecomposedCafe;
  EXPECT_TRUE(remarkMatch(kComposedCafe, SearchMode::AnyChar, remark, true));
  EXPECT_FALSE(remarkMatch(kUpperCafe, SearchMode::AnyChar, remark, true));
  EXPECT_TRUE(remarkMatch(kComposedCafe, SearchMode::Regex, remark, true));
  EXPECT_FALSE(remarkMatch(kUpperCafe, SearchMode::Regex, remark, true));
}

TEST(SearchModes, QuotedAlternativeIsTakenLiterally) {
  const SplitResult split = splitModernText("\"a,b\"", true);
  ASSERT_FALSE(split.error);
  ASSERT_EQ(split.alternatives.size(), 1u);
  EXPECT_EQ(split.alternatives[0].text, U"a,b");
  EXPECT_TRUE(nameMatches("\"a,b\"", SearchMode::AnyChar, "x a,b y.txt"));
  EXPECT_FALSE(nameMatches("\"a,b\"", SearchMode::AnyChar, "a.txt"));
  EXPECT_TRUE(nameMatches("\"*\"", SearchMode::AnyChar, "star*name"));
  EXPECT_FALSE(nameMatches("\"*\"", SearchMode::AnyChar, "plain"));
  EXPECT_TRUE(nameMatches("\"; x\"", SearchMode::AnyChar, "a; x"));
  // Quoted and unquoted alternatives side by side.
  const SplitResult two = splitModernText("\"a;b\" , *.gz", true);
  ASSERT_FALSE(two.error);
  ASSERT_EQ(two.alternatives.size(), 2u);
  EXPECT_EQ(two.alternatives[1].kind, ModernAlternative::Kind::Glob);
  EXPECT_TRUE(nameMatches("\"a;b\" , *.gz", SearchMode::AnyChar, "x.gz"));
  // In the original syntax a quote is an ordinary character.
  EXPECT_FALSE(nameMatches("\"a,b\"", SearchMode::Dos, "a,b"));
}

TEST(SearchModes, QuoteErrorsNameTheirPosition) {
  const std::optional<PatternError> open = checkSearchText("x, \"abc", SearchMode::AnyChar);
  ASSERT_TRUE(open);
  EXPECT_EQ(open->position, 4u);
  EXPECT_EQ(open->message, "Das Anführungszeichen an Position 4 wird nicht geschlossen.");
  const std::optional<PatternError> after = checkSearchText("\"\u00E4b\"c", SearchMode::AnyChar);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->position, 5u);
  EXPECT_NE(after->message.find("Position 5"), std::string::npos);
  EXPECT_FALSE(checkSearchText("\"a\" ; b", SearchMode::AnyChar));
  EXPECT_FALSE(checkSearchText("\"x", SearchMode::Dos)) << "the original syntax takes every text";
}

TEST(SearchModes, RegularExpressionErrorsGiveTheGermanMessageWithPosition) {
  struct Case {
    const char* text;
    std::size_t position;
    const char* problem;
  };
  const Case cases[] = {
      {"a(b", 2, "fehlende schließende Klammer \")\""},
      {"ab)c", 3, "schließende Klammer \")\" ohne öffnende"},
      {"x[a-", 2, "fehlende schließende eckige Klammer \"]\""},
      {"\u00E4\u00F6+*", 3, "ungültiger Wiederholungsoperator"},
      {"*abc", 1, "Wiederholung ohne vorangehendes Zeichen"},
      {"ab\\", 3, "\"\\\" am Ende des Ausdrucks"},
      {"a{2,1}", 2, "ungültige Anzahl von Wiederholungen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<PatternError> error = checkSearchText(c.text, SearchMode::Regex);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->position, c.position);
    EXPECT_EQ(error->message, "Der reguläre Ausdruck ist an Position " +
                                  std::to_string(c.position) + " ungültig: " + c.problem + ".");
  }
  EXPECT_FALSE(checkSearchText("^read(me)?\\.(txt|md)$", SearchMode::Regex));
  // An invalid expression matches nothing rather than failing later.
  SubjectMatcher matcher(params("a(b", SearchMode::Regex));
  EXPECT_TRUE(matcher.empty());
  EXPECT_FALSE(matcher.matchName("a(b"));
}

TEST(SearchModes, RegularExpressionIsOneAlternativeFoundAnywhere) {
  EXPECT_TRUE(nameMatches("^read(me)?\\.(txt|md)$", SearchMode::Regex, "README.md"));
  EXPECT_FALSE(nameMatches("^read(me)?\\.(txt|md)$", SearchMode::Regex, "README.md.bak"));
  EXPECT_TRUE(nameMatches("a{1,2},b", SearchMode::Regex, "xa,b")) << "no split at ','";
  const std::optional<Match> found = remarkMatch("[0-9]+", SearchMode::Regex, "Nr. 4711 ok");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->start, 4u);
  EXPECT_EQ(found->length, 4u);
}

TEST(SearchModes, PathologicalPatternsEndInLinearTime) {
  // A backtracking engine tries about 2^n ways here before giving up.
  const std::string name(200, 'a');
  EXPECT_FALSE(nameMatches("(a+)+b", SearchMode::Regex, name));
  EXPECT_FALSE(nameMatches("(a|aa)*c$", SearchMode::Regex, name));
  const std::string remark(30000, 'a');
  EXPECT_FALSE(remarkMatch("(x*)*y", SearchMode::Regex, remark));
  EXPECT_FALSE(remarkMatch("*a*a*a*a*a*a*a*a*a*a*b", SearchMode::AnyChar, remark));
  EXPECT_FALSE(nameMatches("*a*a*a*a*a*a*a*a*a*a*b", SearchMode::AnyChar, name));
  EXPECT_TRUE(nameMatches("*a*a*a*a*a*a*a*a*a*a*", SearchMode::AnyChar, name));
}

TEST(SearchModes, WildcardsInRemarkTextStayWithinAWord) {
  const std::optional<Match> found = remarkMatch("*.gz", SearchMode::AnyChar, "siehe foo.gz jetzt");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->start, 6u);
  EXPECT_EQ(found->length, 6u);
  EXPECT_TRUE(remarkMatch("a?b", SearchMode::AnyChar, "xaxb"));
  EXPECT_FALSE(remarkMatch("a?b", SearchMode::AnyChar, "a/b"));
  EXPECT_FALSE(remarkMatch("a?b", SearchMode::AnyChar, "a b"));
}

TEST(SearchModes, WholeWordCountsEveryLetterAsPartOfAWord) {
  SearchParams p = params("brief", SearchMode::AnyChar);
  p.wholeWord = true;
  SubjectMatcher matcher(p);
  EXPECT_TRUE(matcher.matchName("BRIEF.DOC"));
  EXPECT_FALSE(matcher.matchName("Briefe.txt"));
  EXPECT_FALSE(matcher.matchName("Brief\u00E9.txt"));
  EXPECT_FALSE(remarkMatch("caf", SearchMode::AnyChar, kComposedCafe, false, true));
  EXPECT_FALSE(remarkMatch("caf", SearchMode::Regex, kComposedCafe, false, true));
  EXPECT_TRUE(remarkMatch("caf", SearchMode::Regex, "caf-Bar", false, true));
}

TEST(SearchModes, QuickRejectionNeverDropsAMatchingName) {
  const char* names[] = {"README.TXT", "readme.txt", "report17.doc", "e\u0301cole.gz",
                         "\u00C9cole.gz", "Stra\u00DFe", "x.gz", "Rx", "gz", "\u212Aelvin"};
  const char* texts[] = {"R*",     "*.gz",  "e*",    "*e",   "REPORT1?.DOC", "read",
                         "*.txt", "k*",    "kelvin", "\u00E9*", "x*z", "s*e"};
  for (SearchMode mode : {SearchMode::Dos, SearchMode::AnyChar, SearchMode::Regex}) {
    for (const char* text : texts) {
      SubjectMatcher matcher(params(text, mode));
      for (const char* name : names) {
        if (matcher.matchName(name)) {
          EXPECT_TRUE(matcher.mayMatchStored(name))
              << searchModeName(mode) << " " << text << " " << name;
        }
      }
    }
  }
  SubjectMatcher dos(params("R*", SearchMode::Dos));
  EXPECT_FALSE(dos.mayMatchStored("setup.exe"));
  SubjectMatcher any(params("*.gz", SearchMode::AnyChar));
  EXPECT_FALSE(any.mayMatchStored("notes.txt"));
}

TEST(SearchModes, ModeNamesForTheCommandLine) {
  for (SearchMode mode : {SearchMode::Dos, SearchMode::AnyChar, SearchMode::Regex}) {
    EXPECT_EQ(searchModeFromName(searchModeName(mode)), mode);
  }
  EXPECT_EQ(searchModeName(SearchMode::AnyChar), "any");
  EXPECT_FALSE(searchModeFromName("glob"));
}

}  // namespace
}  // namespace diskindex::search
