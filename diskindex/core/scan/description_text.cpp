#include "diskindex/core/scan/description_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

bool isTitleBreak(char c) {
  return c == '\t' || c == ' ' || c == ',' || c == '.' || c == ':' || c == ';';
}

char asciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool hasNonAscii(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Cuts UTF-8 text after maxChars code points.
std::string limitCodePoints(std::string text, std::size_t maxChars) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (count == maxChars) {
      text.resize(i);
      break;
    }
    ++count;
  }
  return text;
}

}  // namespace

std::optional<ListLine> parseListLine(std::string_view line) {
  const std::size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t nameEnd = line.find(' ', start);
  if (nameEnd == std::string_view::npos) return std::nullopt;
  const std::size_t text = line.find_first_not_of(' ', nameEnd);
  if (text == std::string_view::npos) return std::nullopt;
  return ListLine{line.substr(start, nameEnd - start), line.substr(text)};
}

std::string applyQuotedTitle(std::string_view description) {
  std::string out(description);
  if (out.empty() || out[0] != '"') return out;
  const std::size_t close = out.find('"', 1);
  if (close == std::string::npos || close + 2 >= out.size()) return out;
  if (isTitleBreak(out[close + 1]) && isTitleBreak(out[close + 2])) {
    out[close + 1] = '\r';
    out[close + 2] = '\n';
  }
  return out;
}

bool looksLikeOemText(std::string_view bytes) {
  static constexpr std::array<std::uint8_t, 7> kWindows = {0xC4, 0xD6, 0xDC, 0xDF,
                                                           0xE4, 0xF6, 0xFC};
  static constexpr std::array<std::uint8_t, 7> kDos = {0x81, 0x84, 0x8E, 0x94, 0x99, 0x9A, 0xE1};
  int windows = 0;
  int dos = 0;
  for (char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    if (b < 0x80) continue;
    if (std::find(kWindows.begin(), kWindows.end(), b) != kWindows.end()) ++windows;
    if (std::find(kDos.begin(), kDos.end(), b) != kDos.end()) ++dos;
  }
  return dos > windows;
}

std::string descriptionToRemark(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::string utf8;
  if (hasNonAscii(bytes) && platform::isValidUtf8(bytes)) {
    utf8.assign(bytes);
  } else if (looksLikeOemText(bytes)) {
    utf8 = platform::cp1252ToUtf8(platform::oem850ToCp1252(bytes));
  } else {
    utf8 = platform::cp1252ToUtf8(bytes);
  }
  return limitCodePoints(std::move(utf8), kMaxRemarkChars);
}

bool equalsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
  }
  return true;
}

}  // namespace diskindex::scan
