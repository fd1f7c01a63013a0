// Integer points, sizes and rectangles of the arena game.
//
// A rectangle is (left, top, right, bottom) with right and bottom exclusive,
// the convention of the game's sprites and wall cells. Two rectangles overlap
// when their intersection has a positive area; touching edges do not overlap.
// The union of an empty rectangle with another is the other one. Nothing here
// knows about worlds, clients or scrolling.
#pragma once

#include <algorithm>
#include <cstdint>

namespace arena {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  static Rect fromSize(int32_t x, int32_t y, int32_t width, int32_t height) {
    return {x, y, x + width, y + height};
  }
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  Rect offset(int32_t dx, int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  Rect inflated(int32_t d) const { return {left - d, top - d, right + d, bottom + d}; }
  bool overlaps(const Rect& o) const {
    return !isEmpty() && !o.isEmpty() && std::max(left, o.left) < std::min(right, o.right) &&
           std::max(top, o.top) < std::min(bottom, o.bottom);
  }
  // True when every point of `o` lies inside this rectangle.
  bool contains(const Rect& o) const {
    return left <= o.left && top <= o.top && o.right <= right && o.bottom <= bottom;
  }
  // The common part, or an empty rectangle when there is none.
  Rect intersected(const Rect& o) const {
    if (!overlaps(o)) return {};
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  Rect united(const Rect& o) const {
    if (o.isEmpty()) return *this;
    if (isEmpty()) return o;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace arena
