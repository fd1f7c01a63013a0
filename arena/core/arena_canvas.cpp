#include "arena/core/arena_canvas.h"

#include "arena/core/game_state.h"
#include "arena/core/garden_builder.h"
#include "arena/core/sprite_list.h"

namespace arena {

CArenaCanvas::CArenaCanvas(GameState& state) : m_backBuffer(state.clientSize) {
  buildGarden(state, *this);
}

Size CArenaCanvas::worldSize() {
  return {kWorldSize, kWorldSize};
}

RenderPass CArenaCanvas::render(Rect area, CSpriteList& sprites) const {
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
