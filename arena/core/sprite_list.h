// Ordered lists of sprites and of wall rectangles.
//
// A sprite list keeps sprite pointers in order (the drawing order for the
// game's draw list). An owning list frees a sprite when it is removed from it
// or when the list is cleared or destroyed; a borrowing list never frees. The
// wall list keeps the rectangles that block movement, in world coordinates,
// in the order the garden laid them, each tagged as a run of wall cells or a
// power-up cell. Neither list moves or draws anything.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "arena/core/geometry.h"
#include "arena/core/sprite.h"

namespace arena {

enum class Ownership { Owning, Borrowing };

class CSpriteList {
 public:
  explicit CSpriteList(Ownership ownership) : m_ownership(ownership) {}
  ~CSpriteList() { removeAll(); }
  CSpriteList(const CSpriteList&) = delete;
  CSpriteList& operator=(const CSpriteList&) = delete;

  // The cursor: first() restarts it, next() continues; nullptr at the end.
  CSprite* first();
  CSprite* next();

  void append(CSprite* sprite) { m_items.push_back(sprite); }
  // Removes the sprite (freeing it when the list owns it); false if absent.
  bool remove(CSprite* sprite);
  void removeAll();
  // The first sprite whose rectangle, as stored, overlaps the given one.
  CSprite* findOverlapping(const Rect& rect) const;
  bool contains(const CSprite* sprite) const;

  size_t count() const { return m_items.size(); }
  bool isEmpty() const { return m_items.empty(); }
  CSprite* at(size_t index) const { return m_items[index]; }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }

 private:
  Ownership m_ownership;
  std::vector<CSprite*> m_items;
  size_t m_cursor = 0;
};

// A wall entry is a run of wall cells or a cell holding a power-up.
enum class WallKind { Run, PowerUpCell };

class CWallList {
 public:
  void append(const Rect& rect, WallKind kind = WallKind::Run) {
    m_items.push_back(rect);
    m_kinds.push_back(kind);
  }
  void removeAll() {
    m_items.clear();
    m_kinds.clear();
  }
  // Index of the first entry overlapping the sprite's world rectangle.
  std::optional<size_t> findOverlapping(const CSprite& sprite, Point scroll) const;
  std::optional<size_t> findOverlapping(const Rect& worldRect) const;
  // Removes the first entry equal to the rectangle; false if there is none.
  bool removeEqual(const Rect& rect);

  size_t count() const { return m_items.size(); }
  const Rect& at(size_t index) const { return m_items[index]; }
  WallKind kindAt(size_t index) const { return m_kinds[index]; }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }

 private:
  std::vector<Rect> m_items;
  std::vector<WallKind> m_kinds;
};

}  // namespace arena
