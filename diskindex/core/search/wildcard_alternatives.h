#pragma once
// The alternatives of the "Platzhalter für alle Zeichen" mode: the typed
// text split at "," and ";" (a quoted alternative taken literally), each
// alternative folded and, when it holds "*" or "?", compiled into wildcard
// items; and the match of a subject against them in their order. The
// subject comes prepared by the caller (ModernPattern): either ASCII bytes
// already lower-cased, or the folded characters of a UTF-8 subject. Matches
// are offsets in that prepared subject; mapping them back to the bytes of
// the stored name is the caller's. Wildcards are matched without
// backtracking, in time linear in the subject times the pattern.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/search/search_pattern.h"

namespace diskindex::search {

struct PatternError {
  std::size_t position = 1;  // 1-based, in characters of the search text
  std::string message;       // German, names the position
  bool operator==(const PatternError&) const = default;
};

// One alternative of the any-character mode, folded.
struct GlobItem {
  enum class Op : std::uint8_t { Literal, One, Any };
  Op op = Op::Literal;
  char32_t ch = 0;  // Literal: the folded character
  bool operator==(const GlobItem&) const = default;
};

struct ModernAlternative {
  enum class Kind : std::uint8_t { Plain, Glob };
  Kind kind = Kind::Plain;
  std::u32string text;          // Plain: the folded text
  std::string asciiText;        // Plain: the same as bytes when asciiOnly
  std::vector<GlobItem> items;  // Glob
  bool asciiOnly = true;        // every literal is ASCII (it may match ASCII subjects)
};

// The alternatives of an any-character text, or the error. Exposed for the
// tests and the fuzzer.
struct SplitResult {
  std::vector<ModernAlternative> alternatives;
  std::optional<PatternError> error;
};
SplitResult splitModernText(std::string_view searchText, bool fold);

// The first alternative that matches decides; with wholeWord a rejected
// match is not retried further right. ASCII subjects skip alternatives
// that hold a character beyond ASCII (they cannot match).
std::optional<Match> matchAlternatives(const std::vector<ModernAlternative>& alternatives,
                                       std::string_view asciiSubject, PatternMode target,
                                       bool wholeWord);
std::optional<Match> matchAlternatives(const std::vector<ModernAlternative>& alternatives,
                                       std::u32string_view foldedSubject, PatternMode target,
                                       bool wholeWord);

}  // namespace diskindex::search
