#include "arcade/imagelib/image_cache.h"

#include <fstream>
#include <new>

namespace arcade {

CIndexedImage* CImageCache::FindOrLoad(ImageLibrary& library, const std::string& fileName) {
  for (const auto& image : m_images) {
    if (image->name == fileName) return image.get();
  }
  if (!std::ifstream(fileName, std::ios::binary)) return nullptr;
  std::unique_ptr<CIndexedImage> image(new (std::nothrow) CIndexedImage());
  if (!image) return nullptr;
  image->LoadFile(library, fileName);
  m_images.push_back(std::move(image));
  return m_images.back().get();
}

CIndexedImage* CTextureSlots::Texture(int number) {
  int slot = number > kResourceBase - 1 ? number - kResourceBase : number;
  if (slot < 0 || slot >= kSlots) slot = 0;
  auto& image = m_slots[slot];
  if (!image) {
    image = std::make_unique<CIndexedImage>();
    image->LoadResource(m_library, slot + kResourceBase);
  }
  return image->pixels != nullptr ? image.get() : nullptr;
}

}  // namespace arcade
