#include "diskindex/core/search/modern_pattern.h"

#include <re2/filtered_re2.h>
#include <re2/re2.h>

#include <algorithm>
#include <type_traits>

#include "diskindex/core/search/name_prefilter.h"
#include "diskindex/core/search/search_chars.h"

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

ModernPattern::ModernPattern(std::string_view searchText, SearchMode mode, PatternMode target,
                             bool caseSensitive)
    : m_mode(mode), m_target(target), m_fold(!caseSensitive) {
  if (mode != SearchMode::Regex) {
    SplitResult split = splitModernText(searchText, m_fold);
    m_error = std::move(split.error);
    if (!m_error) m_alternatives = std::move(split.alternatives);
    return;
  }
  m_error = checkSearchText(searchText, mode);
  if (m_error || searchText.empty()) return;
  RE2::Options options;
  options.set_log_errors(false);
  options.set_case_sensitive(caseSensitive);
  m_regexText = normalizeUtf8(searchText, false);
  m_regex = std::make_unique<RE2>(m_regexText, options);
  if (!m_regex->ok()) m_regex.reset();
}

ModernPattern::~ModernPattern() = default;

bool ModernPattern::empty() const {
  return m_mode == SearchMode::Regex ? m_regex == nullptr : m_alternatives.empty();
}

std::optional<Match> ModernPattern::match(std::string_view subject, bool wholeWord) {
  if (m_mode == SearchMode::Regex) return m_regex ? matchRegex(subject, wholeWord) : std::nullopt;
  return matchAlternatives(subject, wholeWord);
}

bool ModernPattern::mayMatchStored(std::string_view stored) const {
  if (m_mode == SearchMode::Regex || m_target != PatternMode::Name || !m_fold) return true;
  const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32u : c; };
  for (const ModernAlternative& alternative : m_alternatives) {
    if (alternative.kind != ModernAlternative::Kind::Glob) return true;
    const std::vector<GlobItem>& items = alternative.items;
    const GlobItem& first = items.front();
    const GlobItem& last = items.back();
    const auto ruledOut = [&](const GlobItem& item, unsigned char byte) {
      return item.op == GlobItem::Op::Literal && item.ch < 0x80 && byte < 0x80 &&
             lower(byte) != item.ch;
    };
    if (stored.empty() ||
        (!ruledOut(first, static_cast<unsigned char>(stored.front())) &&
         !ruledOut(last, static_cast<unsigned char>(stored.back())))) {
      return true;
    }
  }
  return false;
}

namespace {

// RE2's prefilter: the lower-case strings of which at least one is in every
// text the expression matches, or nothing when it cannot say (asked
// directly: with none of the strings found, may the expression match?).
std::optional<std::vector<std::string>> regexAtoms(const std::string& expression,
                                                   const RE2::Options& options) {
  constexpr int kMinAtomLength = 2;
  re2::FilteredRE2 filter(kMinAtomLength);
  int id = 0;
  if (filter.Add(expression, options, &id) != RE2::NoError) return std::nullopt;
  std::vector<std::string> atoms;
  filter.Compile(&atoms);
  std::vector<int> potential;
  filter.AllPotentials({}, &potential);
  if (atoms.empty() || !potential.empty()) return std::nullopt;
  return atoms;
}

}  // namespace

// A wildcard alternative matches the whole name, so its first and last
// literals pin the name's ends; a plain one is found anywhere. Several
// literal strings of a regular expression that share a part of three or
// more characters are tested as that part alone (one search instead of
// many; e.g. report1[0-9] gives report10 ... report19).
std::optional<std::vector<NamePieces>> ModernPattern::asciiPieces() const {
  if (empty() || m_target != PatternMode::Name) return std::nullopt;
  std::vector<NamePieces> pieces;
  if (m_mode == SearchMode::Regex) {
    const std::optional<std::vector<std::string>> atoms = regexAtoms(m_regexText, m_regex->options());
    if (!atoms) return std::nullopt;
    std::vector<std::string> runs;
    for (const std::string& atom : *atoms) {
      std::u32string chars;
      decodeUtf8(atom, chars, nullptr);
      runs.push_back(namePieces(chars, false, false).inner);
      if (runs.back().empty()) return std::nullopt;
    }
    constexpr std::size_t kSharedPart = 3;
    if (std::string shared = commonPiece(runs); runs.size() > 2 && shared.size() >= kSharedPart) {
      runs.assign(1, std::move(shared));
    }
    for (std::string& run : runs) pieces.push_back({{}, {}, std::move(run)});
    return pieces;
  }
  for (const ModernAlternative& alternative : m_alternatives) {
    NamePieces found;
    if (alternative.kind == ModernAlternative::Kind::Glob) {
      std::u32string literals;
      for (const GlobItem& item : alternative.items) {
        literals.push_back(item.op == GlobItem::Op::Literal ? item.ch : kWildStretch);
      }
      found = namePieces(literals, true, true);
    } else {
      found = namePieces(alternative.text, false, false);
    }
    if (found.empty()) return std::nullopt;
    pieces.push_back(std::move(found));
  }
  return pieces;
}

