// The alternatives of the any-character mode: splitting the typed text,
// compiling the wildcards, and matching a subject against them.

#include "diskindex/core/search/wildcard_alternatives.h"

#include <algorithm>
#include <type_traits>

#include "diskindex/core/search/search_chars.h"
#include "diskindex/core/search/unicode_fold.h"

namespace diskindex::search {

namespace {

std::u32string foldChars(std::u32string_view chars, bool fold) {
  std::string utf8;
  for (char32_t c : chars) appendUtf8(utf8, c);
  FoldedText folded;
  foldText(utf8, fold, folded, false);
  return std::move(folded.chars);
}

bool allAscii(std::u32string_view text) {
  return std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x80; });
}

PatternError quoteNotClosed(std::size_t position) {
  return {position, "Das Anführungszeichen an Position " + std::to_string(position) +
                        " wird nicht geschlossen."};
}

PatternError textAfterQuote(std::size_t position) {
  return {position, "An Position " + std::to_string(position) +
                        " muss nach dem schließenden Anführungszeichen \",\" oder \";\" folgen."};
}

ModernAlternative makeAlternative(std::u32string_view raw, bool quoted, bool fold) {
  ModernAlternative alternative;
  if (quoted || raw.find_first_of(U"*?") == std::u32string_view::npos) {
    alternative.text = foldChars(raw, fold);
    alternative.asciiOnly = allAscii(alternative.text);
    if (alternative.asciiOnly) alternative.asciiText.assign(alternative.text.begin(), alternative.text.end());
    return alternative;
  }
  alternative.kind = ModernAlternative::Kind::Glob;
  std::u32string literal;
  const auto flushLiteral = [&] {
    for (char32_t c : foldChars(literal, fold)) {
      alternative.items.push_back({GlobItem::Op::Literal, c});
      alternative.asciiOnly = alternative.asciiOnly && c < 0x80;
    }
    literal.clear();
  };
  for (char32_t c : raw) {
    if (c != U'*' && c != U'?') {
      literal.push_back(c);
      continue;
    }
    flushLiteral();
    const bool repeatedStar = c == U'*' && !alternative.items.empty() &&
                              alternative.items.back().op == GlobItem::Op::Any;
    if (!repeatedStar) alternative.items.push_back({c == U'*' ? GlobItem::Op::Any : GlobItem::Op::One, 0});
  }
  flushLiteral();
  return alternative;
}

bool excluded(char32_t c, PatternMode target) {
  if (c == U'/') return true;
  return target == PatternMode::Text && (c == U' ' || c == U'\t' || c == U'\r' || c == U'\n');
}

template <class Subject>
char32_t charOf(Subject s, std::size_t i) {
  return static_cast<char32_t>(
      static_cast<std::make_unsigned_t<typename Subject::value_type>>(s[i]));
}

// Whether a wildcard pattern matches the whole subject, for subjects that
// hold no excluded character: the classic walk that remembers the last "*"
// and lets it take one more character when the rest fails; no state sets,
// no allocation.
template <class Subject>
bool globWhole(const std::vector<GlobItem>& items, Subject s) {
  using Op = GlobItem::Op;
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t p = 0, i = 0, star = kNone, starAt = 0;
  while (i < s.size()) {
    if (p < items.size() && items[p].op != Op::Any &&
        (items[p].op == Op::One || items[p].ch == charOf(s, i))) {
      ++p;
      ++i;
    } else if (p < items.size() && items[p].op == Op::Any) {
      star = p++;
      starAt = i;
    } else if (star != kNone) {
      p = star + 1;
      i = ++starAt;
    } else {
      return false;
    }
  }
  while (p < items.size() && items[p].op == Op::Any) ++p;
  return p == items.size();
}

