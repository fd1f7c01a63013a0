// The arena canvas: the garden's scroll offset, the record of the wall tiles
// painted into the garden picture, and the render mark pass.
//
// A canvas is built anew at every garden start for the current client size;
// building it builds the garden. The window keeps the pixels (the garden
// picture of 1900 x 1900 and a back buffer of the client size) and paints
// them from what this class records: the tiles in painting order, and for each
// paint the grown dirty rectangle and the sprites to draw, in drawing order.
#pragma once

#include <cstdint>
#include <vector>

#include "arena/core/geometry.h"

namespace arena {

struct GameState;
class CDrawList;

struct TilePaint {
  int32_t imageId;
  int32_t x;
  int32_t y;
  friend bool operator==(const TilePaint&, const TilePaint&) = default;
};

struct SpriteDraw {
  int32_t imageId;
  Rect clientRect;
  friend bool operator==(const SpriteDraw&, const SpriteDraw&) = default;
};

// What one paint copies: the area (client coordinates) and the sprites drawn
// into it, bottom first.
struct RenderPass {
  Rect area;
  std::vector<SpriteDraw> sprites;
};

class CArenaCanvas {
 public:
  // Starts at scroll (0, 0) and builds the garden numbered state.garden.
  explicit CArenaCanvas(GameState& state);

  Point scroll() const { return {m_scrollX, m_scrollY}; }
  void setScroll(Point scroll) {
    m_scrollX = scroll.x;
    m_scrollY = scroll.y;
  }
  Size backBufferSize() const { return m_backBuffer; }
  static Size worldSize();
  // Where the background picture is copied, whole, to cover the garden
  // picture before any tile is painted: rows 642 apart, columns 478 apart.
  static std::vector<Point> backgroundPlacements();

  void paintTile(int32_t imageId, int32_t x, int32_t y) { m_tiles.push_back({imageId, x, y}); }
  const std::vector<TilePaint>& tiles() const { return m_tiles; }

  // The mark pass and draw list of one paint of the area: one walk of the
  // sprites grows the area by every sprite overlapping it (a sprite earlier in
  // the list is not tested again against the grown area) and marks those
  // sprites dirty, clearing the mark of the others; the dirty ones are then
  // listed for drawing and their marks cleared.
  RenderPass render(Rect area, CDrawList& sprites) const;

 private:
  int32_t m_scrollX = 0;
  int32_t m_scrollY = 0;
  Size m_backBuffer;
  std::vector<TilePaint> m_tiles;
};

}  // namespace arena
