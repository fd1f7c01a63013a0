#include "diskindex/core/search/name_prefilter.h"

#include <utf8proc.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "diskindex/core/search/search_chars.h"
#include "diskindex/core/search/unicode_fold.h"
#include "diskindex/core/text_codec.h"
#include "platform/codepage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace diskindex::search {
namespace {

using ByteTable = std::array<std::uint8_t, 256>;

bool isAsciiLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A letter of the piece matches both cases: setting bit 0x20 of the name's
// byte maps exactly 'P' and 'p' (and nothing else) onto 'p'.
unsigned char caseBit(unsigned char pieceByte) {
  return isAsciiLetter(pieceByte) ? 0x20 : 0x00;
}

bool equalAt(const char* text, std::string_view piece, std::size_t from) {
  for (std::size_t k = from; k < piece.size(); ++k) {
    const auto p = static_cast<unsigned char>(piece[k]);
    if ((static_cast<unsigned char>(text[k]) | caseBit(p)) != p) return false;
  }
  return true;
}

bool containsScalar(std::string_view text, std::string_view piece) {
  const auto first = static_cast<unsigned char>(piece[0]);
  const unsigned char bit = caseBit(first);
  for (std::size_t i = 0; i + piece.size() <= text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) | bit) == first && equalAt(text.data() + i, piece, 1)) {
      return true;
    }
  }
  return false;
}

#if defined(__SSE2__)
// The piece's first and last byte (with the case bit of a letter) for
// sixteen start positions at once: candidatesAt(at) has bit k set when both
// bytes match for the start at + k; candidates are then compared in full.
// It reads the 16 bytes from at and the 16 from at + piece size - 1.
class EndBytes {
 public:
  explicit EndBytes(std::string_view piece) : m_size(piece.size()) {
    const auto firstByte = static_cast<unsigned char>(piece[0]);
    const auto lastByte = static_cast<unsigned char>(piece[m_size - 1]);
    m_first = _mm_set1_epi8(static_cast<char>(firstByte));
    m_last = _mm_set1_epi8(static_cast<char>(lastByte));
    m_firstBit = _mm_set1_epi8(static_cast<char>(caseBit(firstByte)));
    m_lastBit = _mm_set1_epi8(static_cast<char>(caseBit(lastByte)));
  }
  unsigned candidatesAt(const char* at) const {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + m_size - 1));
    const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, m_firstBit), m_first),
                                       _mm_cmpeq_epi8(_mm_or_si128(b, m_lastBit), m_last));
    return static_cast<unsigned>(_mm_movemask_epi8(both));
  }

 private:
  std::size_t m_size;
  __m128i m_first, m_last, m_firstBit, m_lastBit;
};

// Sixteen start positions at a time; loads reach at most 15 bytes past the
// text.
bool containsWide(std::string_view text, std::string_view piece) {
  const std::size_t starts = text.size() - piece.size() + 1;
  const EndBytes ends(piece);
  for (std::size_t i = 0; i < starts; i += 16) {
    unsigned bits = ends.candidatesAt(text.data() + i);
    if (starts - i < 16) bits &= (1u << (starts - i)) - 1;
    while (bits != 0) {
      const auto k = static_cast<std::size_t>(__builtin_ctz(bits));
      if (equalAt(text.data() + i + k, piece, 1)) return true;
      bits &= bits - 1;
    }
  }
  return false;
}
#endif

// Every offset at which piece begins in bytes, ascending.
void findAll(std::span<const std::uint8_t> bytes, std::string_view piece,
             std::vector<std::uint64_t>& out) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::size_t m = piece.size();
  if (m == 0 || m > text.size()) return;
  const std::size_t starts = text.size() - m + 1;
  std::size_t i = 0;
#if defined(__SSE2__)
  const EndBytes ends(piece);
  // Full blocks only: the last load ends exactly at the end of the bytes.
  for (; i + 16 <= starts; i += 16) {
    for (unsigned bits = ends.candidatesAt(text.data() + i); bits != 0; bits &= bits - 1) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(bits));
      if (equalAt(text.data() + at, piece, 1)) out.push_back(at);
    }
  }
#endif
  for (; i < starts; ++i) {
    if (equalAt(text.data() + i, piece, 0)) out.push_back(i);
  }
}

// Every offset of a byte beyond ASCII that keepsApart does not clear.
void findUnjudged(std::span<const std::uint8_t> bytes, const std::uint8_t* keepsApart,
                  std::vector<std::uint64_t>& out) {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= bytes.size(); i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
    for (auto bits = static_cast<unsigned>(_mm_movemask_epi8(block)); bits != 0; bits &= bits - 1) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(bits));
      if (keepsApart == nullptr || keepsApart[bytes[at]] == 0) {
        out.push_back(at);
      }
    }
  }
