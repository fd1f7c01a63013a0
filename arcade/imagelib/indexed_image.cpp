#include "arcade/imagelib/indexed_image.h"

#include <bit>
#include <cstring>
#include <new>

#include "arcade/imagelib/bitmap_format.h"
#include "platform/little_endian.h"

namespace arcade {

namespace {
constexpr std::uintmax_t kMaxFileBytes = 256u << 20;
}

void remapToGamePalette(const CGamePalette& palette, const std::array<Rgb, kPaletteSize>& source,
                        std::span<std::uint8_t> pixels) {
  std::array<std::uint8_t, kPaletteSize> map{};
  for (int i = 0; i < kPaletteSize; ++i) map[i] = palette.NearestByAbsoluteDistance(source[i]);
  for (std::uint8_t& p : pixels) p = map[p];
}

CIndexedImage::CIndexedImage(int w, int h) {
  Allocate(w, h, 1);
}

DibTransfer CIndexedImage::Transfer() const {
  DibTransfer t;
  t.width = width;
  t.height = height;
  t.pixels = pixels;
  t.colours = &CGamePalette::TableEntries();
  t.srcWidth = width > 0 ? width - 1 : 0;
  t.srcHeight = height;
  return t;
}

void CIndexedImage::Draw(IImagePresenter& presenter, int x, int y) const {
  DibTransfer t = Transfer();
  t.dstX = x;
  t.dstY = y;
  t.dstWidth = t.srcWidth;
  t.dstHeight = t.srcHeight;
  presenter.Present(t);
}

void CIndexedImage::DrawStretched(IImagePresenter& presenter, int x, int y, int w, int h) const {
  DibTransfer t = Transfer();
  t.dstX = x;
  t.dstY = y;
  t.dstWidth = w == 0 ? 2 * width : w;
  t.dstHeight = h == 0 ? 2 * height : h;
  presenter.Present(t);
}

void CIndexedImage::Clear() {
  if (pixels != nullptr) std::memset(pixels, 0, static_cast<std::size_t>(size));
}

bool CIndexedImage::Allocate(int w, int h, int bytesPerPixel) {
  m_storage.reset();
  m_storageBytes = 0;
  pixels = nullptr;
  width = height = size = 0;
  const std::int64_t count = std::int64_t{w} * h;
  if (w < 0 || h < 0 || bytesPerPixel <= 0 || count > bmp::kMaxPixels) return false;
  const auto bytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(bytesPerPixel);
  if (bytes == 0) return true;
  m_storage.reset(new (std::nothrow) std::uint32_t[(bytes + 3) / 4 + 1]);
  if (!m_storage) return false;
  m_storageBytes = bytes;
  pixels = reinterpret_cast<std::uint8_t*>(m_storage.get());
  width = w;
  height = h;
  size = static_cast<std::int32_t>(count);
  return true;
}

void CIndexedImage::ComputeShift() {
  const auto w = static_cast<std::uint32_t>(width);
  widthShift =
      (width > 0 && std::has_single_bit(w)) ? static_cast<std::uint8_t>(std::countr_zero(w)) : 0;
}

void CIndexedImage::Reset() {
  m_storage.reset();
  m_storageBytes = 0;
  pixels = nullptr;
  width = height = size = 0;
  widthShift = 0;
  name.clear();
  note.clear();
}

bool CIndexedImage::LoadResource(ImageLibrary& library, int id) {
  Reset();
  std::vector<std::uint8_t> data;
  bool ok = library.resources.Load(ResourceType::Bitmap, id, data) &&
            data.size() >= bmp::kFileHeaderSize &&
            platform::le::readU16(data, bmp::kFileTypeOffset) == bmp::kFileType;
  // Resources are stored as bitmap files; the program's own layout starts at
  // the information header.
  const std::span<const std::uint8_t> res =
      ok ? std::span<const std::uint8_t>(data).subspan(bmp::kFileHeaderSize)
         : std::span<const std::uint8_t>();
  const auto info = bmp::readInfoHeader(res, 0);
  const auto table = bmp::readColourTable(res, bmp::kInfoHeaderSize);
  ok = ok && info && table && info->bitCount == 8 && info->width > 0 && info->height > 0 &&
       std::int64_t{info->width} * info->height <=
           static_cast<std::int64_t>(res.size() - bmp::kResourcePixelOffset) &&
       Allocate(info->width, info->height, 1);
  if (!ok) {
    library.reporter.Beep();
    return false;
  }
  std::memcpy(pixels, res.data() + bmp::kResourcePixelOffset, static_cast<std::size_t>(size));
  remapToGamePalette(library.palette, *table, {pixels, static_cast<std::size_t>(size)});
  ComputeShift();
  return true;
}

bool CIndexedImage::LoadFile(ImageLibrary& library, const std::string& fileName) {
  Allocate(0, 0, 1);
  library.error = false;
  name = fileName;
  std::vector<std::uint8_t> data;
  if (!readWholeFile(fileName, data, kMaxFileBytes)) {
    library.error = true;
    return false;
  }
  return DecodeFile(library, data);
}

void CIndexedImage::FailFormat(ImageLibrary& library) {
  Allocate(0, 0, 1);
  library.reporter.ShowMessage(MessageIcon::Stop, kImageLibraryErrorCaption, kFormatNotRecognised);
  library.error = true;
}

bool CIndexedImage::DecodeFile(ImageLibrary& library, std::span<const std::uint8_t> bytes) {
  if (platform::le::readU16(bytes, bmp::kFileTypeOffset) != bmp::kFileType ||
      bytes.size() < bmp::kFileHeaderSize) {
    library.error = true;  // not a bitmap at all: fails quietly
    return false;
  }
  const auto info = bmp::readInfoHeader(bytes, bmp::kFileHeaderSize);
  const bool sized = info && info->width > 0 && info->height > 0 &&
                     std::int64_t{info->width} * info->height <= bmp::kMaxPixels;
  if (sized && info->bitCount == 8) return Decode8(library, bytes, info->width, info->height);
  if (sized && info->bitCount == 24) return Decode24(library, bytes, info->width, info->height);
  FailFormat(library);
  return false;
}

bool CIndexedImage::Decode8(ImageLibrary& library, std::span<const std::uint8_t> bytes, int w,
                            int h) {
  const std::size_t tableAt = bmp::kFileHeaderSize + bmp::kInfoHeaderSize;
  const std::size_t pixelsAt = tableAt + bmp::kColourTableSize;
  const auto table = bmp::readColourTable(bytes, tableAt);
  const auto count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  // A file shorter than its header claims is damaged: reported like an
  // unknown kind rather than read past its end.
  if (!table || bytes.size() < pixelsAt || bytes.size() - pixelsAt < count || !Allocate(w, h, 1)) {
    FailFormat(library);
    return false;
  }
  std::memcpy(pixels, bytes.data() + pixelsAt, count);
  remapToGamePalette(library.palette, *table, {pixels, count});
  ComputeShift();
  return true;
}

bool CIndexedImage::Decode24(ImageLibrary& library, std::span<const std::uint8_t> bytes, int w,
                             int h) {
  const std::size_t pixelsAt = bmp::kFileHeaderSize + bmp::kInfoHeaderSize;
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
  if (bytes.size() < pixelsAt ||
      (bytes.size() - pixelsAt) / rowBytes < static_cast<std::size_t>(h) || !Allocate(w, h, 1)) {
    FailFormat(library);
    return false;
  }
  for (int y = 0; y < h; ++y) {
    library.palette.ConvertBgr(bytes.subspan(pixelsAt + rowBytes * y, rowBytes),
                               {PixelAt(0, y), static_cast<std::size_t>(w)});
  }
  ComputeShift();
  return true;
}

}  // namespace arcade
