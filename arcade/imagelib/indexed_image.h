// CIndexedImage: an 8-bit picture whose pixels are indices into the game
// palette, rows of `width` bytes without padding, row 0 at the bottom. It is
// every texture, the title backdrop and (extended by the renderer, which
// keeps 32-bit cells in the same block) the frame buffer.
//
// Loading converts colours to the game palette once: 8-bit bitmaps through
// their colour table (nearest entry by the sum of absolute differences, the
// lowest index winning ties), 24-bit files through the first colour lookup
// table. Failures follow the library's rules: a missing resource beeps and
// leaves the image empty; a file of an unknown kind shows "Image Library
// Error" and sets the library's error flag. Drawing hands the picture to an
// IImagePresenter; the image never touches a window itself.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "arcade/imagelib/game_palette.h"
#include "arcade/imagelib/messages.h"
#include "arcade/imagelib/presenter.h"
#include "arcade/imagelib/resources.h"

namespace arcade {

// What loading needs from the process: the palette, the program's resources,
// the message boxes, and the library's error flag.
struct ImageLibrary {
  const CGamePalette& palette;
  const IResources& resources;
  IMessageReporter& reporter;
  bool error = false;
};

// Replaces every pixel by the game-palette entry nearest to its source colour.
void remapToGamePalette(const CGamePalette& palette, const std::array<Rgb, kPaletteSize>& source,
                        std::span<std::uint8_t> pixels);

class CIndexedImage {
 public:
  CIndexedImage() = default;
  // A blank image of the given size, 1 byte per pixel, contents not cleared.
  CIndexedImage(int width, int height);
  virtual ~CIndexedImage() = default;
  CIndexedImage(const CIndexedImage&) = delete;
  CIndexedImage& operator=(const CIndexedImage&) = delete;

  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t size = 0;
  std::uint8_t* pixels = nullptr;
  std::uint8_t widthShift = 0;
  // The whole file name of an image loaded from a file (the cache finds
  // images by it, so it is never cut).
  std::string name;
  std::string note;  // second text, cleared on reset

  // Shows width - 1 columns and all rows at (x, y), 1:1.
  virtual void Draw(IImagePresenter& presenter, int x, int y) const;
  // Shows width - 1 columns stretched to w x h; 0 means twice the width or height.
  virtual void DrawStretched(IImagePresenter& presenter, int x, int y, int w, int h) const;
  virtual void Clear();
  virtual std::uint8_t* PixelAt(int x, int y) { return pixels + width * y + x; }
  // Replaces the pixel block; false (and an empty image) when the size is
  // negative, too large, or the memory cannot be had.
  virtual bool Allocate(int w, int h, int bytesPerPixel);
  virtual void ComputeShift();
  virtual bool LoadFile(ImageLibrary& library, const std::string& fileName);
  virtual void Reset();

  // Loads bitmap resource id; false (after the default beep) when it is
  // missing or not an 8-bit bitmap of the size its header claims.
  bool LoadResource(ImageLibrary& library, int id);
  // The file part of LoadFile, on bytes already read.
  bool DecodeFile(ImageLibrary& library, std::span<const std::uint8_t> bytes);

 protected:
  std::size_t StorageBytes() const { return m_storageBytes; }

 private:
  bool Decode8(ImageLibrary& library, std::span<const std::uint8_t> bytes, int w, int h);
  bool Decode24(ImageLibrary& library, std::span<const std::uint8_t> bytes, int w, int h);
  void FailFormat(ImageLibrary& library);
  DibTransfer Transfer() const;

  // 32-bit words so that the renderer may keep aligned cells in the block.
  std::unique_ptr<std::uint32_t[]> m_storage;
  std::size_t m_storageBytes = 0;
};

}  // namespace arcade
