// Saves a rendered 8-bit frame as a bitmap beside the test build (for a look
// at a failing case) and returns the golden checksum of its pixels. It does
// not compare: each test states its own expected checksum.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "arcade/imagelib/bitmap_format.h"
#include "arcade/imagelib/game_palette.h"
#include "arcade/imagelib/indexed_image.h"
#include "fakes.h"

namespace arcade::testing {

struct SavedFrame {
  std::uint64_t checksum = 0;
  std::filesystem::path path;
};

inline SavedFrame saveRenderedFrame(const CIndexedImage& image, std::string_view name) {
  const std::span<const std::uint8_t> picture(image.pixels, static_cast<std::size_t>(image.size));
  const auto bytes = bmp::encode8(image.width, image.height, picture, CGamePalette::TableEntries());
  SavedFrame frame{fnv1a(picture), renderedDirectory() / (std::string(name) + ".bmp")};
  std::ofstream(frame.path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return frame;
}

}  // namespace arcade::testing
