#include "arena/core/sprite_list.h"

#include <algorithm>

namespace {

auto holds(const arena::CSprite* sprite) {
  return [sprite](const std::unique_ptr<arena::CSprite>& owned) { return owned.get() == sprite; };
}

}  // namespace

namespace arena {

CSprite& CSpriteList::append(std::unique_ptr<CSprite> sprite) {
  m_items.push_back(std::move(sprite));
  return *m_items.back();
}

bool CSpriteList::remove(const CSprite* sprite) {
  const auto it = std::find_if(m_items.begin(), m_items.end(), holds(sprite));
  if (it == m_items.end()) return false;
  m_items.erase(it);
  return true;
}

CSprite* CSpriteList::findOverlapping(const Rect& rect) const {
  const auto it = std::find_if(m_items.begin(), m_items.end(),
                               [&](const auto& s) { return s->rect().overlaps(rect); });
  return it == m_items.end() ? nullptr : it->get();
}

bool CSpriteList::contains(const CSprite* sprite) const {
  return std::find_if(m_items.begin(), m_items.end(), holds(sprite)) != m_items.end();
}

bool CDrawList::remove(const CSprite* sprite) {
  const auto it = std::find(m_items.begin(), m_items.end(), sprite);
  if (it == m_items.end()) return false;
  m_items.erase(it);
  return true;
}

bool CDrawList::contains(const CSprite* sprite) const {
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
