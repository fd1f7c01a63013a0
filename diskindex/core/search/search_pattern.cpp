#include "diskindex/core/search/search_pattern.h"

#include <algorithm>
#include <type_traits>

#include "diskindex/core/search/name_prefilter.h"

namespace diskindex::search {

std::vector<std::u32string> splitAlternatives(std::string_view searchText) {
  std::u32string chars;
  decodeUtf8(searchText, chars, nullptr);
  std::vector<std::u32string> result;
  std::u32string current;
  bool following = false;  // blanks opening the first alternative stay
  for (char32_t c : chars) {
    if (c == U',' || c == U';') {
      while (!current.empty() && current.back() == U' ') current.pop_back();
      if (!current.empty()) result.push_back(current);
      current.clear();
      following = true;
    } else if (c != U' ' || !current.empty() || !following) {
      current.push_back(c);
    }
  }
  if (!current.empty()) result.push_back(current);
  return result;
}

namespace {

std::size_t utf8Length(char32_t c) {
  return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

std::size_t itemBytes(const PatternItem& item) {
  switch (item.op) {
    case PatternItem::Op::Start:
    case PatternItem::Op::End:
      return 1;
    case PatternItem::Op::Literal:
      return 1 + utf8Length(item.ch);
    case PatternItem::Op::One:
      return 33;
    case PatternItem::Op::Any:
      return 34;
  }
  return 1;
}

bool isWildcard(std::u32string_view text) {
  return text.find_first_of(U"*?") != std::u32string_view::npos ||
         (!text.empty() && text.back() == U'.');
}

// A "." preceded by "*" and followed only by "*" (the "*.*" form).
bool droppableDot(std::u32string_view pattern, std::size_t i) {
  if (i == 0 || pattern[i - 1] != U'*' || i + 1 >= pattern.size()) return false;
  return pattern.find_first_not_of(U'*', i + 1) == std::u32string_view::npos;
}

}  // namespace

std::optional<std::vector<PatternItem>> translateWildcard(std::u32string_view pattern,
                                                          PatternMode mode, std::size_t* byteSize) {
  using Op = PatternItem::Op;
  const bool name = mode == PatternMode::Name;
  const CharClass cls = name ? CharClass::NameChar : CharClass::TextChar;
  std::vector<PatternItem> items;
  if (name) items.push_back({Op::Start, 0, cls});
  bool literalDot = false;
  bool endAnchored = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char32_t c = pattern[i];
    if (c == U'*') {
      items.push_back({Op::Any, 0, cls});
    } else if (c == U'?') {
      items.push_back({Op::One, 0, cls});
    } else if (c == U'.' && name && i + 1 == pattern.size()) {
      items.push_back({Op::End, 0, cls});
      endAnchored = true;
    } else if (c == U'.' && name && droppableDot(pattern, i)) {
      continue;
    } else {
      literalDot = literalDot || c == U'.';
      items.push_back({Op::Literal, foldWildcard(c), cls});
    }
  }
  if (name && literalDot && !endAnchored && !pattern.empty() && pattern.back() != U'*') {
    items.push_back({Op::End, 0, cls});
  }
  std::size_t bytes = 1;  // the terminator
  for (const PatternItem& item : items) bytes += itemBytes(item);
  if (byteSize) *byteSize = bytes;
  if (bytes > kMaxPatternBytes) return std::nullopt;
  return items;
}

PatternList::PatternList(std::string_view searchText, PatternMode mode) {
  for (std::u32string& text : splitAlternatives(searchText)) {
    Alternative alternative;
    if (isWildcard(text)) {
      if (auto items = translateWildcard(text, mode)) {
        alternative.wildcard = true;
        alternative.items = std::move(*items);
      }
    }
    std::u32string folded = text;
    for (char32_t& c : folded) c = foldPlain(c);
    const bool ascii = std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x80; });
    m_asciiPlain.push_back(ascii ? 1 : 0);
    m_asciiExact.emplace_back(ascii ? std::string(text.begin(), text.end()) : std::string());
    m_asciiFolded.emplace_back(ascii ? std::string(folded.begin(), folded.end()) : std::string());
    alternative.text = std::move(text);
    m_alternatives.push_back(std::move(alternative));
    m_folded.push_back(std::move(folded));
  }
}

namespace {

// The matcher over any sequence of code points (bytes for ASCII subjects).
template <class Subject>
class Matcher {
 public:
  explicit Matcher(Subject subject) : m_s(subject) {}

