#pragma once
// The one place where entry records are taken from and put into bytes (the
// layout itself is declared in entry_record.h). Decoding never reads past
// the bytes it is given: an entry whose fixed part or name is cut off
// decodes to nothing.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/little_endian.h"
#include "diskindex/core/entry_record.h"

namespace diskindex {

struct StoredEntry {
  std::uint8_t level = 0;
  std::uint32_t size = 0;
  std::uint32_t dosDateTime = 0;
  std::uint8_t attributes = 0;
  std::string_view name;  // as stored (Windows-1252 or UTF-8 bytes)

  std::size_t storedLength() const { return entry_layout::kFixedSize + name.size(); }
  bool isDirectory() const { return (attributes & attributes::kDirectory) != 0; }
};

inline std::optional<StoredEntry> decodeEntry(std::span<const std::uint8_t> bytes) {
  namespace E = entry_layout;
  if (bytes.size() < E::kFixedSize) return std::nullopt;
  const std::size_t nameLength = bytes[E::kNameLength];
  if (bytes.size() < E::kFixedSize + nameLength) return std::nullopt;
  StoredEntry entry;
  entry.level = bytes[E::kLevel];
  entry.size = platform::le::readU32(bytes, E::kSize).value_or(0);
  entry.dosDateTime = platform::le::readU32(bytes, E::kDosDateTime).value_or(0);
  entry.attributes = bytes[E::kAttributes];
  entry.name = std::string_view(reinterpret_cast<const char*>(bytes.data() + E::kName), nameLength);
  return entry;
}

// How far the entry at the start of bytes reaches and whether it is a
// directory, read without decoding the rest: for walks that pass over most
// entries. Nothing when its fixed part or name is cut off.
struct EntryFrame {
  std::size_t storedLength = 0;
  bool directory = false;
};

inline std::optional<EntryFrame> frameOf(std::span<const std::uint8_t> bytes) {
  namespace E = entry_layout;
  if (bytes.size() < E::kFixedSize) return std::nullopt;
  const std::size_t length = E::kFixedSize + bytes[E::kNameLength];
  if (bytes.size() < length) return std::nullopt;
  return EntryFrame{length, (bytes[E::kAttributes] & attributes::kDirectory) != 0};
}

// storedName must not exceed entry_layout::kMaxNameBytes.
inline void appendEntry(std::vector<std::uint8_t>& out, const StoredEntry& entry) {
  namespace E = entry_layout;
  std::uint8_t fixed[E::kFixedSize];
  fixed[E::kLevel] = entry.level;
  fixed[E::kNameLength] = static_cast<std::uint8_t>(entry.name.size());
  platform::le::writeU32(fixed, E::kSize, entry.size);
  platform::le::writeU32(fixed, E::kDosDateTime, entry.dosDateTime);
  fixed[E::kAttributes] = entry.attributes;
  out.insert(out.end(), fixed, fixed + E::kFixedSize);
  out.insert(out.end(), entry.name.begin(), entry.name.end());
}

}  // namespace diskindex
