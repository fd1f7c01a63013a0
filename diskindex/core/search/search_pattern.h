#pragma once
// The matching engine of the catalogue search: the search text split into
// its alternatives, wildcard alternatives translated into a small pattern
// form, and the match of one subject (a name or a remark text) against the
// whole list.
//
// Alternatives: blanks directly before "," or ";" are removed, the text is
// split at every "," and ";", and blanks opening every alternative but the
// first are skipped;
// an alternative holding "*" or "?", or ending with ".", is a wildcard
// pattern, any other is plain text. Empty alternatives are dropped.
//
// Wildcards in name mode: "*" is any number of file-name characters, "?"
// exactly one; the pattern is anchored at the start; a final "." means end of
// name (README. matches README only); a "." preceded by "*" and followed only
// by "*" is dropped ("*.*" matches every name); any other "." is literal and,
// when the pattern does not end with "*", anchors the pattern at the end too
// (*.TXT does not match README.TXT.BAK). Without a literal dot the pattern
// matches every name it begins (BRIEF? matches BRIEFE.DOC). In text mode
// "*" and "?" stand for letters and digits, "." is literal and there are no
// anchors. Wildcards always ignore letter case.
//
// The translated form counts bytes as its items would take them in a
// compiled pattern: an anchor or the final terminator 1, a literal 1 + the
// character's UTF-8 length, a one-character class 33 (opcode and a 256-bit
// set), an any-number class 34. A translation of more than 255 bytes is used
// as plain text instead; e.g. *.TXT in name mode takes 1 + 34 + 2 + 2 + 2 +
// 2 + 1 + 1 = 45 bytes, while eight "*" already pass the limit.
//
// Plain text is a substring anywhere; without the case option a-z and ä ö ü
// are compared upper-cased. Whole word: the characters around a match must
// not be word characters; a rejected match is not retried further right.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/search/name_prefilter.h"
#include "diskindex/core/search/search_chars.h"

namespace diskindex::search {

enum class PatternMode : std::uint8_t { Name, Text };

inline constexpr std::size_t kMaxPatternBytes = 255;

struct PatternItem {
  enum class Op : std::uint8_t { Start, End, Literal, One, Any };
  Op op = Op::Literal;
  char32_t ch = 0;  // Literal: the character, already case-folded
  CharClass cls = CharClass::NameChar;
};

struct Alternative {
  std::u32string text;  // as written (plain text: folded when matched)
  bool wildcard = false;
  std::vector<PatternItem> items;  // the translation, wildcards only
};

// The alternatives in the order written, after the splitting rules above.
std::vector<std::u32string> splitAlternatives(std::string_view searchText);
// The items of a wildcard alternative, or nothing when its internal form
// would pass kMaxPatternBytes. byteSize receives that size.
std::optional<std::vector<PatternItem>> translateWildcard(std::u32string_view pattern,
                                                          PatternMode mode,
                                                          std::size_t* byteSize = nullptr);

struct Match {
  std::size_t start = 0;  // in code points of the subject
  std::size_t length = 0;
};

// The compiled pattern list of one search text in one mode.
class PatternList {
 public:
  PatternList() = default;
  PatternList(std::string_view searchText, PatternMode mode);

  const std::vector<Alternative>& alternatives() const { return m_alternatives; }
  bool empty() const { return m_alternatives.empty(); }

  // The first alternative (in written order) that matches decides. The
  // subject is code points; a pure ASCII subject may be passed as bytes.
  std::optional<Match> match(std::u32string_view subject, bool wholeWord, bool caseSensitive) const;
  std::optional<Match> match(std::string_view asciiSubject, bool wholeWord,
                             bool caseSensitive) const;

  // Name mode, letter case ignored: false when a name stored as these bytes
  // (Windows-1252 or UTF-8) cannot match, decided from its ASCII bytes alone
  // (a wildcard's literal first character, a plain text's first character),
  // before the name is converted or decoded. True when in doubt.
  bool mayMatchStored(std::string_view stored) const;

  // Name mode: per alternative the ASCII text every match of it holds, for
  // a NamePrefilter; nothing when an alternative spells out none.
  std::optional<std::vector<NamePieces>> asciiPieces() const;

 private:
  // The fast path for ASCII subjects (almost every name).
  std::optional<Match> matchAscii(std::string_view subject, bool wholeWord,
                                  bool caseSensitive) const;

  std::vector<Alternative> m_alternatives;
  std::vector<std::u32string> m_folded;  // the plain alternatives, upper-cased
  // Per alternative: a plain text as ASCII bytes, as written and upper-cased
  // (asciiPlain false when it holds other characters and so can never be
  // found in an ASCII subject).
  std::vector<std::string> m_asciiExact;
  std::vector<std::string> m_asciiFolded;
  std::vector<std::uint8_t> m_asciiPlain;
};

}  // namespace diskindex::search
