// The bitmap file layout the image library reads and the artwork tool and
// tests write: a 14-byte file header ("BM"), a 40-byte information header,
// for 8 bits per pixel a 1024-byte colour table (blue, green, red, unused),
// then bottom-up rows. All fields little-endian, read and written through
// platform/little_endian.h, so every access is bounds-checked against the
// bytes at hand. Decoding does not remap colours (see
// CIndexedImage); writing pads rows to four bytes as the format requires.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "arcade/imagelib/game_palette.h"

namespace arcade::bmp {

inline constexpr std::uint16_t kFileType = 19778;  // "BM" as a little-endian 16-bit value
inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::size_t kFileTypeOffset = 0;
inline constexpr std::size_t kFileSizeOffset = 2;
inline constexpr std::size_t kPixelOffsetOffset = 10;

inline constexpr std::size_t kInfoHeaderSize = 40;
inline constexpr std::size_t kInfoSizeOffset = 0;
inline constexpr std::size_t kWidthOffset = 4;
inline constexpr std::size_t kHeightOffset = 8;
inline constexpr std::size_t kPlanesOffset = 12;
inline constexpr std::size_t kBitCountOffset = 14;
inline constexpr std::size_t kCompressionOffset = 16;
inline constexpr std::size_t kImageSizeOffset = 20;
inline constexpr std::size_t kColoursUsedOffset = 32;
inline constexpr std::size_t kColoursImportantOffset = 36;

inline constexpr std::size_t kColourTableSize = 1024;
// Pixels of an 8-bit resource start after the information header and a full
// colour table.
inline constexpr std::size_t kResourcePixelOffset = kInfoHeaderSize + kColourTableSize;

// Largest picture accepted (pixels); larger headers are treated as damaged.
inline constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

struct InfoHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitCount = 0;
};

std::optional<InfoHeader> readInfoHeader(std::span<const std::uint8_t> bytes, std::size_t at);
// The colour table at `at`, as RGB entries.
std::optional<std::array<Rgb, kPaletteSize>> readColourTable(std::span<const std::uint8_t> bytes,
                                                             std::size_t at);

// An 8-bit bitmap file with the given colour table; pixels are bottom-up rows
// of width bytes.
std::vector<std::uint8_t> encode8(int width, int height, std::span<const std::uint8_t> pixels,
                                  const std::array<Rgb, kPaletteSize>& colours);
// A 24-bit bitmap file; bgr holds bottom-up rows of width blue-green-red triplets.
std::vector<std::uint8_t> encode24(int width, int height, std::span<const std::uint8_t> bgr);

}  // namespace arcade::bmp
