#include "arena/core/sprite_list.h"

#include <algorithm>

namespace arena {

CSprite* CSpriteList::first() {
  m_cursor = 0;
  return next();
}

CSprite* CSpriteList::next() {
  if (m_cursor >= m_items.size()) return nullptr;
  return m_items[m_cursor++];
}

bool CSpriteList::remove(CSprite* sprite) {
  auto it = std::find(m_items.begin(), m_items.end(), sprite);
  if (it == m_items.end()) return false;
  const auto index = static_cast<size_t>(it - m_items.begin());
  m_items.erase(it);
  if (m_cursor > index) --m_cursor;
  if (m_ownership == Ownership::Owning) delete sprite;
  return true;
}

void CSpriteList::removeAll() {
  if (m_ownership == Ownership::Owning) {
    for (CSprite* sprite : m_items) delete sprite;
  }
  m_items.clear();
  m_cursor = 0;
}

CSprite* CSpriteList::findOverlapping(const Rect& rect) const {
  for (CSprite* sprite : m_items) {
    if (sprite->rect().overlaps(rect)) return sprite;
  }
  return nullptr;
}

bool CSpriteList::contains(const CSprite* sprite) const {
  return std::find(m_items.begin(), m_items.end(), sprite) != m_items.end();
}

std::optional<size_t> CWallList::findOverlapping(const CSprite& sprite, Point scroll) const {
  return findOverlapping(sprite.worldRect(scroll));
}

std::optional<size_t> CWallList::findOverlapping(const Rect& worldRect) const {
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].overlaps(worldRect)) return i;
  }
  return std::nullopt;
}

bool CWallList::removeEqual(const Rect& rect) {
  auto it = std::find(m_items.begin(), m_items.end(), rect);
  if (it == m_items.end()) return false;
  m_kinds.erase(m_kinds.begin() + (it - m_items.begin()));
  m_items.erase(it);
  return true;
}

}  // namespace arena
