// Ordered lists of sprites and of wall rectangles.
//
// `CSpriteList` owns its sprites (the hero's shots, the power-ups lying in
// the garden): appending hands a sprite over, removing frees it. The draw
// list `CDrawList` only borrows: it keeps, in drawing order, sprites owned
// by someone else (the hero, the droids and the two owning lists), and never
// frees one. Both iterate as ranges of sprite pointers. The wall list keeps
// the rectangles that block movement, in world coordinates, in the order the
// garden laid them, each tagged as a run of wall cells or a power-up cell.
// None of the lists moves or draws anything.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "arena/core/geometry.h"
#include "arena/core/sprite.h"

namespace arena {

class CSpriteList {
  using Items = std::vector<std::unique_ptr<CSprite>>;

 public:
  // Walks the owned sprites as plain pointers (the list keeps ownership).
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = CSprite*;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = CSprite*;
    Iterator() = default;
    explicit Iterator(Items::const_iterator at) : m_at(at) {}
    CSprite* operator*() const { return m_at->get(); }
    Iterator& operator++() {
      ++m_at;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++m_at;
      return before;
    }
    friend bool operator==(const Iterator&, const Iterator&) = default;

   private:
    Items::const_iterator m_at;
  };

  CSpriteList() = default;
  CSpriteList(const CSpriteList&) = delete;
  CSpriteList& operator=(const CSpriteList&) = delete;

  // Takes the sprite over and answers it.
  CSprite& append(std::unique_ptr<CSprite> sprite);
  // Removes and frees the sprite; false if the list does not hold it.
  bool remove(const CSprite* sprite);
  void removeAll() { m_items.clear(); }
  // The first sprite whose rectangle, as stored, overlaps the given one.
  CSprite* findOverlapping(const Rect& rect) const;
  bool contains(const CSprite* sprite) const;

  size_t count() const { return m_items.size(); }
  bool isEmpty() const { return m_items.empty(); }
  CSprite* at(size_t index) const { return m_items[index].get(); }
  Iterator begin() const { return Iterator(m_items.begin()); }
  Iterator end() const { return Iterator(m_items.end()); }

 private:
  Items m_items;
};

class CDrawList {
 public:
  void append(CSprite* sprite) { m_items.push_back(sprite); }
  // Takes the sprite out of the drawing order; false if it was not in it.
  bool remove(const CSprite* sprite);
  void removeAll() { m_items.clear(); }
  bool contains(const CSprite* sprite) const;

  size_t count() const { return m_items.size(); }
  bool isEmpty() const { return m_items.empty(); }
  CSprite* at(size_t index) const { return m_items[index]; }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }

 private:
  std::vector<CSprite*> m_items;
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