  // The greedy any-number item takes the longest run of its class and gives
  // back one character at a time while the rest fails.
  bool matchFrom(const std::vector<PatternItem>& items, std::size_t k, std::size_t pos,
                 std::size_t& end) const {
    using Op = PatternItem::Op;
    for (; k < items.size(); ++k) {
      const PatternItem& item = items[k];
      switch (item.op) {
        case Op::Start:
          if (pos != 0) return false;
          break;
        case Op::End:
          if (pos != m_s.size()) return false;
          break;
        case Op::Literal:
          if (pos >= m_s.size() || foldWildcard(at(pos)) != item.ch) return false;
          ++pos;
          break;
        case Op::One:
          if (pos >= m_s.size() || !inClass(item.cls, at(pos))) return false;
          ++pos;
          break;
        case Op::Any: {
          std::size_t run = pos;
          while (run < m_s.size() && inClass(item.cls, at(run))) ++run;
          for (std::size_t take = run;; --take) {
            if (!knownToFail(k + 1, take)) {
              if (matchFrom(items, k + 1, take, end)) return true;
              noteFailure(k + 1, take);
            }
            if (take == pos) return false;
          }
        }
      }
    }
    end = pos;
    return true;
  }

  // Whether the rest of the pattern from item k matches at pos does not
  // depend on where the match began, so a failure found once is remembered
  // for all start positions: with several "*" the search stays polynomial
  // instead of trying every split of a long word again and again.
  bool knownToFail(std::size_t k, std::size_t pos) const {
    return m_failed != nullptr && (*m_failed)[k * (m_s.size() + 1) + pos] != 0;
  }
  void noteFailure(std::size_t k, std::size_t pos) const {
    if (m_failed != nullptr) (*m_failed)[k * (m_s.size() + 1) + pos] = 1;
  }

  std::optional<Match> wildcard(const std::vector<PatternItem>& items) const {
    const auto stars = std::count_if(items.begin(), items.end(), [](const PatternItem& item) {
      return item.op == PatternItem::Op::Any;
    });
    m_failed = nullptr;
    if (stars >= 2) {
      thread_local std::vector<std::uint8_t> failed;
      failed.assign((items.size() + 1) * (m_s.size() + 1), 0);
      m_failed = &failed;
    }
    const bool anchored = !items.empty() && items.front().op == PatternItem::Op::Start;
    const std::size_t last = anchored ? 0 : m_s.size();
    for (std::size_t start = 0; start <= last; ++start) {
      std::size_t end = start;
      if (matchFrom(items, 0, start, end)) return Match{start, end - start};
    }
    return std::nullopt;
  }

  std::optional<Match> plain(const std::u32string& needle, bool fold) const {
    if (needle.size() > m_s.size()) return std::nullopt;
    const std::size_t last = m_s.size() - needle.size();
    for (std::size_t start = 0; start <= last; ++start) {
      std::size_t j = 0;
      while (j < needle.size() && (fold ? foldPlain(at(start + j)) : at(start + j)) == needle[j]) {
        ++j;
      }
      if (j == needle.size()) return Match{start, needle.size()};
    }
    return std::nullopt;
  }

  bool isWholeWord(const Match& m) const {
    if (m.start > 0 && isWholeWordChar(at(m.start - 1))) return false;
    const std::size_t after = m.start + m.length;
    return after >= m_s.size() || !isWholeWordChar(at(after));
  }

