#include "diskindex/core/text_codec.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "platform/codepage.h"

namespace diskindex {
namespace {

struct Utf8Table {
  std::array<std::array<char, 3>, 256> bytes{};
  std::array<std::uint8_t, 256> length{};
};

Utf8Table buildTable() {
  Utf8Table table;
  for (int b = 0; b < 256; ++b) {
    const std::string utf8 = platform::cp1252ToUtf8(std::string(1, static_cast<char>(b)));
    table.length[b] = static_cast<std::uint8_t>(utf8.size());
    std::memcpy(table.bytes[b].data(), utf8.data(), utf8.size());
  }
  return table;
}

const Utf8Table& utf8Table() {
  static const Utf8Table table = buildTable();
  return table;
}

}  // namespace

std::string decodeStoredText(std::string_view bytes, bool utf8) {
  if (utf8) return platform::utf8OrCp1252ToUtf8(bytes);
  std::string out;
  appendCp1252AsUtf8(out, bytes);
  return out;
}

std::string encodeStoredText(std::string_view text, bool utf8) {
  if (utf8) return std::string(text);
  if (auto converted = platform::utf8ToCp1252(text)) return *converted;
  // Not reachable when the caller chose the encoding as documented; keep the
  // bytes rather than replace anything.
  return std::string(text);
}

void appendCp1252AsUtf8(std::string& out, std::string_view bytes) {
  const Utf8Table& table = utf8Table();
  bool ascii = true;
  for (unsigned char c : bytes) ascii = ascii && c < 0x80;
  if (ascii) {
    out.append(bytes);
    return;
  }
  for (unsigned char c : bytes) out.append(table.bytes[c].data(), table.length[c]);
}

std::string_view cutToBytes(std::string_view bytes, std::size_t maxBytes, bool utf8) {
  if (bytes.size() <= maxBytes) return bytes;
  std::size_t end = maxBytes;
  if (utf8) {
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) --end;
  }
  if (end > 0 && bytes[end - 1] == '\r' && bytes[end] == '\n') --end;
  return bytes.substr(0, end);
}

std::string storedFieldText(std::string_view text, std::size_t maxBytes, bool utf8) {
  utf8 = utf8 || !platform::fitsCp1252(text);
  const std::string stored = encodeStoredText(text, utf8);
  return decodeStoredText(cutToBytes(stored, maxBytes, utf8), utf8);
}

std::size_t fittingPrefix(std::string_view text, std::size_t maxBytes, bool utf8) {
  std::size_t length = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = i + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    std::size_t cost = utf8 ? end - i : 1;
    if (text[i] == '\r' && end < text.size() && text[end] == '\n') {
      ++end;  // CR LF stays together
      cost = 2;
    } else if (text[i] == '\n') {
      cost = 2;
    }
    if (length + cost > maxBytes) break;
    length += cost;
    i = end;
  }
  return i;
}

std::string_view fieldText(const unsigned char* field, std::size_t size) {
  const void* nul = std::memchr(field, 0, size);
  const std::size_t length =
      nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - field) : size;
  return std::string_view(reinterpret_cast<const char*>(field), length);
}

std::string cutCharacters(std::string_view text, std::size_t maxCharacters) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == maxCharacters) {
      return std::string(text.substr(0, i));
    }
  }
  return std::string(text);
}

}  // namespace diskindex
