// What an image hands to the screen: an 8-bit bottom-up picture with the game
// palette as its colour table, a source rectangle and a destination
// rectangle. The window implements IImagePresenter (over a QImage wrapping
// the pixels); tests record the transfers. Nothing here converts or scales
// pixels: that is the presenter's plain copy or stretch.
#pragma once

#include <array>
#include <cstdint>

#include "arcade/imagelib/game_palette.h"

namespace arcade {

struct DibTransfer {
  // Device-independent bitmap header fields: width and height of the whole
  // picture, 8 bits, uncompressed, 256 colours used and important.
  int width = 0;
  int height = 0;
  const std::uint8_t* pixels = nullptr;  // rows of width bytes, row 0 at the bottom
  const std::array<Rgb, kPaletteSize>* colours = nullptr;
  // Source rectangle in picture pixels (x from the left, y from the bottom).
  int srcX = 0, srcY = 0, srcWidth = 0, srcHeight = 0;
  // Destination rectangle in device pixels (y from the top).
  int dstX = 0, dstY = 0, dstWidth = 0, dstHeight = 0;
};

class IImagePresenter {
 public:
  virtual ~IImagePresenter() = default;
  virtual void Present(const DibTransfer& transfer) = 0;
};

}  // namespace arcade
