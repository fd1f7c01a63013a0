#pragma once
// Text conversions between the suite's in-memory UTF-8 and the single-byte
// code pages its file formats use: Windows-1252 both ways, OEM code page 850
// to Windows-1252 (as the old OemToAnsi call did), and case mapping that knows
// the German letters. Nothing here guesses an encoding on its own except
// looksLikeUtf8; nothing is ever replaced by "?": a conversion that cannot
// represent a character says so.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Every byte maps to one code point; the five bytes Windows leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081, U+008D, U+008F, U+0090, U+009D.
char32_t cp1252ToCodePoint(std::uint8_t byte);
std::string cp1252ToUtf8(std::string_view bytes);

// The byte for a code point, or nothing when Windows-1252 has none.
std::optional<std::uint8_t> codePointToCp1252(char32_t codePoint);
// Nothing when any character cannot be represented (or the text is not UTF-8).
std::optional<std::string> utf8ToCp1252(std::string_view utf8);
bool fitsCp1252(std::string_view utf8);

// Strict UTF-8 validation (no overlongs, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);
// UTF-8 kept as it is; anything else decoded byte by byte as Windows-1252.
std::string utf8OrCp1252ToUtf8(std::string_view bytes);

// OEM code page 850 byte to the Windows-1252 byte of the same character, or
// the closest one for characters Windows-1252 lacks (box drawing and the like).
std::uint8_t oem850ToCp1252(std::uint8_t byte);
std::string oem850ToCp1252(std::string_view bytes);

// Case mapping of Windows-1252 bytes (the German umlauts, "š", "œ", "ž" and
// "ÿ"/"Ÿ" included; "ß" and "µ" have no single-byte upper case and stay).
std::uint8_t cp1252ToUpper(std::uint8_t byte);
std::uint8_t cp1252ToLower(std::uint8_t byte);

// Case mapping of UTF-8 text: ASCII, Latin-1, Latin Extended-A and the Greek
// and Cyrillic basics; "ß" stays "ß". Invalid bytes pass through unchanged.
std::string toUpperUtf8(std::string_view utf8);
std::string toLowerUtf8(std::string_view utf8);
// Case-insensitive comparison in the sense of toUpperUtf8 (<0, 0, >0).
int compareNoCase(std::string_view a, std::string_view b);
bool equalsNoCase(std::string_view a, std::string_view b);

}  // namespace platform
