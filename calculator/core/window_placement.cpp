#include "calculator/core/window_placement.h"

#include <algorithm>

namespace finova {
namespace {

// Moves `start` (one coordinate) so that [start, start + length) lies in
// [low, low + room); when it cannot, the window starts at `low`.
int keepInside(int start, int length, int low, int room) {
  if (length >= room) return low;
  return std::clamp(start, low, low + room - length);
}

ScreenPoint centredOn(const ScreenArea& screen, WindowSize size) {
  return {keepInside(screen.left + (screen.width - size.width) / 2, size.width, screen.left,
                     screen.width),
          keepInside(screen.top + (screen.height - size.height) / 2, size.height, screen.top,
                     screen.height)};
}

}  // namespace

ScreenPoint placeWindow(std::optional<ScreenPoint> stored, WindowSize size,
                        const std::vector<ScreenArea>& screens) {
  if (screens.empty()) return stored.value_or(ScreenPoint{});
  if (stored) {
    for (const ScreenArea& screen : screens) {
      if (!screen.contains(*stored)) continue;
      return {keepInside(stored->x, size.width, screen.left, screen.width),
              keepInside(stored->y, size.height, screen.top, screen.height)};
    }
  }
  return centredOn(screens.front(), size);
}

namespace {

bool overlaps(const WindowRect& a, ScreenPoint at, WindowSize size) {
  return at.x < a.left + a.width && a.left < at.x + size.width && at.y < a.top + a.height &&
         a.top < at.y + size.height;
}

bool coversAny(const std::vector<WindowRect>& taken, ScreenPoint at, WindowSize size) {
  return std::any_of(taken.begin(), taken.end(),
                     [&](const WindowRect& r) { return overlaps(r, at, size); });
}

// The first free spot in the column that starts at `first`: below the lowest
// taken window that shares the column, when the new window still fits on
// the screen there.
std::optional<ScreenPoint> freeInColumn(ScreenPoint first, WindowSize size,
                                        const ScreenArea* screen,
                                        const std::vector<WindowRect>& taken) {
  if (!coversAny(taken, first, size)) return first;
  int bottom = first.y;
  for (const WindowRect& r : taken) {
    if (overlaps(r, {first.x, r.top}, {size.width, 1})) bottom = std::max(bottom, r.top + r.height);
  }
  const ScreenPoint below{first.x, bottom};
  const bool fits = screen == nullptr || below.y + size.height <= screen->top + screen->height;
  if (fits && !coversAny(taken, below, size)) return below;
  return std::nullopt;
}

ScreenPoint besideAlone(WindowRect owner, WindowSize size, const ScreenArea* screen,
                        bool* onRight) {
  const int right = owner.left + owner.width;
  *onRight = true;
  if (screen == nullptr) return {right, owner.top};
  const int top = keepInside(owner.top, size.height, screen->top, screen->height);
  const int roomRight = screen->left + screen->width - right;
  const int roomLeft = owner.left - screen->left;
  if (roomRight >= size.width) return {right, top};
  *onRight = false;
  if (roomLeft >= size.width) return {owner.left - size.width, top};
  if (roomRight >= roomLeft) return {screen->left + screen->width - size.width, top};
  return {screen->left, top};
}

}  // namespace

ScreenPoint besideWindow(WindowRect owner, WindowSize size,
                         const std::vector<ScreenArea>& screens,
                         const std::vector<WindowRect>& taken) {
  const ScreenPoint corner{owner.left, owner.top};
  const ScreenArea* screen = screens.empty() ? nullptr : &screens.front();
  for (const ScreenArea& candidate : screens) {
    if (candidate.contains(corner)) screen = &candidate;
  }
  bool onRight = true;
  const ScreenPoint first = besideAlone(owner, size, screen, &onRight);
  if (auto spot = freeInColumn(first, size, screen, taken)) return *spot;
  // The other side, when the owner's screen has room there.
  if (screen != nullptr) {
    const int otherX = onRight ? owner.left - size.width : owner.left + owner.width;
    if (otherX >= screen->left && otherX + size.width <= screen->left + screen->width) {
      if (auto spot = freeInColumn({otherX, first.y}, size, screen, taken)) return *spot;
    }
  }
  ScreenPoint cascaded = first;
  for (std::size_t i = 0; i < taken.size() && coversAny(taken, cascaded, size); ++i) {
    cascaded = {cascaded.x + 32, cascaded.y + 32};
  }
  if (screen == nullptr) return cascaded;
  return {keepInside(cascaded.x, size.width, screen->left, screen->width),
          keepInside(cascaded.y, size.height, screen->top, screen->height)};
}

}  // namespace finova