#endif
  for (; i < bytes.size(); ++i) {
    if (bytes[i] >= 0x80 && (keepsApart == nullptr || keepsApart[bytes[i]] == 0)) {
      out.push_back(i);
    }
  }
}

void findByte(std::span<const std::uint8_t> bytes, char byte, std::vector<std::uint64_t>& out) {
  const std::uint8_t* begin = bytes.data();
  const std::uint8_t* end = begin + bytes.size();
  for (const std::uint8_t* at = begin; at < end; ++at) {
    at = static_cast<const std::uint8_t*>(std::memchr(at, byte, static_cast<std::size_t>(end - at)));
    if (at == nullptr) return;
    out.push_back(static_cast<std::uint64_t>(at - begin));
  }
}

std::string displayCharUtf8(std::uint8_t byte) {
  std::string out;
  appendCp1252AsUtf8(out, std::string_view(reinterpret_cast<const char*>(&byte), 1));
  return out;
}

bool allAbove(std::u32string_view chars) {
  return !chars.empty() &&
         std::all_of(chars.begin(), chars.end(), [](char32_t c) { return c >= 0x80; });
}

// Whether the character this byte shows as stays apart from ASCII under the
// rules: it is no ASCII character itself, does not fold, normalize or change
// case into one, and does not merge with an ASCII neighbour.
bool keepsApart(std::uint8_t byte, NameFolding folding) {
  const std::string shown = displayCharUtf8(byte);
  std::u32string chars;
  decodeUtf8(shown, chars, nullptr);
  if (!allAbove(chars)) return false;
  const std::string framed = "a" + shown + "a";
  switch (folding) {
    case NameFolding::Original:
      return std::all_of(chars.begin(), chars.end(), [](char32_t c) {
        return foldWildcard(c) >= 0x80 && foldPlain(c) >= 0x80;
      });
    case NameFolding::Unicode:
      for (bool fold : {true, false}) {
        FoldedText folded;
        foldText(framed, fold, folded, false);
        const std::u32string_view all = folded.chars;
        if (all.size() < 3 || all.front() != U'a' || all.back() != U'a' ||
            !allAbove(all.substr(1, all.size() - 2))) {
          return false;
        }
      }
      return true;
    case NameFolding::Regex:
      if (normalizeUtf8(framed, false) != framed) return false;
      return std::all_of(chars.begin(), chars.end(), [](char32_t c) {
        const auto cp = static_cast<utf8proc_int32_t>(c);
        return utf8proc_tolower(cp) >= 0x80 && utf8proc_toupper(cp) >= 0x80;
      });
  }
  return false;
}

// Per byte of a Windows-1252 name: 1 when both the byte and its lower-case
// form (the display case lowers all but the first character) keep apart.
ByteTable buildTable(NameFolding folding) {
  ByteTable table{};
  for (int b = 0x80; b < 0x100; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    table[byte] = keepsApart(byte, folding) && keepsApart(platform::cp1252ToLower(byte), folding);
  }
  return table;
}

const std::uint8_t* tableFor(NameFolding folding) {
  static const ByteTable original = buildTable(NameFolding::Original);
  static const ByteTable unicode = buildTable(NameFolding::Unicode);
  static const ByteTable regex = buildTable(NameFolding::Regex);
  switch (folding) {
    case NameFolding::Original:
      return original.data();
    case NameFolding::Unicode:
      return unicode.data();
    case NameFolding::Regex:
      return regex.data();
  }
  return original.data();
}

}  // namespace

bool containsPiece(std::string_view text, std::string_view piece, std::size_t readableAfter) {
  if (piece.empty()) return true;
  if (piece.size() > text.size()) return false;
#if defined(__SSE2__)
  if (readableAfter >= 16) return containsWide(text, piece);
#else
  (void)readableAfter;
#endif
  return containsScalar(text, piece);
}

namespace {

std::string lowerAscii(std::u32string_view run) {
  std::string out;
  for (char32_t c : run) out.push_back(static_cast<char>(c >= U'A' && c <= U'Z' ? c + 32 : c));
  return out;
}

bool startsWithPiece(std::string_view text, std::string_view piece) {
  return piece.size() <= text.size() && equalAt(text.data(), piece, 0);
}

bool endsWithPiece(std::string_view text, std::string_view piece) {
  return piece.size() <= text.size() && equalAt(text.data() + text.size() - piece.size(), piece, 0);
}

}  // namespace

