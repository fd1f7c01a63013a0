// A sprite: one picture of the game at a position, in client or world
// coordinates.
//
// Its rectangle always has the size of its current picture (from the image
// table); changing the picture keeps the top-left corner and marks the sprite
// dirty. Flags say whether it is to be drawn in the current paint, drawn
// masked and placed in world coordinates. The hero keeps its shield and
// double-gun counters here; every other sprite leaves them at 0. A sprite
// holds no pixels: the window turns the picture id into pixels.
#pragma once

#include <cstdint>

#include "arena/core/geometry.h"

namespace arena {

namespace sprite_flag {
inline constexpr uint32_t kDirty = 1;
inline constexpr uint32_t kMasked = 4;
inline constexpr uint32_t kWorld = 8;
}  // namespace sprite_flag

class CSprite {
 public:
  static constexpr int32_t kShieldTicks = 100;

  // A new sprite is placed at (x, y) with both counters cleared; it is dirty
  // whenever the picture exists.
  CSprite(int32_t imageId, uint32_t flags, int32_t x, int32_t y);

  // Takes another picture, keeping the top-left corner. Returns false (and
  // leaves the rectangle and the dirty mark alone) for an unknown picture.
  bool setImage(int32_t imageId);
  void placeAt(int32_t x, int32_t y);
  void moveBy(int32_t dx, int32_t dy) { placeAt(m_rect.left + dx, m_rect.top + dy); }

  const Rect& rect() const { return m_rect; }
  int32_t left() const { return m_rect.left; }
  int32_t top() const { return m_rect.top; }
  int32_t width() const { return m_rect.width(); }
  int32_t height() const { return m_rect.height(); }
  int32_t imageId() const { return m_imageId; }
  bool hasImage() const { return m_hasImage; }

  int32_t heading() const { return m_heading; }
  void setHeading(int32_t heading) { m_heading = heading; }

  uint32_t flags() const { return m_flags; }
  void markFlag(uint32_t flag) { m_flags |= flag; }
  void clearFlag(uint32_t flag) { m_flags &= ~flag; }
  bool testFlag(uint32_t flag) const { return (m_flags & flag) != 0; }
  bool isWorld() const { return testFlag(sprite_flag::kWorld); }

  // The rectangle in client coordinates (world sprites lose the scroll offset)
  // and in world coordinates (client sprites gain it).
  Rect clientRect(Point scroll) const;
  Rect worldRect(Point scroll) const;

  int32_t shield() const { return m_shield; }
  void setShield(int32_t value) { m_shield = value; }
  void startShield() { m_shield = 1; }
  bool shieldActive() const { return m_shield > 0; }
  int32_t doubleShots() const { return m_doubleShots; }
  void setDoubleShots(int32_t count) { m_doubleShots = count; }
  void countDownDoubleShots() {
    if (m_doubleShots != 0) --m_doubleShots;
  }
  void clearCounters() { m_shield = m_doubleShots = 0; }

 private:
  Rect m_rect;
  int32_t m_heading = 0;
  int32_t m_imageId = 0;
  uint32_t m_flags = 0;
  int32_t m_shield = 0;
  int32_t m_doubleShots = 0;
  bool m_hasImage = false;
};

}  // namespace arena