// Leftmost-longest match of a wildcard pattern by a set of pattern states,
// each remembering the earliest start that reached it: time linear in the
// subject times the pattern, no backtracking. Names must match whole.
template <class Subject>
std::optional<Match> globMatch(const std::vector<GlobItem>& items, Subject s, PatternMode target) {
  using Op = GlobItem::Op;
  const bool anchored = target == PatternMode::Name;
  if (anchored && s.find(static_cast<typename Subject::value_type>('/')) == Subject::npos) {
    return globWhole(items, s) ? std::optional<Match>(Match{0, s.size()}) : std::nullopt;
  }
  const std::size_t m = items.size();
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  thread_local std::vector<std::size_t> cur, next;
  cur.assign(m + 1, kNone);
  next.assign(m + 1, kNone);
  const auto reach = [](std::size_t& state, std::size_t start) {
    if (state == kNone || start < state) state = start;
  };
  std::optional<Match> best;
  for (std::size_t pos = 0;; ++pos) {
    if (!best && (pos == 0 || !anchored)) reach(cur[0], pos);
    for (std::size_t k = 0; k < m; ++k) {
      if (cur[k] != kNone && items[k].op == Op::Any) reach(cur[k + 1], cur[k]);
    }
    if (cur[m] != kNone && (!anchored || pos == s.size())) {
      if (!best || cur[m] < best->start || (cur[m] == best->start && pos - cur[m] > best->length)) {
        best = Match{cur[m], pos - cur[m]};
      }
    }
    if (pos == s.size()) break;
    bool alive = false;
    const char32_t c = charOf(s, pos);
    std::fill(next.begin(), next.end(), kNone);
    for (std::size_t k = 0; k < m; ++k) {
      const std::size_t start = cur[k];
      if (start == kNone || (best && start > best->start)) continue;
      const GlobItem& item = items[k];
      if (item.op == Op::Literal ? c == item.ch : !excluded(c, target)) {
        reach(next[item.op == Op::Any ? k : k + 1], start);
        alive = true;
      }
    }
    std::swap(cur, next);
    if (!alive && (best || anchored)) break;
  }
  return best;
}

template <class Subject>
bool wholeWordAt(Subject s, const Match& m) {
  const auto at = [&](std::size_t i) { return charOf(s, i); };
  if (m.start > 0 && isUnicodeWordChar(at(m.start - 1))) return false;
  const std::size_t after = m.start + m.length;
  return after >= s.size() || !isUnicodeWordChar(at(after));
}

template <class Subject>
std::optional<Match> matchIn(const std::vector<ModernAlternative>& alternatives, Subject s,
                             PatternMode target, bool wholeWord) {
  constexpr bool kBytes = sizeof(typename Subject::value_type) == 1;
  for (const ModernAlternative& alternative : alternatives) {
    if (kBytes && !alternative.asciiOnly) continue;  // cannot match an ASCII subject
    std::optional<Match> found;
    if (alternative.kind == ModernAlternative::Kind::Glob) {
      found = globMatch(alternative.items, s, target);
    } else {
      std::size_t at = Subject::npos;
      if constexpr (kBytes) {
        at = s.find(alternative.asciiText);
      } else {
        at = s.find(alternative.text);
      }
      if (at != Subject::npos) found = Match{at, alternative.text.size()};
    }
    if (found && (!wholeWord || wholeWordAt(s, *found))) return found;
  }
  return std::nullopt;
}

}  // namespace

SplitResult splitModernText(std::string_view searchText, bool fold) {
  std::u32string chars;
  decodeUtf8(searchText, chars, nullptr);
  SplitResult result;
  std::u32string current;
  bool following = false;
  const auto isSeparator = [](char32_t c) { return c == U',' || c == U';'; };
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const char32_t c = chars[i];
    if (current.empty() && c == U'"') {
      const std::size_t close = chars.find(U'"', i + 1);
      if (close == std::u32string::npos) {
        result.error = quoteNotClosed(i + 1);
        return result;
      }
      std::size_t k = close + 1;
      while (k < chars.size() && chars[k] == U' ') ++k;
      if (k < chars.size() && !isSeparator(chars[k])) {
        result.error = textAfterQuote(k + 1);
        return result;
      }
      const std::u32string_view quoted(chars.data() + i + 1, close - i - 1);
      if (!quoted.empty()) result.alternatives.push_back(makeAlternative(quoted, true, fold));
      i = k - 1;  // the separator (or the end) comes next
      continue;
    }
    if (isSeparator(c)) {
      while (!current.empty() && current.back() == U' ') current.pop_back();
      if (!current.empty()) result.alternatives.push_back(makeAlternative(current, false, fold));
      current.clear();
      following = true;
    } else if (c != U' ' || !current.empty() || !following) {
      current.push_back(c);
    }
  }
  if (!current.empty()) result.alternatives.push_back(makeAlternative(current, false, fold));
  return result;
}

std::optional<Match> matchAlternatives(const std::vector<ModernAlternative>& alternatives,
                                       std::string_view asciiSubject, PatternMode target,
                                       bool wholeWord) {
  return matchIn(alternatives, asciiSubject, target, wholeWord);
}

std::optional<Match> matchAlternatives(const std::vector<ModernAlternative>& alternatives,
                                       std::u32string_view foldedSubject, PatternMode target,
                                       bool wholeWord) {
  return matchIn(alternatives, foldedSubject, target, wholeWord);
}

}  // namespace diskindex::search
