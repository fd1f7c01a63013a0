// CImageCache: the process's images loaded from files. The cache owns each
// image (freed with the cache) and hands out plain pointers that stay valid
// as long as it lives. Its one operation finds an image by file name or
// loads it. A file that cannot be opened gives
// no image and no message; a file of an unknown kind still gives an image
// (without pixels) after the library's message, so it is not asked again.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "arcade/imagelib/indexed_image.h"

namespace arcade {

class CImageCache {
 public:
  CImageCache() = default;
  CImageCache(const CImageCache&) = delete;
  CImageCache& operator=(const CImageCache&) = delete;

  CIndexedImage* FindOrLoad(ImageLibrary& library, const std::string& fileName);
  std::size_t Count() const { return m_images.size(); }
  // The image loaded last; none while the cache is empty.
  CIndexedImage* Newest() const { return m_images.empty() ? nullptr : m_images.back().get(); }

 private:
  std::vector<std::unique_ptr<CIndexedImage>> m_images;  // in the order they were loaded
};

// Textures by resource number, as the renderer and the world objects ask
// for them; none when the resource is missing.
class ITextureSource {
 public:
  virtual ~ITextureSource() = default;
  virtual CIndexedImage* Texture(int number) = 0;
};

// The world's 256 texture slots: resource numbers above 999 name slot
// number - 1000, numbers outside 0..255 name slot 0, and an empty slot is
// filled by loading bitmap resource slot + 1000. A slot whose resource is
// missing stays empty and gives no texture.
class CTextureSlots : public ITextureSource {
 public:
  static constexpr int kSlots = 256;
  static constexpr int kResourceBase = 1000;

  explicit CTextureSlots(ImageLibrary& library) : m_library(library) {}
  CIndexedImage* Texture(int number) override;

 private:
  ImageLibrary& m_library;
  std::array<std::unique_ptr<CIndexedImage>, kSlots> m_slots;
};

}  // namespace arcade
