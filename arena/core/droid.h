// Droids: the robots that wander a garden, and the ordered list that owns them.
//
// A droid is a world-coordinate sprite with a speed, an animation phase (which
// also halves the work of droids outside the window), a heading stored as the
// code of the key that moves the hero that way, and a destroyed mark. Creating
// a droid takes three draws from the game's generator; moving takes one more
// whenever the droid needs a new heading. Hit tests against shots, the fire
// ring and the hero belong to the game tick, not here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "arena/core/images.h"
#include "arena/core/sprite.h"

namespace arena {

struct GameState;

class CDroid {
 public:
  static constexpr int32_t kKind = 103;
  static constexpr int32_t kSpawnX = 1790;
  static constexpr int32_t kSpawnY = 1790;

  CDroid(Heading heading, int32_t phase, int32_t speed);

  CSprite& sprite() { return m_sprite; }
  const CSprite& sprite() const { return m_sprite; }
  int32_t kind() const { return kKind; }
  int32_t speed() const { return m_speed; }
  int32_t phase() const { return m_phase; }
  void setPhase(int32_t phase) { m_phase = phase; }
  Heading heading() const { return m_heading; }
  void setHeading(Heading heading) { m_heading = heading; }
  bool destroyed() const { return m_destroyed; }
  // Marks the droid destroyed and shows the destroyed picture of its frame
  // for `kWreckTicks` ticks.
  void destroy();
  // One tick of the wreck's time on screen; true when it is over and the
  // wreck is to be removed.
  bool wreckTimeOver() { return --m_wreckTicksLeft <= 0; }

 private:
  CSprite m_sprite;
  int32_t m_speed;
  int32_t m_phase;
  Heading m_heading;
  bool m_destroyed = false;
  int32_t m_wreckTicksLeft = 0;
};

class CDroidList {
 public:
  void append(std::unique_ptr<CDroid> droid) { m_items.push_back(std::move(droid)); }
  void removeAt(size_t index) { m_items.erase(m_items.begin() + static_cast<ptrdiff_t>(index)); }
  void removeAll() { m_items.clear(); }
  size_t count() const { return m_items.size(); }
  bool isEmpty() const { return m_items.empty(); }
  CDroid& at(size_t index) { return *m_items[index]; }
  const CDroid& at(size_t index) const { return *m_items[index]; }

 private:
  std::vector<std::unique_ptr<CDroid>> m_items;
};

// Creates one droid at the spawn point with three draws (phase, heading,
// speed) and appends it to the draw list and the droid list.
CDroid& createDroid(GameState& state);
// One move of a droid, as on a tick. Visible droids
// animate and step every call; droids outside the window step twice as far
// every second call. Droids touching the playing area's edge re-head.
void moveDroid(GameState& state, CDroid& droid);
// One step of the given length with the per-axis limits; a step into a wall
// is taken back and the droid re-heads.
void stepDroid(GameState& state, CDroid& droid, int32_t distance);
// One draw picks a new heading.
void reheadDroid(GameState& state, CDroid& droid);

}  // namespace arena
