#pragma once
// Unicode normalization and case folding of search subjects and search texts
// for the modern search modes, so that É and é, and a composed é and e
// followed by a combining acute accent, compare equal.
//
// The form is NFC, optionally case-folded (full folding: ß becomes ss). Most
// names need no library call: ASCII is folded by table, and a character of
// the Basic Multilingual Plane that cannot combine with its neighbours and
// folds to a single character is looked up in a table built once from
// utf8proc. Only text holding a combining mark, a composable second
// character, or a character beyond those takes the full utf8proc path.
//
// Every folded character remembers the byte offset in the original UTF-8
// text of the character cluster (a starter and the marks that follow it) it
// came from, so a match found in the folded text maps back to whole
// characters of the original. Invalid UTF-8 bytes stand for their Latin-1
// code points, as elsewhere in the search.
//
// It matches nothing itself (see modern_pattern.h).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex::search {

struct FoldedText {
  std::u32string chars;
  // Byte offset in the source of each character's cluster, plus one entry
  // for the end of the source (only when asked for).
  std::vector<std::uint32_t> offsets;

  // The source bytes [begin, end) covering folded characters [first, last).
  std::uint32_t sourceBegin(std::size_t first) const { return offsets[first]; }
  std::uint32_t sourceEnd(std::size_t last) const;
};

// Clears out and fills it with the NFC form of utf8 (case-folded when fold is
// set). Reuses the buffers of out and of the thread.
void foldText(std::string_view utf8, bool fold, FoldedText& out, bool withOffsets);

// The same form as UTF-8 (for a search text or a regular expression's
// subject); offsets per output byte when asked (plus one for the end).
std::string normalizeUtf8(std::string_view utf8, bool fold,
                          std::vector<std::uint32_t>* byteOffsets = nullptr);

// Whether NFC would leave this UTF-8 text exactly as it is (true for all
// ASCII and for composed text without combining marks): the fast path test
// for subjects that need no normalization when not folded.
bool alreadyNormal(std::string_view utf8);

// Letters, digits, combining marks and "_": what whole-word matching in the
// modern modes does not let stand before or after a match.
bool isUnicodeWordChar(char32_t c);

void appendUtf8(std::string& out, char32_t c);

}  // namespace diskindex::search
