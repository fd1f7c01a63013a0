#include "diskindex/core/search/modern_pattern.h"

#include <re2/filtered_re2.h>
#include <re2/re2.h>

#include <algorithm>

#include "diskindex/core/search/name_prefilter.h"
#include "diskindex/core/search/search_chars.h"

namespace diskindex::search {

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
    return search::matchAlternatives(m_alternatives, std::string_view(m_scratch), m_target,
                                     wholeWord);
  }
  foldText(subject, m_fold, m_folded, true);
  const std::optional<Match> found =
      search::matchAlternatives(m_alternatives, std::u32string_view(m_folded.chars), m_target,
                                wholeWord);
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
