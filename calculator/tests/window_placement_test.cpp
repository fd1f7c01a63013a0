#include "calculator/core/window_placement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace finova {

std::ostream& operator<<(std::ostream& out, const ScreenPoint& p) {
  return out << "(" << p.x << ", " << p.y << ")";
}

namespace {

// A 1280 x 1024 screen with a 32-pixel panel at the top, and a second one
// to its right, 1920 x 1080, a little lower.
const ScreenArea kPrimary{0, 32, 1280, 992};
const ScreenArea kRight{1280, 100, 1920, 1080};
constexpr WindowSize kCalculator{680, 540};

TEST(WindowPlacementTest, WithoutAStoredPositionTheWindowOpensCentredOnThePrimaryScreen) {
  EXPECT_EQ(placeWindow(std::nullopt, kCalculator, {kPrimary}), (ScreenPoint{300, 258}));
  EXPECT_EQ(placeWindow(std::nullopt, kCalculator, {kRight, kPrimary}),
            (ScreenPoint{1280 + 620, 100 + 270}))
      << "the first screen listed is the primary one";
}

TEST(WindowPlacementTest, AStoredPositionOnAScreenIsKept) {
  EXPECT_EQ(placeWindow(ScreenPoint{500, 300}, kCalculator, {kPrimary}), (ScreenPoint{500, 300}));
  EXPECT_EQ(placeWindow(ScreenPoint{0, 32}, kCalculator, {kPrimary}), (ScreenPoint{0, 32}));
  EXPECT_EQ(placeWindow(ScreenPoint{1500, 200}, kCalculator, {kPrimary, kRight}),
            (ScreenPoint{1500, 200}))
      << "on the second screen";
}

TEST(WindowPlacementTest, AStoredPositionMovesJustEnoughToShowTheWholeWindow) {
  // At 640, 480 the right edge would be cut off.
  EXPECT_EQ(placeWindow(ScreenPoint{640, 480}, kCalculator, {kPrimary}), (ScreenPoint{600, 480}));
  EXPECT_EQ(placeWindow(ScreenPoint{500, 600}, kCalculator, {kPrimary}), (ScreenPoint{500, 484}));
  // Into the panel at the top: down below it.
  EXPECT_EQ(placeWindow(ScreenPoint{100, 40}, kCalculator, {kPrimary}), (ScreenPoint{100, 40}));
  EXPECT_EQ(placeWindow(ScreenPoint{1279, 1023}, kCalculator, {kPrimary}), (ScreenPoint{600, 484}));
  // Kept on the screen it was on, not moved to the primary one.
  EXPECT_EQ(placeWindow(ScreenPoint{3000, 1100}, kCalculator, {kPrimary, kRight}),
            (ScreenPoint{3200 - 680, 1180 - 540}));
}

TEST(WindowPlacementTest, APositionOffEveryScreenIsNotRestored) {
  EXPECT_EQ(placeWindow(ScreenPoint{-700, 200}, kCalculator, {kPrimary}), (ScreenPoint{300, 258}));
  EXPECT_EQ(placeWindow(ScreenPoint{2000, 300}, kCalculator, {kPrimary}), (ScreenPoint{300, 258}))
      << "the screen on the right is gone";
  EXPECT_EQ(placeWindow(ScreenPoint{100, 10}, kCalculator, {kPrimary}), (ScreenPoint{300, 258}))
      << "on the panel, outside the available area";
  EXPECT_EQ(placeWindow(ScreenPoint{1280, 50}, kCalculator, {kPrimary}), (ScreenPoint{300, 258}))
      << "the right edge is outside";
}

TEST(WindowPlacementTest, AWindowLargerThanItsScreenKeepsTheScreensTopLeftCorner) {
  const WindowSize doubled{1360, 1080};
  EXPECT_EQ(placeWindow(std::nullopt, doubled, {kPrimary}), (ScreenPoint{0, 32}));
  EXPECT_EQ(placeWindow(ScreenPoint{200, 300}, doubled, {kPrimary}), (ScreenPoint{0, 32}));
  // Only the direction that does not fit goes to the corner.
  EXPECT_EQ(placeWindow(ScreenPoint{200, 300}, WindowSize{400, 2000}, {kPrimary}),
            (ScreenPoint{200, 32}));
}

TEST(WindowPlacementTest, WithoutScreensTheStoredPositionStands) {
  EXPECT_EQ(placeWindow(ScreenPoint{640, 480}, kCalculator, {}), (ScreenPoint{640, 480}));
  EXPECT_EQ(placeWindow(std::nullopt, kCalculator, {}), (ScreenPoint{0, 0}));
}

TEST(WindowPlacementTest, SideWindowsOpenBesideTheMainWindowWithoutCoveringIt) {
  const std::vector<ScreenArea> wide{{0, 0, 1280, 800}};
  const WindowRect main{100, 50, 700, 500};
  // Room on the right: there, top edges level.
  EXPECT_EQ(besideWindow(main, {300, 400}, wide), (ScreenPoint{800, 50}));
  // No room on the right: on the left.
  const WindowRect right{500, 50, 700, 500};
  EXPECT_EQ(besideWindow(right, {300, 400}, wide), (ScreenPoint{200, 50}));
  // A tall window moves up just enough to stay on the screen.
  EXPECT_EQ(besideWindow({100, 600, 700, 150}, {300, 400}, wide), (ScreenPoint{800, 400}));
  // No room on either side: against the edge with more room, on the screen.
  const std::vector<ScreenArea> small{{0, 0, 800, 600}};
  const ScreenPoint squeezed = besideWindow({20, 0, 700, 500}, {300, 200}, small);
  EXPECT_EQ(squeezed, (ScreenPoint{500, 0}));
  // The screen of the main window is used, not the primary one.
  const std::vector<ScreenArea> two{{0, 0, 1280, 800}, {1280, 0, 1280, 800}};
  EXPECT_EQ(besideWindow({1400, 10, 700, 500}, {300, 400}, two), (ScreenPoint{2100, 10}));
}

TEST(WindowPlacementTest, SideWindowsNeverOpenOnTopOfOneAnother) {
  const std::vector<ScreenArea> wide{{0, 0, 1280, 800}};
  const WindowRect main{100, 50, 700, 500};
  // The second goes below the first in the same column.
  const std::vector<WindowRect> registers{{800, 50, 300, 300}};
  EXPECT_EQ(besideWindow(main, {300, 300}, wide, registers), (ScreenPoint{800, 350}));
  // The column is full: the other side of the main window, when it has room.
  const WindowRect middle{350, 50, 500, 500};
  const std::vector<WindowRect> column{{850, 0, 300, 400}, {850, 400, 300, 400}};
  EXPECT_EQ(besideWindow(middle, {300, 400}, wide, column), (ScreenPoint{50, 50}));
  // Neither side has room: moved down and right per window it would cover,
  // and still on the screen.
  const std::vector<ScreenArea> small{{0, 0, 800, 600}};
  const std::vector<WindowRect> first{{500, 0, 300, 200}};
  const ScreenPoint cascaded = besideWindow({20, 0, 700, 500}, {300, 200}, small, first);
  EXPECT_EQ(cascaded, (ScreenPoint{500, 200})) << "below the first when it fits";
  const std::vector<WindowRect> full{{500, 0, 300, 600}};
  const ScreenPoint over = besideWindow({20, 0, 700, 500}, {300, 400}, small, full);
  EXPECT_EQ(over.y, 32) << "its title bar below the other's";
  EXPECT_GE(over.x, 0);
  EXPECT_LE(over.x + 300, 800);
  // A window that is not beside the owner does not move the new one.
  const std::vector<WindowRect> elsewhere{{0, 700, 50, 50}};
  EXPECT_EQ(besideWindow(main, {300, 400}, wide, elsewhere), (ScreenPoint{800, 50}));
}

}  // namespace
}  // namespace finova
