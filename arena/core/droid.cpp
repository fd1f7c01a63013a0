#include "arena/core/droid.h"

#include <array>

#include "arena/core/arena_canvas.h"
#include "arena/core/game_state.h"

namespace arena {
namespace {

constexpr uint32_t kDroidFlags = sprite_flag::kDirty | sprite_flag::kMasked | sprite_flag::kWorld;

// Headings chosen at creation and when re-heading, indexed by draw & 7. The
// two tables differ in entries 2 to 5; gardens depend on both as they are.
constexpr std::array kCreationHeadings = {
    Heading::Up,      Heading::Down,      Heading::Right,  Heading::Left,
    Heading::UpRight, Heading::DownRight, Heading::UpLeft, Heading::DownLeft,
};
constexpr std::array kNewHeadings = {
    Heading::Up,        Heading::Down,    Heading::Left,   Heading::Right,
    Heading::DownRight, Heading::UpRight, Heading::UpLeft, Heading::DownLeft,
};

Rect visibleArea(const GameState& state) {
  const Point s = state.scroll();
  return Rect::fromSize(s.x, s.y, state.clientSize.cx, state.clientSize.cy);
}

bool touchesEdge(const CSprite& sprite) {
  const Rect& r = sprite.rect();
  return r.left <= kPlayMin || r.top <= kPlayMin || r.right >= kPlayMax || r.bottom >= kPlayMax;
}

}  // namespace

CDroid::CDroid(Heading heading, int32_t phase, int32_t speed)
    : m_sprite(droidFrame(heading, 1 - phase), kDroidFlags, kSpawnX, kSpawnY),
      m_speed(speed),
      m_phase(phase),
      m_heading(heading) {}

void CDroid::destroy() {
  m_destroyed = true;
  m_wreckTicksLeft = kWreckTicks;
  m_sprite.setImage(droidDestroyedImage(m_sprite.imageId()));
}

CDroid& createDroid(GameState& state) {
  const int32_t phase = state.random.draw() & 1;
  const Heading heading = kCreationHeadings[static_cast<size_t>(state.random.draw() & 7)];
  const int32_t speed = 30 + ((state.random.draw() & 1) != 0 ? 5 : 0);
  auto droid = std::make_unique<CDroid>(heading, phase, speed);
  CDroid& ref = *droid;
  state.sprites.append(&ref.sprite());
  state.droids.append(std::move(droid));
  return ref;
}

void reheadDroid(GameState& state, CDroid& droid) {
  droid.setHeading(kNewHeadings[static_cast<size_t>(state.random.draw() & 7)]);
}

void stepDroid(GameState& state, CDroid& droid, int32_t distance) {
  CSprite& sprite = droid.sprite();
  const Point before{sprite.left(), sprite.top()};
  int32_t x = sprite.left();
  int32_t y = sprite.top();
  const int32_t w = sprite.width();
  const int32_t h = sprite.height();
  const int32_t dx = headingDx(droid.heading());
  const int32_t dy = headingDy(droid.heading());
  if (dx > 0) x = (x + w + distance >= kPlayMax) ? kPlayMax - w : x + distance;
  if (dx < 0) x = (x - distance <= kPlayMin) ? kPlayMin : x - distance;
  if (dy > 0) y = (y + h + distance >= kPlayMax) ? kPlayMax - h : y + distance;
  if (dy < 0) y = (y - distance <= kPlayMin) ? kPlayMin : y - distance;
  sprite.placeAt(x, y);
  if (state.walls.findOverlapping(sprite.rect())) {
    sprite.placeAt(before.x, before.y);
    reheadDroid(state, droid);
  }
}

void moveDroid(GameState& state, CDroid& droid) {
  const Rect visible = visibleArea(state);
  const Point scroll = state.scroll();
  CSprite& sprite = droid.sprite();
  if (sprite.rect().overlaps(visible)) {
    state.joinDirty(sprite.clientRect(scroll));
    const int32_t frame = droidFrame(droid.heading(), droid.phase());
    // A destroyed droid keeps looking destroyed while keys still move it.
    sprite.setImage(droid.destroyed() ? droidDestroyedImage(frame) : frame);
    stepDroid(state, droid, droid.speed());
    droid.setPhase(1 - droid.phase());
  } else if (droid.phase() == 1) {
    stepDroid(state, droid, 2 * droid.speed());
    droid.setPhase(0);
  } else {
    droid.setPhase(1);
  }
  if (sprite.rect().overlaps(visible)) state.joinDirty(sprite.clientRect(scroll));
  if (touchesEdge(sprite)) reheadDroid(state, droid);
}

}  // namespace arena
