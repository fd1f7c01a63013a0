// Feeds arbitrary bytes to the bitmap file loader: it must fail cleanly or
// produce an image whose size matches its pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "arcade/imagelib/indexed_image.h"

namespace {

class SilentReporter : public arcade::IMessageReporter {
 public:
  void ShowMessage(arcade::MessageIcon, std::string_view, std::string_view) override {}
  void Beep() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const arcade::CGamePalette palette;
  static const arcade::MemoryResources resources;
  static SilentReporter reporter;
  arcade::ImageLibrary library{palette, resources, reporter};
  arcade::CIndexedImage image;
  const bool ok = image.DecodeFile(library, {data, size});
  if (ok) {
    volatile std::uint8_t sink = 0;
    for (std::int32_t i = 0; i < image.size; ++i) sink = sink ^ image.pixels[i];
    if (image.size != image.width * image.height) std::abort();
  }
  // The same bytes as a resource (no file header expected past "BM").
  arcade::MemoryResources one;
  one.Add(arcade::ResourceType::Bitmap, 1, std::vector<std::uint8_t>(data, data + size));
  arcade::ImageLibrary resLibrary{palette, one, reporter};
  arcade::CIndexedImage fromResource;
  fromResource.LoadResource(resLibrary, 1);
  return 0;
}
