#pragma once
// A quick test that rules out most entry names before the search converts
// and matches them. Every match of an alternative of a search text holds
// the runs of ASCII characters the alternative itself spells out, letters
// in either case: REPORT1?.DOC in the original syntax only matches names
// that begin with "report1" and end with ".doc", the plain text picture17
// names that hold "picture17". In a name whose bytes reach the matcher as
// the same ASCII characters in the same places, those runs stand in the
// stored bytes too, so a name that lacks them for every alternative cannot
// match and is passed over without being converted.
//
// Which names are judged: every all-ASCII name, and the names of
// Windows-1252 volumes whose other bytes the chosen rules keep apart from
// ASCII. That is checked once per byte against the real conversion (display
// case, code page, normalization, case folding) rather than assumed: in the
// modern modes "ß" folds to "ss", so a name holding it is left to the
// matcher. UTF-8 names holding other characters are always left to the
// matcher (lower-casing the Kelvin sign gives "k").
//
// It never decides that a name matches; the matcher does.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex::search {

// The rules between a stored name and the characters a matcher compares.
enum class NameFolding : std::uint8_t {
  Original,  // the catalogue's wildcards: A-Z and the umlauts fold
  Unicode,   // NFC and full case folding ("Platzhalter für alle Zeichen")
  Regex,     // NFC, letters compared by simple case mapping (RE2)
};

// What every name matching one alternative holds, as ASCII (compared
// lower-cased): it begins with prefix, ends with suffix and holds inner
// somewhere. An empty part says nothing.
struct NamePieces {
  std::string prefix;
  std::string suffix;
  std::string inner;
  bool empty() const { return prefix.empty() && suffix.empty() && inner.empty(); }
  bool operator==(const NamePieces&) const = default;
};

// The pieces of an alternative whose match is made of these characters in
// this order, where U+FFFF stands for a stretch of any characters (a
// wildcard); anchoredStart / anchoredEnd: the match begins / ends with the
// name. prefix and suffix are the ASCII runs at an anchored start and end,
// inner the longest other ASCII run (the first of equal length).
NamePieces namePieces(std::u32string_view literals, bool anchoredStart, bool anchoredEnd);
inline constexpr char32_t kWildStretch = 0xFFFF;

class NamePrefilter {
 public:
  // Judges nothing: every name may match.
  NamePrefilter() = default;
  // One entry per alternative: a name may match when it holds the pieces of
  // any of them. An alternative with empty pieces could match any name: the
  // filter then judges nothing.
  NamePrefilter(std::vector<NamePieces> alternatives, NameFolding folding);

  bool active() const { return !m_alternatives.empty(); }
  const std::vector<NamePieces>& alternatives() const { return m_alternatives; }

  // False when a name stored as these bytes (on a UTF-8 or a Windows-1252
  // volume) cannot match. readableAfter: how many bytes after the name may
  // be read (a volume's buffer goes on after most names; the search reads
  // them in blocks and ignores them).
  bool mayMatch(std::string_view stored, bool utf8Volume, std::size_t readableAfter) const;

 private:
  friend class NameCandidates;
  bool judged(std::string_view stored, bool utf8Volume) const;

  std::vector<NamePieces> m_alternatives;  // lower case
  const std::uint8_t* m_keepsApart = nullptr;  // per byte: 1 when the rules keep it non-ASCII
  std::string m_apartFails;  // the bytes beyond ASCII it does not keep apart (few)
};

// The names of a whole volume judged at once: the search marks, in one
// pass over the volume's bytes, every place where a piece of some
// alternative begins and every byte the rules do not keep apart from ASCII
// (on a UTF-8 volume every byte beyond ASCII). A name with no mark inside
// it is one mayMatch would refuse, so the walk over the entries passes over
// it with one comparison; the few marked names go through mayMatch and the
// matcher as before. One alternative is marked by its longest piece.
class NameCandidates {
 public:
  // bytes: the volume's entry records (any bytes: marks outside names are
  // never asked for). The filter must be active.
  void mark(const NamePrefilter& filter, std::span<const std::uint8_t> bytes, bool utf8Volume);
  // Whether a mark lies in [begin, end) (offsets into those bytes); asked
  // for names in the order they come.
  bool anyIn(std::size_t begin, std::size_t end) {
    while (m_marks[m_next] < begin) ++m_next;
    return m_marks[m_next] < end;
  }

 private:
  // Ascending, ended by a mark beyond every offset (the walk needs no
  // bounds test).
  std::vector<std::uint64_t> m_marks;
  std::vector<std::uint64_t> m_more;
  std::size_t m_next = 0;
};

// Whether text holds piece (lower-case ASCII; text's letters in either
// case). readableAfter as above; the result never depends on those bytes.
bool containsPiece(std::string_view text, std::string_view piece, std::size_t readableAfter);

// The longest ASCII string that is part of each of texts (lower-cased; the
// first found of equal length): one piece that stands for several
// alternatives (a regular expression's literal strings). Empty when they
// share none.
std::string commonPiece(const std::vector<std::string>& texts);

}  // namespace diskindex::search
