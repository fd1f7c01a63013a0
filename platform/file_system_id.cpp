#include "platform/file_system_id.h"

#include <algorithm>
#include <cstdio>

namespace platform {
namespace {

constexpr std::uint8_t kTagSerial = 0x01;
constexpr std::uint8_t kTagHashed = 0x02;
constexpr std::uint8_t kTagStatfs = 0x03;
// Serial digits fit behind the tag and the count: 14 bytes of two digits.
constexpr std::size_t kMaxSerialDigits = 28;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The hex digits of text without its dashes, or "" when another character occurs.
std::string hexDigits(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c == '-') continue;
    if (hexValue(c) < 0) return {};
    digits += c;
  }
  return digits;
}

void packDigits(std::string_view digits, std::uint8_t* out) {
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const auto v = static_cast<std::uint8_t>(hexValue(digits[i]));
    out[i / 2] = static_cast<std::uint8_t>(out[i / 2] | (i % 2 == 0 ? v << 4 : v));
  }
}

// Two 64-bit FNV-1a hashes with different offsets: enough to tell labels
// apart, and the same on every machine.
FileSystemId::Bytes hashed(std::string_view text) {
  FileSystemId::Bytes bytes{};
  bytes[0] = kTagHashed;
  std::uint64_t h[2] = {14695981039346656037ull, 0x9E3779B97F4A7C15ull};
  for (std::uint64_t& state : h) {
    for (unsigned char c : text) state = (state ^ c) * 1099511628211ull;
  }
  for (std::size_t i = 1; i < FileSystemId::kSize; ++i) {
    bytes[i] = static_cast<std::uint8_t>(h[(i - 1) / 8] >> (8 * ((i - 1) % 8)));
  }
  return bytes;
}

std::string hex(std::span<const std::uint8_t> bytes, bool upper) {
  std::string out;
  char pair[3];
  for (std::uint8_t b : bytes) {
    std::snprintf(pair, sizeof pair, upper ? "%02X" : "%02x", b);
    out += pair;
  }
  return out;
}

}  // namespace

FileSystemId FileSystemId::fromBytes(std::span<const std::uint8_t> bytes) {
  Bytes b{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), kSize), b.begin());
  return FileSystemId(b);
}

FileSystemId FileSystemId::fromUuidText(std::string_view text) {
  if (text.empty()) return {};
  const std::string digits = hexDigits(text);
  Bytes bytes{};
  if (digits.size() == 2 * kSize) {
    packDigits(digits, bytes.data());
  } else if (!digits.empty() && digits.size() <= kMaxSerialDigits) {
    std::string upper = digits;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c; });
    bytes[0] = kTagSerial;
    bytes[1] = static_cast<std::uint8_t>(upper.size());
    packDigits(upper, bytes.data() + 2);
  } else {
    bytes = hashed(text);
  }
  return FileSystemId(bytes);
}

FileSystemId FileSystemId::fromStatfs(std::uint32_t first, std::uint32_t second) {
  if (first == 0 && second == 0) return {};
  Bytes bytes{};
  bytes[0] = kTagStatfs;
  for (int i = 0; i < 4; ++i) {
    bytes[1 + i] = static_cast<std::uint8_t>(first >> (8 * i));
    bytes[5 + i] = static_cast<std::uint8_t>(second >> (8 * i));
  }
  return FileSystemId(bytes);
}

bool FileSystemId::known() const {
  return std::any_of(m_bytes.begin(), m_bytes.end(), [](std::uint8_t b) { return b != 0; });
}

std::string FileSystemId::text() const {
  if (!known()) return {};
  const std::span<const std::uint8_t> all(m_bytes);
  const bool tagged = m_bytes[0] <= kTagStatfs && std::all_of(m_bytes.begin() + 9, m_bytes.end(),
                                                              [](auto b) { return b == 0; });
  if (m_bytes[0] == kTagSerial && m_bytes[1] > 0 && m_bytes[1] <= kMaxSerialDigits) {
    return hex(all.subspan(2, (m_bytes[1] + 1) / 2), true).substr(0, m_bytes[1]);
  }
  if (m_bytes[0] == kTagStatfs && tagged) {
    std::uint32_t word[2] = {0, 0};
    for (int i = 0; i < 8; ++i) word[i / 4] |= std::uint32_t{m_bytes[1 + i]} << (8 * (i % 4));
    char text[32];
    std::snprintf(text, sizeof text, "fsid:%08x:%08x", word[0], word[1]);
    return text;
  }
  if (m_bytes[0] == kTagHashed) return "#" + hex(all.subspan(1), false);
  const std::string h = hex(all, false);
  return h.substr(0, 8) + "-" + h.substr(8, 4) + "-" + h.substr(12, 4) + "-" + h.substr(16, 4) +
         "-" + h.substr(20);
}

}  // namespace platform