NamePieces namePieces(std::u32string_view literals, bool anchoredStart, bool anchoredEnd) {
  const auto ascii = [](char32_t c) { return c < 0x80; };
  NamePieces pieces;
  std::size_t from = 0, to = literals.size();
  if (anchoredStart) {
    while (from < to && ascii(literals[from])) ++from;
    pieces.prefix = lowerAscii(literals.substr(0, from));
  }
  if (anchoredEnd) {
    std::size_t start = to;
    while (start > from && ascii(literals[start - 1])) --start;
    pieces.suffix = lowerAscii(literals.substr(start, to - start));
    to = start;
  }
  std::size_t bestStart = 0, bestLength = 0;
  for (std::size_t i = from; i < to;) {
    if (!ascii(literals[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < to && ascii(literals[j])) ++j;
    if (j - i > bestLength) {
      bestStart = i;
      bestLength = j - i;
    }
    i = j;
  }
  pieces.inner = lowerAscii(literals.substr(bestStart, bestLength));
  return pieces;
}

std::string commonPiece(const std::vector<std::string>& texts) {
  if (texts.empty()) return {};
  std::string first;
  for (char c : texts.front()) {
    first.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
  }
  for (std::size_t length = first.size(); length > 0; --length) {
    for (std::size_t start = 0; start + length <= first.size(); ++start) {
      const std::string_view candidate(first.data() + start, length);
      if (std::any_of(candidate.begin(), candidate.end(),
                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        continue;
      }
      const bool everywhere = std::all_of(texts.begin() + 1, texts.end(), [&](const std::string& t) {
        return containsPiece(t, candidate, 0);
      });
      if (everywhere) return std::string(candidate);
    }
  }
  return {};
}

NamePrefilter::NamePrefilter(std::vector<NamePieces> alternatives, NameFolding folding) {
  const bool usable =
      !alternatives.empty() && std::none_of(alternatives.begin(), alternatives.end(),
                                            [](const NamePieces& p) { return p.empty(); });
  if (!usable) return;
  for (NamePieces& pieces : alternatives) {
    for (std::string* part : {&pieces.prefix, &pieces.suffix, &pieces.inner}) {
      for (char& c : *part) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
      }
    }
  }
  m_alternatives = std::move(alternatives);
  m_keepsApart = tableFor(folding);
  for (int b = 0x80; b < 0x100; ++b) {
    if (m_keepsApart[b] == 0) m_apartFails.push_back(static_cast<char>(b));
  }
}

void NameCandidates::mark(const NamePrefilter& filter, std::span<const std::uint8_t> bytes,
                          bool utf8Volume) {
  m_marks.clear();
  m_next = 0;
  // Each list found is ascending: merged in place, one after the other.
  const auto mergeMore = [this] {
    const auto middle = static_cast<std::ptrdiff_t>(m_marks.size());
    m_marks.insert(m_marks.end(), m_more.begin(), m_more.end());
    std::inplace_merge(m_marks.begin(), m_marks.begin() + middle, m_marks.end());
    m_more.clear();
  };
  for (const NamePieces& pieces : filter.m_alternatives) {
    const std::string* longest = &pieces.inner;
    for (const std::string* part : {&pieces.prefix, &pieces.suffix}) {
      if (part->size() > longest->size()) longest = part;
    }
    findAll(bytes, *longest, m_more);
    mergeMore();
  }
  // Every character of a UTF-8 name beyond ASCII leaves it to the matcher;
  // on Windows-1252 volumes the few bytes the rules do not keep apart (in
  // the modern modes only "ß") are found by memchr, the fastest search.
  constexpr std::size_t kFewBytes = 4;
  if (utf8Volume || filter.m_apartFails.size() > kFewBytes) {
    findUnjudged(bytes, utf8Volume ? nullptr : filter.m_keepsApart, m_more);
    mergeMore();
  } else {
    for (char fails : filter.m_apartFails) {
      findByte(bytes, fails, m_more);
      mergeMore();
    }
  }
  m_marks.push_back(UINT64_MAX);
}

bool NamePrefilter::judged(std::string_view stored, bool utf8Volume) const {
  if (isAscii(stored)) return true;
  if (utf8Volume) return false;
  return std::all_of(stored.begin(), stored.end(), [this](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 || m_keepsApart[byte] != 0;
  });
}

bool NamePrefilter::mayMatch(std::string_view stored, bool utf8Volume,
                             std::size_t readableAfter) const {
  if (m_alternatives.empty() || !judged(stored, utf8Volume)) return true;
  return std::any_of(m_alternatives.begin(), m_alternatives.end(), [&](const NamePieces& p) {
    return startsWithPiece(stored, p.prefix) && endsWithPiece(stored, p.suffix) &&
           containsPiece(stored, p.inner, readableAfter);
  });
}

}  // namespace diskindex::search
