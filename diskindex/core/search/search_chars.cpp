#include "diskindex/core/search/search_chars.h"

#include <cstring>

namespace diskindex::search {
namespace {

bool isAsciiLetterOrDigit(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
         c == U'_';
}

bool isCp1252Umlaut(char32_t c) {
  switch (c) {
    case U'Ä':
    case U'Ö':
    case U'Ü':
    case U'ä':
    case U'ö':
    case U'ü':
    case U'ß':
      return true;
    default:
      return false;
  }
}

// The DOS umlaut bytes as a Windows-1252 reading delivers them.
constexpr char32_t kDosLowerA = 0x201E, kDosLowerO = 0x201D, kDosLowerU = 0x0081;
constexpr char32_t kDosUpperA = 0x017D, kDosUpperO = 0x2122, kDosUpperU = 0x0161;
constexpr char32_t kDosSharpS = 0x00E1;

bool isDosUmlaut(char32_t c) {
  return c == kDosLowerA || c == kDosLowerO || c == kDosLowerU || c == kDosUpperA ||
         c == kDosUpperO || c == kDosUpperU || c == kDosSharpS;
}

bool isNamePunctuation(char32_t c) {
  switch (c) {
    case U'!':
    case U'#':
    case U'$':
    case U'%':
    case U'&':
    case U'(':
    case U')':
    case U'^':
    case U'{':
    case U'}':
    case U'~':
    case U'@':
      return true;
    default:
      return false;
  }
}

}  // namespace

bool inClass(CharClass cls, char32_t c) {
  if (isAsciiLetterOrDigit(c)) return true;
  if (c < 0x80) return cls == CharClass::NameChar && isNamePunctuation(c);
  return isCp1252Umlaut(c) || isDosUmlaut(c);
}

bool isWholeWordChar(char32_t c) {
  return isAsciiLetterOrDigit(c) || isCp1252Umlaut(c);
}

// Name mode folds like plain text and also the DOS umlauts.
char32_t foldWildcard(char32_t c) {
  switch (c) {
    case kDosLowerA:
      return kDosUpperA;
    case kDosLowerO:
      return kDosUpperO;
    case kDosLowerU:
      return kDosUpperU;
    default:
      return foldPlain(c);
  }
}

char32_t foldPlain(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  switch (c) {
    case U'ä':
      return U'Ä';
    case U'ö':
      return U'Ö';
    case U'ü':
      return U'Ü';
    default:
      return c;
  }
}

bool isAscii(std::string_view text) {
  // Eight bytes at a time: millions of names pass through here.
  std::size_t i = 0;
  std::uint64_t high = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + i, 8);
    high |= word;
  }
  for (; i < text.size(); ++i) high |= static_cast<unsigned char>(text[i]);
  return (high & 0x8080808080808080ull) == 0;
}

namespace {

// Length of the valid UTF-8 sequence at text[i] and its code point, or 0.
std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
  const bool invalid = cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF);
  return overlong || invalid ? 0 : length;
}

}  // namespace

void decodeUtf8(std::string_view text, std::u32string& chars, std::vector<std::uint32_t>* offsets) {
  chars.clear();
  if (offsets) offsets->clear();
  std::size_t i = 0;
  while (i < text.size()) {
    if (offsets) offsets->push_back(static_cast<std::uint32_t>(i));
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t cp = lead;
    std::size_t length = lead < 0x80 ? 1 : sequenceAt(text, i, cp);
    if (length == 0) {
      cp = lead;
      length = 1;
    }
    chars.push_back(cp);
    i += length;
  }
  if (offsets) offsets->push_back(static_cast<std::uint32_t>(text.size()));
}

}  // namespace diskindex::search
