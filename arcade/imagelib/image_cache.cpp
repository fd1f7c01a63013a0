#include "arcade/imagelib/image_cache.h"

#include <fstream>
#include <new>

namespace arcade {

CImageCache::~CImageCache() {
  while (m_head != nullptr) {
    CIndexedImage* next = m_head->next;
    delete m_head;
    m_head = next;
  }
}

CIndexedImage* CImageCache::FindOrLoad(ImageLibrary& library, const std::string& fileName) {
  for (CIndexedImage* i = m_head; i != nullptr; i = i->next) {
    if (i->name == fileName) return i;
  }
  if (!std::ifstream(fileName, std::ios::binary)) return nullptr;
  auto* image = new (std::nothrow) CIndexedImage();
  if (image == nullptr) return nullptr;
  image->LoadFile(library, fileName);
  image->next = m_head;
  m_head = image;
  return image;
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
