#pragma once
// Where the calculator's windows open. A stored position (HORIZ/VERT,
// THORIZ/TVERT) is used only when its top-left corner lies on one of the
// screens, and then moved as little as needed for the whole window to lie on
// that screen; a window that has no stored position yet, or one left behind
// by a screen that is gone, opens centred on the primary screen. A window
// larger than its screen keeps the screen's top-left corner, so its title
// bar stays reachable. Rectangles are the screens' available areas (without
// panels); it knows nothing of windows or toolkits.

#include <optional>
#include <vector>

namespace finova {

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool contains(ScreenPoint p) const {
    return p.x >= left && p.x < left + width && p.y >= top && p.y < top + height;
  }
};

struct WindowSize {
  int width = 0;
  int height = 0;
};

// The top-left corner of a window of `size` (its frame included). `screens`
// lists the primary screen first; with no screens at all the stored
// position (or the origin) is returned as it is.
ScreenPoint placeWindow(std::optional<ScreenPoint> stored, WindowSize size,
                        const std::vector<ScreenArea>& screens);

// Where a window of `size` opens beside the main window `owner` (frames
// included) without covering it: to its right when the owner's screen has
// room there, else to its left, top edges level (moved down or up only to
// stay on the screen); when neither side has room, where it covers the least
// (against the screen's wider free side).
//
// `taken` lists the side windows already open: the new one never lands on
// top of one of them. It goes below the lowest one on the chosen side when
// that still fits on the screen, else on the other side, else it is moved
// 32 pixels down and right of the spot per window it would cover, so that
// each title bar stays visible. Example: Registers open at (800, 50) with
// height 300; Memory then opens at (800, 350).
struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
ScreenPoint besideWindow(WindowRect owner, WindowSize size,
                         const std::vector<ScreenArea>& screens,
                         const std::vector<WindowRect>& taken = {});

}  // namespace finova