 private:
  char32_t at(std::size_t i) const {
    if constexpr (std::is_same_v<Subject, std::string_view>) {
      return static_cast<unsigned char>(m_s[i]);
    } else {
      return m_s[i];
    }
  }
  Subject m_s;
  mutable std::vector<std::uint8_t>* m_failed = nullptr;
};

template <class Subject>
std::optional<Match> matchList(const std::vector<Alternative>& alternatives,
                               const std::vector<std::u32string>& folded, Subject subject,
                               bool wholeWord, bool caseSensitive) {
  const Matcher<Subject> matcher(subject);
  for (std::size_t i = 0; i < alternatives.size(); ++i) {
    const Alternative& alternative = alternatives[i];
    const std::optional<Match> found = alternative.wildcard ? matcher.wildcard(alternative.items)
                                       : caseSensitive      ? matcher.plain(alternative.text, false)
                                                            : matcher.plain(folded[i], true);
    if (found && (!wholeWord || matcher.isWholeWord(*found))) return found;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Match> PatternList::match(std::u32string_view subject, bool wholeWord,
                                        bool caseSensitive) const {
  return matchList(m_alternatives, m_folded, subject, wholeWord, caseSensitive);
}

std::optional<Match> PatternList::match(std::string_view asciiSubject, bool wholeWord,
                                        bool caseSensitive) const {
  return matchAscii(asciiSubject, wholeWord, caseSensitive);
}

bool PatternList::mayMatchStored(std::string_view stored) const {
  for (std::size_t i = 0; i < m_alternatives.size(); ++i) {
    const Alternative& alternative = m_alternatives[i];
    if (alternative.wildcard) {
      const std::vector<PatternItem>& items = alternative.items;
      const bool literalFirst = items.size() >= 2 && items[0].op == PatternItem::Op::Start &&
                                items[1].op == PatternItem::Op::Literal && items[1].ch < 0x80;
      // A byte of 0x80 or more is never the first byte of an ASCII character.
      if (!literalFirst) return true;
      if (!stored.empty() && foldPlain(static_cast<unsigned char>(stored[0])) == items[1].ch) {
        return true;
      }
    } else {
      // Lower-casing a non-ASCII name may yield ASCII letters (the Kelvin
      // sign becomes k): only all-ASCII names are judged.
      if (!m_asciiPlain[i] || !isAscii(stored)) return true;
      const char first = m_asciiFolded[i][0];
      const char other = first >= 'A' && first <= 'Z' ? static_cast<char>(first + 32) : first;
      if (stored.find(first) != std::string_view::npos ||
          stored.find(other) != std::string_view::npos) {
        return true;
      }
    }
  }
  return false;
}

// A wildcard's literal items stand for consecutive characters of the match
// (the start and end items pin it to the name's ends); an ASCII literal
// only matches an ASCII character (nothing else folds to one); a plain
// alternative is found whole, anywhere.
std::optional<std::vector<NamePieces>> PatternList::asciiPieces() const {
  using Op = PatternItem::Op;
  std::vector<NamePieces> pieces;
  for (const Alternative& alternative : m_alternatives) {
    NamePieces found;
    if (alternative.wildcard) {
      const std::vector<PatternItem>& items = alternative.items;
      std::u32string literals;
      for (const PatternItem& item : items) {
        if (item.op == Op::Start || item.op == Op::End) continue;
        literals.push_back(item.op == Op::Literal ? item.ch : kWildStretch);
      }
      found = namePieces(literals, !items.empty() && items.front().op == Op::Start,
                         !items.empty() && items.back().op == Op::End);
    } else {
      found = namePieces(alternative.text, false, false);
    }
    if (found.empty()) return std::nullopt;
    pieces.push_back(std::move(found));
  }
  return pieces;
}

// The same rules as matchList on ASCII bytes, with two shortcuts: a plain
// alternative is found by a byte search in the upper-cased subject, and a
// wildcard anchored at the start with a literal first character is passed
// over at once when the subject's first character differs.
std::optional<Match> PatternList::matchAscii(std::string_view subject, bool wholeWord,
                                             bool caseSensitive) const {
  constexpr std::size_t kShort = 256;
  if (subject.size() > kShort) {
    return matchList(m_alternatives, m_folded, subject, wholeWord, caseSensitive);
  }
  char upperBytes[kShort];
  bool upperDone = false;
  const Matcher<std::string_view> matcher(subject);
  for (std::size_t i = 0; i < m_alternatives.size(); ++i) {
    const Alternative& alternative = m_alternatives[i];
    std::optional<Match> found;
    if (alternative.wildcard) {
      const std::vector<PatternItem>& items = alternative.items;
      if (items.size() >= 2 && items[0].op == PatternItem::Op::Start &&
          items[1].op == PatternItem::Op::Literal &&
          (subject.empty() ||
           foldPlain(static_cast<unsigned char>(subject[0])) != items[1].ch)) {
        continue;
      }
      found = matcher.wildcard(items);
    } else {
      if (!m_asciiPlain[i]) continue;
      std::size_t at = std::string_view::npos;
      if (caseSensitive) {
        at = subject.find(m_asciiExact[i]);
      } else {
        if (!upperDone) {
          for (std::size_t k = 0; k < subject.size(); ++k) {
            const char c = subject[k];
            upperBytes[k] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
          }
          upperDone = true;
        }
        at = std::string_view(upperBytes, subject.size()).find(m_asciiFolded[i]);
      }
      if (at != std::string_view::npos) found = Match{at, m_asciiFolded[i].size()};
    }
    if (found && (!wholeWord || matcher.isWholeWord(*found))) return found;
  }
  return std::nullopt;
}

}  // namespace diskindex::search
