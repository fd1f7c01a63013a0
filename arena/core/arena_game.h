// The game's rules and loop: what the game view does on each timer tick, key,
// mouse button, resize, activation change, paint and end-of-garden notice.
//
// It owns the hero and drives the game state: garden starts, hero moves and
// firing, shots, droids, power-ups, the shield and the fire ring, scores,
// lives and pausing. Painting goes to an `ArenaScreen` that the window
// implements (tests fake it): each paint hands over the dirty area, the
// sprites to draw, the shield square and the fire ring's band and, while
// paused, the overlays; the game-over banner is drawn straight on the window
// over the last paint, and the next paint covers it.
// Time is the caller's: one call of `timer()` is one 100 ms tick.
//
// The game uses at most the garden's size of the window on each axis
// (`viewSize`); a larger window shows the game centred and fills the rest.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "arena/core/arena_canvas.h"
#include "arena/core/game_state.h"
#include "arena/core/images.h"
#include "arena/core/overlay_layout.h"
#include "arena/core/sprite.h"

namespace arena {

// One paint: the background comes from the garden picture at the area moved
// by the scroll offset, then the sprites, the glows (within the area) and,
// while paused, the overlays.
struct Frame {
  RenderPass pass;
  Point scroll;
  std::vector<OverlayBlit> overlays;  // drawn over the pass while paused
  // Client rectangles: the shield square around the hero, and the fire
  // ring's band, every outline from the cell it started as to the ring.
  std::optional<Rect> shield;
  std::optional<Rect> fireRing;
  std::optional<Rect> fireRingStart;
};

// The two glows: each outline takes its colour from the glow picture's row
// (shield 0, fire ring 1) by half its width, so a growing square or ring
// steps through the colours one per tick.
enum class Glow { Shield, FireRing };

class ArenaScreen {
 public:
  virtual ~ArenaScreen() = default;
  // Paint now: copy the frame's area from the garden and draw its sprites and
  // overlays.
  virtual void present(const Frame& frame) = 0;
  // Blit one picture cell, masked, onto the window outside any paint.
  virtual void drawOverlay(const OverlayBlit& blit) = 0;
  virtual void openHelp() = 0;
};

class ArenaGame {
 public:
  static constexpr int32_t kTimerId = 1;
  static constexpr int32_t kTimerPeriodMs = 100;
  static constexpr int32_t kFireRingLimit = 600;

  explicit ArenaGame(GameState& state, ArenaScreen* screen = nullptr);
  // The window that shows the game, or none (nothing is drawn meanwhile).
  void setScreen(ArenaScreen* screen) { m_screen = screen; }
  ~ArenaGame();
  ArenaGame(const ArenaGame&) = delete;
  ArenaGame& operator=(const ArenaGame&) = delete;

  // The part of a client area the game plays in: the client size capped at
  // the garden's size on each axis (never negative).
  static Size viewSize(Size client);

  // Framework events of the view.
  void initialUpdate();
  // Takes the new client size (capped by `viewSize`) and restarts the garden.
  void resize(Size client);
  void activate(bool active);
  void keyDown(int32_t virtualKey);
  void mouseButton();
  // One timer tick, followed by the end-of-garden notice it posted, if any.
  void timer();
  void paint();

  // The two halves of `timer()`, for callers that deliver notices themselves.
  void tick();
  void deliverPosted();

  GameState& state() { return m_state; }
  const GameState& state() const { return m_state; }
  const CSprite* hero() const { return m_hero.get(); }
  CSprite* hero() { return m_hero.get(); }
  int32_t timerId() const { return m_timerId; }
  // The shield square around the hero while the shield is on.
  std::optional<Rect> shieldRect() const;
  // The fire ring in client coordinates while it burns.
  std::optional<Rect> fireRingClientRect() const;

  // Pieces of the game, public so that a rule can be exercised on its own.
  void startGarden();
  void fire();
  // Moves a shot one step; false when it left play (the caller removes it).
  // On a tick a shot stopping at a power-up cell takes the power-up.
  bool moveShot(CSprite& shot, bool onTick);
  void takePowerUp(CSprite& powerUp);
  void endOfGarden(EndOfGarden event);

 private:
  void repaintAll();
  void moveShots(bool onTick);
  void removeShot(CSprite* shot);
  void droidPass();
  bool hitDroid(CDroid& droid);
  void hitHero();
  void bannerStep();
  void shieldStep();
  void fireRingStep();
  void moveHeroByKey(Heading heading);
  void runningKey(int32_t virtualKey);
  void setScroll(Point scroll);

  GameState& m_state;
  ArenaScreen* m_screen;
  std::unique_ptr<CSprite> m_hero;
  int32_t m_timerId = 0;
  bool m_droidDestroyed = false;
  bool m_heroHit = false;
};

}  // namespace arena
