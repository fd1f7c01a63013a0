#pragma once
// One file or directory of a volume as it is stored in the volume data file:
// the 11-byte fixed part (level, name length, size, DOS date/time, attribute
// byte) followed by the name. EntryRecord is what a drive walk hands to the
// volume writer, in walk order: the files of a directory directly after the
// directory's own entry (the root has none; its files open the list), then
// each subdirectory's entry followed at once by its whole subtree.

#include <cstddef>
#include <cstdint>
#include <string>

namespace diskindex {

namespace entry_layout {
inline constexpr std::size_t kFixedSize = 11;
inline constexpr std::size_t kLevel = 0;
inline constexpr std::size_t kNameLength = 1;
inline constexpr std::size_t kSize = 2;
inline constexpr std::size_t kDosDateTime = 6;
inline constexpr std::size_t kAttributes = 10;
inline constexpr std::size_t kName = 11;
inline constexpr std::size_t kMaxNameBytes = 255;
}  // namespace entry_layout

namespace attributes {
inline constexpr std::uint8_t kReadOnly = 0x01;
inline constexpr std::uint8_t kHidden = 0x02;
inline constexpr std::uint8_t kSystem = 0x04;
inline constexpr std::uint8_t kDirectory = 0x10;
inline constexpr std::uint8_t kArchive = 0x20;
// On a directory: its contents could not be read when the volume was read
// (listed, but empty). The DOS "device" bit, never set on a stored entry
// before, so older readers see an ordinary empty directory.
inline constexpr std::uint8_t kUnreadable = 0x40;
// Set when the name is a long name (the file system had a separate 8.3
// alias); names without it are shown with all but the first letter lowered.
inline constexpr std::uint8_t kLongName = 0x80;
}  // namespace attributes

// Sizes of 4 GiB or more are stored as this value, never wrapped.
inline constexpr std::uint32_t kClampedFileSize = 0xFFFFFFFFu;

struct EntryRecord {
  // Number of backslashes in the entry's full path as read: X:\README.TXT
  // and the directory X:\TOOLS have level 1, X:\TOOLS\A.EXE level 2.
  std::uint8_t level = 1;
  std::string name;               // last path component, UTF-8, 1..255 bytes on disk
  std::uint64_t size = 0;         // bytes; clamped to kClampedFileSize when written
  std::uint32_t dosDateTime = 0;  // high word date, low word time
  std::uint8_t attributes = 0;

  bool isDirectory() const { return (attributes & attributes::kDirectory) != 0; }
  bool operator==(const EntryRecord&) const = default;
};

inline std::uint32_t clampedSize(std::uint64_t size) {
  return size >= kClampedFileSize ? kClampedFileSize : static_cast<std::uint32_t>(size);
}

}  // namespace diskindex
