#include "arcade/imagelib/bitmap_format.h"

#include "platform/little_endian.h"

namespace arcade::bmp {

namespace le = platform::le;

std::optional<InfoHeader> readInfoHeader(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at > bytes.size() || bytes.size() - at < kInfoHeaderSize) return std::nullopt;
  InfoHeader h;
  h.width = le::readI32(bytes, at + kWidthOffset).value_or(0);
  h.height = le::readI32(bytes, at + kHeightOffset).value_or(0);
  h.bitCount = le::readU16(bytes, at + kBitCountOffset).value_or(0);
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

std::vector<std::uint8_t> headers(int width, int height, int bits, std::size_t tableBytes,
                                  std::size_t stride) {
  const std::size_t dataOffset = kFileHeaderSize + kInfoHeaderSize + tableBytes;
  const std::size_t imageBytes = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> out(dataOffset + imageBytes, 0);
  le::writeU16(out, kFileTypeOffset, kFileType);
  le::writeU32(out, kFileSizeOffset, static_cast<std::uint32_t>(out.size()));
  le::writeU32(out, kPixelOffsetOffset, static_cast<std::uint32_t>(dataOffset));
  const std::size_t info = kFileHeaderSize;
  le::writeU32(out, info + kInfoSizeOffset, kInfoHeaderSize);
  le::writeU32(out, info + kWidthOffset, static_cast<std::uint32_t>(width));
  le::writeU32(out, info + kHeightOffset, static_cast<std::uint32_t>(height));
  le::writeU16(out, info + kPlanesOffset, 1);
  le::writeU16(out, info + kBitCountOffset, static_cast<std::uint16_t>(bits));
  le::writeU32(out, info + kCompressionOffset, 0);
  le::writeU32(out, info + kImageSizeOffset, static_cast<std::uint32_t>(imageBytes));
  if (tableBytes != 0) {
    le::writeU32(out, info + kColoursUsedOffset, kPaletteSize);
    le::writeU32(out, info + kColoursImportantOffset, kPaletteSize);
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
