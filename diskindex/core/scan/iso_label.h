#pragma once
// The volume descriptors of an ISO 9660 disc image, read directly because
// the archive library does not report them: the volume identifier (the
// label the disc shows when mounted) and the volume's size in bytes, used
// to tell a truncated image from a whole one. A Joliet supplementary
// descriptor's identifier is preferred, since it keeps case and umlauts.
// Everything is bounds-checked: short, foreign or damaged bytes give no
// answer, never a read outside the buffer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace diskindex::scan {

namespace iso_layout {
inline constexpr std::size_t kSectorSize = 2048;
inline constexpr std::size_t kFirstDescriptorOffset = 16 * kSectorSize;  // byte 32768
inline constexpr std::size_t kMaxDescriptors = 16;  // read no further than this
inline constexpr std::size_t kTypeOffset = 0;
inline constexpr std::size_t kMagicOffset = 1;    // "CD001"
inline constexpr std::size_t kEscapeOffset = 88;  // Joliet: "%/@", "%/C" or "%/E"
inline constexpr std::size_t kVolumeIdOffset = 40;
inline constexpr std::size_t kVolumeIdLength = 32;
inline constexpr std::size_t kVolumeBlocksOffset = 80;  // 32-bit little-endian half
inline constexpr std::size_t kBlockSizeOffset = 128;    // 16-bit little-endian half
inline constexpr std::uint8_t kPrimaryType = 1;
inline constexpr std::uint8_t kSupplementaryType = 2;
inline constexpr std::uint8_t kTerminatorType = 255;
// The bytes that hold all descriptors read.
inline constexpr std::size_t kDescriptorAreaEnd =
    kFirstDescriptorOffset + kMaxDescriptors * kSectorSize;
}  // namespace iso_layout

struct IsoVolumeInfo {
  std::string label;              // UTF-8, trailing blanks removed; may be empty
  std::uint64_t volumeBytes = 0;  // volume space size times logical block size
};

// image: the image's first bytes (at least up to the primary descriptor's
// end; more is used up to kDescriptorAreaEnd). Nothing when there is no
// primary volume descriptor.
std::optional<IsoVolumeInfo> readIsoVolumeInfo(std::span<const std::uint8_t> image);

}  // namespace diskindex::scan
