#pragma once
// The character rules of the catalogue search, on Unicode code points of the
// UTF-8 text the program holds in memory: which characters wildcards stand
// for in names and in remark text, which ones delimit a whole word, and the
// two ways of ignoring letter case (wildcards, plain text).
//
// Catalogues written by DOS-era programs may hold names whose umlauts are
// code page 437/850 bytes. Such a file is read as Windows-1252, so its byte
// 0x84 (DOS "ä") arrives here as U+201E; the wildcard rules count those
// arrival characters as the umlauts they stand for: 0x84 U+201E ä,
// 0x94 U+201D ö, 0x81 U+0081 ü, 0x8E U+017D Ä, 0x99 U+2122 Ö, 0x9A U+0161 Ü,
// 0xE1 U+00E1 ß. Whole words and plain text know the Windows-1252 umlauts
// only.
//
// No matching happens here (see search_pattern.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex::search {

// What "*" and "?" stand for: file-name characters (name mode) or letters and
// digits (text mode; "_" counts as a letter).
enum class CharClass : std::uint8_t { NameChar, TextChar };

bool inClass(CharClass cls, char32_t c);
// 0-9 A-Z a-z "_" and the Windows-1252 Ä Ö Ü ä ö ü ß.
bool isWholeWordChar(char32_t c);
// Wildcards ignore case: ASCII letters and the umlauts of both code pages.
char32_t foldWildcard(char32_t c);
// Plain text without the case option: a-z and the Windows-1252 ä ö ü become
// upper case; everything else (ß included) stays.
char32_t foldPlain(char32_t c);

// UTF-8 to code points, with the byte offset where each one starts (plus one
// entry for the end). A byte that starts no valid sequence stands for itself
// (its Latin-1 code point), so no text makes the matcher fail.
void decodeUtf8(std::string_view text, std::u32string& chars, std::vector<std::uint32_t>* offsets);
bool isAscii(std::string_view text);

}  // namespace diskindex::search
