#pragma once
// A file system's identity in 16 bytes, as volume headers store it: all zero
// means "not known". It is made from what the system offers for a mounted
// file system:
//  - a 128-bit UUID as /dev/disk/by-uuid names it ("9f3c...-...") gives its
//    16 bytes in order;
//  - a shorter serial made of hex digits and dashes (FAT "1C2B-7E0A", NTFS
//    "01D2F3A4B5C6D7E8", ISO 9660 "2024-03-01-12-00-00-00") is kept as its
//    digits: tag 0x01, the digit count, then the digits two to a byte;
//  - any other text is kept as a 120-bit hash of it behind tag 0x02;
//  - the statfs id (where the device has no UUID) behind tag 0x03.
// Two identities are equal when the same file system produced them. The
// tags keep the kinds apart in practice; a random UUID that starts with a tag
// byte and matches a short serial digit for digit is not worth guarding.
//
// It does not look anything up; drives.h does.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform {

class FileSystemId {
 public:
  static constexpr std::size_t kSize = 16;
  using Bytes = std::array<std::uint8_t, kSize>;

  FileSystemId() = default;
  explicit FileSystemId(const Bytes& bytes) : m_bytes(bytes) {}
  // The bytes as stored; fewer than 16 are taken as they are, padded with zero.
  static FileSystemId fromBytes(std::span<const std::uint8_t> bytes);
  // From a by-uuid name; unknown for empty text.
  static FileSystemId fromUuidText(std::string_view text);
  // From the two words of statfs' f_fsid; unknown when both are zero.
  static FileSystemId fromStatfs(std::uint32_t first, std::uint32_t second);

  bool known() const;
  const Bytes& bytes() const { return m_bytes; }
  // For messages and listings: "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12",
  // "1C2B7E0A", "fsid:0000abcd:00001234", "#" + 30 hex digits; "" when unknown.
  std::string text() const;

  bool operator==(const FileSystemId&) const = default;

 private:
  Bytes m_bytes{};
};

}  // namespace platform
