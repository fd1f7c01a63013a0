#include "arena/core/garden_builder.h"

#include <algorithm>
#include <array>
#include <optional>

#include "arena/core/arena_canvas.h"
#include "arena/core/game_state.h"
#include "arena/core/images.h"

namespace arena {
namespace {

constexpr int32_t kFirstRandomGarden = 8;
constexpr int32_t kMaxDroids = 50;
constexpr int32_t kLineFirst = 300;
constexpr int32_t kLineLast = 1500;
constexpr int32_t kLineSpacing = 300;
constexpr int32_t kBorderFar = kWorldSize - kCellSize;  // 1800

enum class Axis { Horizontal, Vertical };

class GardenBuilder {
 public:
  GardenBuilder(GameState& state, CArenaCanvas& canvas)
      : m_state(state), m_canvas(canvas), m_tile(gardenTile(state.garden)) {}

  void paintCell(int32_t x, int32_t y) {
    const int32_t tile = m_tile != 0 ? m_tile : randomTile(m_state.random.draw());
    m_canvas.paintTile(tile, x, y);
  }

  void paintBorder() {
    for (int32_t x = 0; x <= kBorderFar; x += kCellSize) paintCell(x, 0);
    for (int32_t x = 0; x <= kBorderFar; x += kCellSize) paintCell(x, kBorderFar);
    for (int32_t y = kCellSize; y < kBorderFar; y += kCellSize) paintCell(0, y);
    for (int32_t y = kCellSize; y < kBorderFar; y += kCellSize) paintCell(kBorderFar, y);
  }

  // One line: odd draws lay wall cells that join into runs; an even draw
  // closes the open run or, with no run open, may put a power-up in the cell;
  // either way the next cell along the line stays open.
  void layLine(Axis axis, int32_t line) {
    std::optional<Rect> run;
    int32_t p = kLineFirst;
    while (p <= kLineLast) {
      const int32_t r = m_state.random.draw();
      const int32_t x = axis == Axis::Horizontal ? p : line;
      const int32_t y = axis == Axis::Horizontal ? line : p;
      if ((r & 1) != 0) {
        paintCell(x, y);
        if (run) {
          (axis == Axis::Horizontal ? run->right : run->bottom) += kCellSize;
        } else {
          run = Rect::fromSize(x, y, kCellSize, kCellSize);
        }
        p += kCellSize;
        continue;
      }
      if (run) {
        m_state.walls.append(*run);
        run.reset();
      } else {
        placePowerUp(r & 15, x, y);
      }
      p += 2 * kCellSize;
    }
    if (run) m_state.walls.append(*run);
  }

 private:
  void placePowerUp(int32_t code, int32_t x, int32_t y) {
    int32_t imageId = 0;
    if (code == 2) imageId = image::kWaveOfLife;
    if (code == 4) imageId = image::kDoubleWhiteLightning;
    if (code == 8) imageId = image::kWildFire;
    if (imageId == 0) return;
    CSprite& powerUp = m_state.treasures.append(
        std::make_unique<CSprite>(imageId, sprite_flag::kMasked | sprite_flag::kWorld, x, y));
    m_state.sprites.append(&powerUp);
    m_state.walls.append(Rect::fromSize(x, y, kCellSize, kCellSize), WallKind::PowerUpCell);
  }

  GameState& m_state;
  CArenaCanvas& m_canvas;
  int32_t m_tile;
};

void removeSprites(GameState& state, CSpriteList& list) {
  for (CSprite* sprite : list) state.sprites.remove(sprite);
  list.removeAll();
}

}  // namespace

int32_t gardenTile(int32_t garden) {
  static constexpr std::array<int32_t, 6> kTiles = {210, 211, 213, 214, 216, 217};
  if (garden >= kFirstRandomGarden) return 0;
  if (garden >= 2) return kTiles[static_cast<size_t>(garden - 2)];
  return image::kTileDefault;
}

int32_t randomTile(int32_t draw) {
  static constexpr std::array<int32_t, 8> kTiles = {167, 210, 211, 213, 214, 216, 217, 167};
  return kTiles[static_cast<size_t>(draw & 7)];
}

int32_t gardenDroidCount(int32_t garden) {
  if (garden <= 0) return 0;
  return garden > kMaxDroids / 5 ? kMaxDroids : 5 * garden;
}

void buildGarden(GameState& state, CArenaCanvas& canvas) {
  removeSprites(state, state.treasures);
  state.random.seed(static_cast<uint32_t>(state.garden));
  GardenBuilder builder(state, canvas);
  builder.paintBorder();
  state.walls.removeAll();
  for (int32_t y = kLineFirst; y <= kLineLast; y += kLineSpacing) {
    builder.layLine(Axis::Horizontal, y);
  }
  for (int32_t x = kLineFirst; x <= kLineLast; x += kLineSpacing) {
    builder.layLine(Axis::Vertical, x);
  }
  removeSprites(state, state.shots);
  for (size_t i = 0; i < state.droids.count(); ++i) {
    state.sprites.remove(&state.droids.at(i).sprite());
  }
  state.droids.removeAll();
  const int32_t count = gardenDroidCount(state.garden);
  for (int32_t i = 0; i < count; ++i) createDroid(state);
}

}  // namespace arena
