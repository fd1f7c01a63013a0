#include "platform/codepage.h"

#include <array>

namespace platform {
namespace {

// Windows-1252 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  //
};

// OEM code page 850, bytes 0x80..0xFF, as Windows-1252 bytes. Characters the
// ANSI code page lacks get the system's best fit: horizontal lines become
// "-", vertical ones the broken bar, corners and crossings "+", blocks and
// shades the broken bar, the upper half block the macron, the lower half
// block "_", dotless i "i" and the double low line "=".
constexpr std::array<std::uint8_t, 128> kOem850ToAnsi = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7,
    0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,  //
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9,
    0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,  //
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA,
    0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,  //
    0xA6, 0xA6, 0xA6, 0xA6, 0xA6, 0xC1, 0xC2, 0xC0,
    0xA9, 0xA6, 0xA6, 0x2B, 0x2B, 0xA2, 0xA5, 0x2B,  //
    0x2B, 0x2D, 0x2D, 0x2B, 0x2D, 0x2B, 0xE3, 0xC3,
    0x2B, 0x2B, 0x2D, 0x2D, 0xA6, 0x2D, 0x2B, 0xA4,  //
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0x69, 0xCD, 0xCE,
    0xCF, 0x2B, 0x2B, 0xA6, 0x5F, 0xA6, 0xCC, 0xAF,  //
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE,
    0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,  //
    0xAD, 0xB1, 0x3D, 0xBE, 0xB6, 0xA7, 0xF7, 0xB8,
    0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0xA6, 0xA0,  //
};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one strict UTF-8 sequence at pos. Returns its length, or 0 when the
// bytes there are not valid UTF-8.
std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t& cp) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
  const std::uint8_t b0 = byte(pos);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t len = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() - pos < len) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    const std::uint8_t b = byte(pos + i);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Pairs in Latin Extended-A: upper case on even code points in
// U+0100..U+0137 and U+014A..U+0177, on odd ones in U+0139..U+0148 and
// U+0179..U+017E.
bool latinExtAUpperIsEven(char32_t cp) {
  return (cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177);
}
bool latinExtAUpperIsOdd(char32_t cp) {
  return (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
}

char32_t upperOf(char32_t cp) {
  if (cp >= 'a' && cp <= 'z') return cp - 0x20;
  if (cp < 0x80) return cp;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 0x20;
  if (cp == 0xFF) return 0x178;
  if (cp == 0x131) return 'I';  // dotless i, inside the even/odd pair range
  if (latinExtAUpperIsEven(cp)) return cp & ~char32_t{1};
  if (latinExtAUpperIsOdd(cp)) return (cp & 1) ? cp : cp - 1;
  if (cp == 0x192) return 0x191;
  if (cp >= 0x3B1 && cp <= 0x3C9 && cp != 0x3C2) return cp - 0x20;
  if (cp == 0x3C2) return 0x3A3;
  if (cp >= 0x430 && cp <= 0x44F) return cp - 0x20;
  if (cp >= 0x450 && cp <= 0x45F) return cp - 0x50;
  return cp;
}

char32_t lowerOf(char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
  if (cp < 0x80) return cp;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
  if (cp == 0x178) return 0xFF;
  if (cp == 0x130) return 'i';
  if (latinExtAUpperIsEven(cp)) return cp | 1;
  if (latinExtAUpperIsOdd(cp)) return (cp & 1) ? cp + 1 : cp;
  if (cp == 0x191) return 0x192;
  if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) return cp + 0x20;
  if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;
  if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;
  return cp;
}

template <typename Map>
std::string mapUtf8(std::string_view utf8, Map map) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = 0;
    const std::size_t len = decodeUtf8(utf8, pos, cp);
    if (len == 0) {
      out += utf8[pos++];
      continue;
    }
    appendUtf8(out, map(cp));
    pos += len;
  }
  return out;
}

}  // namespace

char32_t cp1252ToCodePoint(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kCp1252High[byte - 0x80];
  return byte;
}

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char c : bytes) appendUtf8(out, cp1252ToCodePoint(static_cast<std::uint8_t>(c)));
  return out;
}

std::optional<std::uint8_t> codePointToCp1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<std::uint8_t>(codePoint);
  }
  for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == codePoint) return static_cast<std::uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

std::optional<std::string> utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = 0;
    const std::size_t len = decodeUtf8(utf8, pos, cp);
    if (len == 0) return std::nullopt;
    const auto byte = codePointToCp1252(cp);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
    pos += len;
  }
  return out;
}

bool fitsCp1252(std::string_view utf8) {
  return utf8ToCp1252(utf8).has_value();
}

bool isValidUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp = 0;
    const std::size_t len = decodeUtf8(bytes, pos, cp);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

std::string utf8OrCp1252ToUtf8(std::string_view bytes) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  return cp1252ToUtf8(bytes);
}

std::uint8_t oem850ToCp1252(std::uint8_t byte) {
  if (byte < 0x80) return byte;
  return kOem850ToAnsi[byte - 0x80];
}

std::string oem850ToCp1252(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) c = static_cast<char>(oem850ToCp1252(static_cast<std::uint8_t>(c)));
  return out;
}

std::uint8_t cp1252ToUpper(std::uint8_t byte) {
  if (byte >= 'a' && byte <= 'z') return byte - 0x20;
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return byte - 0x20;
  switch (byte) {
    case 0x9A:
      return 0x8A;  // š
    case 0x9C:
      return 0x8C;  // œ
    case 0x9E:
      return 0x8E;  // ž
    case 0xFF:
      return 0x9F;  // ÿ
    default:
      return byte;
  }
}

std::uint8_t cp1252ToLower(std::uint8_t byte) {
  if (byte >= 'A' && byte <= 'Z') return byte + 0x20;
  if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) return byte + 0x20;
  switch (byte) {
    case 0x8A:
      return 0x9A;
    case 0x8C:
      return 0x9C;
    case 0x8E:
      return 0x9E;
    case 0x9F:
      return 0xFF;
    default:
      return byte;
  }
}

std::string toUpperUtf8(std::string_view utf8) {
  return mapUtf8(utf8, upperOf);
}
std::string toLowerUtf8(std::string_view utf8) {
  return mapUtf8(utf8, lowerOf);
}

int compareNoCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    char32_t ca = 0;
    char32_t cb = 0;
    std::size_t la = decodeUtf8(a, i, ca);
    std::size_t lb = decodeUtf8(b, j, cb);
    // An invalid byte compares as itself, above every valid code point's
    // lead byte order would put it, consistently on both sides.
    if (la == 0) ca = 0x110000 + static_cast<std::uint8_t>(a[i]), la = 1;
    if (lb == 0) cb = 0x110000 + static_cast<std::uint8_t>(b[j]), lb = 1;
    ca = upperOf(ca);
    cb = upperOf(cb);
    if (ca != cb) return ca < cb ? -1 : 1;
    i += la;
    j += lb;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  return compareNoCase(a, b) == 0;
}

}  // namespace platform
