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

ScreenPoint besideWindow(WindowRect owner, WindowSize size,
                         const std::vector<ScreenArea>& screens) {
  const ScreenPoint corner{owner.left, owner.top};
  const ScreenArea* screen = screens.empty() ? nullptr : &screens.front();
  for (const ScreenArea& candidate : screens) {
    if (candidate.contains(corner)) screen = &candidate;
  }
  const int right = owner.left + owner.width;
  if (screen == nullptr) return {right, owner.top};
  const int top = keepInside(owner.top, size.height, screen->top, screen->height);
  const int roomRight = screen->left + screen->width - right;
  const int roomLeft = owner.left - screen->left;
  if (roomRight >= size.width) return {right, top};
  if (roomLeft >= size.width) return {owner.left - size.width, top};
  if (roomRight >= roomLeft) return {screen->left + screen->width - size.width, top};
  return {screen->left, top};
}

}  // namespace finova