bool ModernPattern::matches(std::string_view subject, bool wholeWord) {
  if (m_mode != SearchMode::Regex || wholeWord) return match(subject, wholeWord).has_value();
  if (!m_regex) return false;
  // Without whole words only the answer counts: RE2 then runs its DFA once
  // instead of also finding where the match begins and ends.
  if (isAscii(subject) || alreadyNormal(subject)) {
    return m_regex->Match(re2::StringPiece(subject.data(), subject.size()), 0, subject.size(),
                          RE2::UNANCHORED, nullptr, 0);
  }
  m_scratch = normalizeUtf8(subject, false);
  return m_regex->Match(m_scratch, 0, m_scratch.size(), RE2::UNANCHORED, nullptr, 0);
}

std::optional<Match> ModernPattern::matchAlternatives(std::string_view subject, bool wholeWord) {
  if (isAscii(subject)) {
    m_scratch.assign(subject);
    if (m_fold) {
      for (char& c : m_scratch) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
      }
    }
    return matchIn(m_alternatives, std::string_view(m_scratch), m_target, wholeWord);
  }
  foldText(subject, m_fold, m_folded, true);
  const std::optional<Match> found =
      matchIn(m_alternatives, std::u32string_view(m_folded.chars), m_target, wholeWord);
  if (!found) return std::nullopt;
  const std::uint32_t begin = m_folded.sourceBegin(found->start);
  return Match{begin, m_folded.sourceEnd(found->start + found->length) - begin};
}

namespace {

// The character of UTF-8 text that ends at byte end / starts at byte begin.
char32_t charBefore(std::string_view text, std::size_t end) {
  std::size_t begin = end - 1;
  while (begin > 0 && (static_cast<unsigned char>(text[begin]) & 0xC0) == 0x80) --begin;
  std::u32string one;
  decodeUtf8(text.substr(begin, end - begin), one, nullptr);
  return one.empty() ? 0 : one[0];
}

char32_t charAt(std::string_view text, std::size_t begin) {
  std::u32string one;
  decodeUtf8(text.substr(begin, std::min<std::size_t>(4, text.size() - begin)), one, nullptr);
  return one.empty() ? 0 : one[0];
}

}  // namespace

std::optional<Match> ModernPattern::matchRegex(std::string_view subject, bool wholeWord) {
  std::string_view text = subject;
  const bool mapped = !isAscii(subject) && !alreadyNormal(subject);
  if (mapped) {
    m_scratch = normalizeUtf8(subject, false, &m_byteOffsets);
    text = m_scratch;
  }
  re2::StringPiece found;
  if (!m_regex->Match(re2::StringPiece(text.data(), text.size()), 0, text.size(), RE2::UNANCHORED,
                      &found, 1)) {
    return std::nullopt;
  }
  const auto start = static_cast<std::size_t>(found.data() - text.data());
  std::size_t end = start + found.size();
  if (wholeWord) {
    if (start > 0 && isUnicodeWordChar(charBefore(text, start))) return std::nullopt;
    if (end < text.size() && isUnicodeWordChar(charAt(text, end))) return std::nullopt;
  }
  if (!mapped) return Match{start, end - start};
  // A match ending inside a character cluster takes the whole cluster.
  while (end > start && end < text.size() && m_byteOffsets[end] == m_byteOffsets[end - 1]) ++end;
  const std::uint32_t begin = m_byteOffsets[start];
  return Match{begin, m_byteOffsets[end] - begin};
}

}  // namespace diskindex::search
