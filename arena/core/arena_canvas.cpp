#include "arena/core/arena_canvas.h"

#include "arena/core/game_state.h"
#include "arena/core/garden_builder.h"
#include "arena/core/images.h"
#include "arena/core/sprite_list.h"

namespace arena {

CArenaCanvas::CArenaCanvas(GameState& state) : m_backBuffer(state.clientSize) {
  buildGarden(state, *this);
}

Size CArenaCanvas::worldSize() {
  return {kWorldSize, kWorldSize};
}

std::vector<Point> CArenaCanvas::backgroundPlacements() {
  const Size pattern = imageSize(image::kBackground).value_or(Size{kWorldSize, kWorldSize});
  std::vector<Point> out;
  for (int32_t y = 0; y < kWorldSize; y += pattern.cy) {
    for (int32_t x = 0; x < kWorldSize; x += pattern.cx) out.push_back({x, y});
  }
  return out;
}

RenderPass CArenaCanvas::render(Rect area, CDrawList& sprites) const {
  const Point offset = scroll();
  for (CSprite* sprite : sprites) {
    const Rect client = sprite->clientRect(offset);
    if (client.overlaps(area)) {
      area = area.united(client);
      sprite->markFlag(sprite_flag::kDirty);
    } else {
      sprite->clearFlag(sprite_flag::kDirty);
    }
  }
  RenderPass pass{area, {}};
  for (CSprite* sprite : sprites) {
    if (!sprite->testFlag(sprite_flag::kDirty)) continue;
    if (sprite->hasImage()) pass.sprites.push_back({sprite->imageId(), sprite->clientRect(offset)});
    sprite->clearFlag(sprite_flag::kDirty);
  }
  return pass;
}

}  // namespace arena
