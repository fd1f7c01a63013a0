#pragma once
// The search texts of the two modern search modes, checked and compiled,
// and the match of one UTF-8 subject against them.
//
// "Platzhalter für alle Zeichen" (SearchMode::AnyChar): the text is split
// into alternatives at "," and ";" as in the original syntax (blanks before
// a separator and after it are dropped). An alternative that opens with a
// double quote runs to the next double quote and is taken literally, so
// "a,b" searches for the three characters a,b and "*" for a star; only
// blanks may follow the closing quote before the next separator. An
// unquoted alternative holding "*" or "?" is a wildcard pattern: "*" stands
// for any number of characters, "?" for exactly one, except "/" (and, in
// remark text, blanks and line breaks, so a pattern stays within a word);
// for names it must match the whole name (*.gz finds changelog.Debian.gz),
// in remark text it may match anywhere. Any other alternative is plain text
// found anywhere. Subject and text are compared in Unicode NFC, case-folded
// (remark text with the case option: not folded), so CAFÉ finds café and a
// café stored decomposed.
//
// "Regulärer Ausdruck" (SearchMode::Regex): the whole text is one RE2
// expression ("," and ";" do not split it), found anywhere in the NFC form
// of the subject, ignoring case unless the case option applies. RE2 runs in
// time linear in the subject for every expression, so no text can make the
// search hang.
//
// A text that is not valid in its mode yields a PatternError with the
// position (1-based, in characters of the text as typed) and a German
// message naming it. Whole word: the characters around a match must not be
// letters, digits, marks or "_"; as in the original syntax a rejected match
// is not retried further right.
//
// ModernPattern prepares the subject (ASCII fast path, folding, NFC) and
// maps matches back to its bytes; splitting and matching the alternatives
// of the any-character mode is wildcard_alternatives.h's, the check of a
// typed text search_text_check.cpp's.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/search/name_prefilter.h"
#include "diskindex/core/search/search_params.h"
#include "diskindex/core/search/search_pattern.h"
#include "diskindex/core/search/unicode_fold.h"
#include "diskindex/core/search/wildcard_alternatives.h"

namespace re2 {
class RE2;
}

namespace diskindex::search {

// Nothing when the text is valid in the mode (the original syntax accepts
// every text).
std::optional<PatternError> checkSearchText(std::string_view searchText, SearchMode mode);

class ModernPattern {
 public:
  // mode must be AnyChar or Regex; target chooses names or remark text.
  ModernPattern(std::string_view searchText, SearchMode mode, PatternMode target,
                bool caseSensitive);
  ~ModernPattern();
  ModernPattern(const ModernPattern&) = delete;
  ModernPattern& operator=(const ModernPattern&) = delete;

  const std::optional<PatternError>& error() const { return m_error; }
  // Nothing to search for (an empty text, or an invalid one).
  bool empty() const;
  // The first match, as byte offset and length in the UTF-8 subject (whole
  // characters of it).
  std::optional<Match> match(std::string_view utf8Subject, bool wholeWord);
  // Only whether there is a match (faster for regular expressions).
  bool matches(std::string_view utf8Subject, bool wholeWord);
  // Names only: false when a name stored as these bytes cannot match a
  // wildcard alternative, judged by its first and last byte against the
  // pattern's literal first and last character (an ASCII byte is always a
  // whole character that folds to ASCII). True when in doubt.
  bool mayMatchStored(std::string_view stored) const;
  // Names: per alternative the ASCII text every match of it holds (for a
  // regular expression: the literal strings RE2's prefilter finds, one of
  // which every match holds), for a NamePrefilter; nothing when some match
  // need not hold any.
  std::optional<std::vector<NamePieces>> asciiPieces() const;

 private:
  std::optional<Match> matchRegex(std::string_view subject, bool wholeWord);
  std::optional<Match> matchAlternatives(std::string_view subject, bool wholeWord);

  SearchMode m_mode;
  PatternMode m_target;
  bool m_fold;
  std::optional<PatternError> m_error;
  std::vector<ModernAlternative> m_alternatives;
  std::unique_ptr<re2::RE2> m_regex;
  std::string m_regexText;  // as compiled (normalized)
  FoldedText m_folded;
  std::string m_scratch;
  std::vector<std::uint32_t> m_byteOffsets;
};

}  // namespace diskindex::search
