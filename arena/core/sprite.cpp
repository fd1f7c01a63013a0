#include "arena/core/sprite.h"

#include "arena/core/images.h"

namespace arena {

CSprite::CSprite(int32_t imageId, uint32_t flags, int32_t x, int32_t y) : m_flags(flags) {
  setImage(imageId);
  placeAt(x, y);
}

bool CSprite::setImage(int32_t imageId) {
  m_imageId = imageId;
  const auto size = imageSize(imageId);
  m_hasImage = size.has_value();
  if (!size) return false;
  m_rect.right = m_rect.left + size->cx;
  m_rect.bottom = m_rect.top + size->cy;
  markFlag(sprite_flag::kDirty);
  return true;
}

void CSprite::placeAt(int32_t x, int32_t y) {
  m_rect = Rect::fromSize(x, y, m_rect.width(), m_rect.height());
}

Rect CSprite::clientRect(Point scroll) const {
  return isWorld() ? m_rect.offset(-scroll.x, -scroll.y) : m_rect;
}

Rect CSprite::worldRect(Point scroll) const {
  return isWorld() ? m_rect : m_rect.offset(scroll.x, scroll.y);
}

}  // namespace arena
