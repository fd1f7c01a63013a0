#include "arcade/imagelib/bitmap_format.h"

namespace arcade::bmp {

std::uint16_t readU16(std::span<const std::uint8_t> b, std::size_t at) {
  if (at + 2 > b.size()) return 0;
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t readU32(std::span<const std::uint8_t> b, std::size_t at) {
  if (at + 4 > b.size()) return 0;
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::optional<InfoHeader> readInfoHeader(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at > bytes.size() || bytes.size() - at < kInfoHeaderSize) return std::nullopt;
  InfoHeader h;
  h.width = static_cast<std::int32_t>(readU32(bytes, at + kWidthOffset));
  h.height = static_cast<std::int32_t>(readU32(bytes, at + kHeightOffset));
  h.bitCount = readU16(bytes, at + kBitCountOffset);
  return h;
}

std::optional<std::array<Rgb, kPaletteSize>> readColourTable(std::span<const std::uint8_t> bytes,
                                                             std::size_t at) {
  if (at > bytes.size() || bytes.size() - at < kColourTableSize) return std::nullopt;
  std::array<Rgb, kPaletteSize> t{};
  for (int i = 0; i < kPaletteSize; ++i) {
    const std::size_t p = at + 4 * static_cast<std::size_t>(i);
    t[i] = Rgb{bytes[p + 2], bytes[p + 1], bytes[p]};
  }
  return t;
}

namespace {

void putU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void putU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  putU16(out, at, v & 0xFFFF);
  putU16(out, at + 2, v >> 16);
}

std::vector<std::uint8_t> headers(int width, int height, int bits, std::size_t tableBytes,
                                  std::size_t stride) {
  const std::size_t dataOffset = kFileHeaderSize + kInfoHeaderSize + tableBytes;
  const std::size_t imageBytes = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> out(dataOffset + imageBytes, 0);
  putU16(out, kFileTypeOffset, kFileType);
  putU32(out, kFileSizeOffset, static_cast<std::uint32_t>(out.size()));
  putU32(out, kPixelOffsetOffset, static_cast<std::uint32_t>(dataOffset));
  const std::size_t info = kFileHeaderSize;
  putU32(out, info + kInfoSizeOffset, kInfoHeaderSize);
  putU32(out, info + kWidthOffset, static_cast<std::uint32_t>(width));
  putU32(out, info + kHeightOffset, static_cast<std::uint32_t>(height));
  putU16(out, info + kPlanesOffset, 1);
  putU16(out, info + kBitCountOffset, static_cast<std::uint32_t>(bits));
  putU32(out, info + kCompressionOffset, 0);
  putU32(out, info + kImageSizeOffset, static_cast<std::uint32_t>(imageBytes));
  if (tableBytes != 0) {
    putU32(out, info + kColoursUsedOffset, kPaletteSize);
    putU32(out, info + kColoursImportantOffset, kPaletteSize);
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> encode8(int width, int height, std::span<const std::uint8_t> pixels,
                                  const std::array<Rgb, kPaletteSize>& colours) {
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t stride = (w + 3) & ~std::size_t{3};
  auto out = headers(width, height, 8, kColourTableSize, stride);
  std::size_t p = kFileHeaderSize + kInfoHeaderSize;
  for (const Rgb& c : colours) {
    out[p++] = c.b;
    out[p++] = c.g;
    out[p++] = c.r;
    out[p++] = 0;
  }
  for (int y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < w; ++x) out[p + x] = pixels[static_cast<std::size_t>(y) * w + x];
    p += stride;
  }
  return out;
}

std::vector<std::uint8_t> encode24(int width, int height, std::span<const std::uint8_t> bgr) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  const std::size_t stride = (rowBytes + 3) & ~std::size_t{3};
  auto out = headers(width, height, 24, 0, stride);
  std::size_t p = kFileHeaderSize + kInfoHeaderSize;
  for (int y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < rowBytes; ++x) out[p + x] = bgr[y * rowBytes + x];
    p += stride;
  }
  return out;
}

}  // namespace arcade::bmp
