// The one state of a running arena game, shared by every part of the game.
//
// It holds the garden (walls, power-ups, droids), the hero's shots, the draw
// list, the area to repaint, the client size, the rules' counters (garden,
// lives, score), the pause and sound switches, the fire ring, the game's one
// random generator, the sounds waiting to be played and the end-of-garden
// notices waiting to be handled. Coordinates: droids, power-ups, walls and the
// fire ring are world coordinates; the hero and the shots are client
// coordinates. The palette and all pixels live in the window, not here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "arena/core/droid.h"
#include "arena/core/game_random.h"
#include "arena/core/geometry.h"
#include "arena/core/sprite_list.h"

namespace arena {

class CArenaCanvas;

inline constexpr int32_t kWorldSize = 1900;
inline constexpr int32_t kCellSize = 100;
inline constexpr int32_t kPlayMin = 100;
inline constexpr int32_t kPlayMax = 1800;
inline constexpr int32_t kStartLives = 5;
inline constexpr int32_t kPointsGarden = 1000;
inline constexpr int32_t kPointsDroid = 100;
inline constexpr int32_t kPointsPowerUp = 50;
inline constexpr int32_t kStep = 30;

enum class EndOfGarden { HeroHit = 0, Cleared = 1 };

// Ticks the hero's hit picture stays on screen, with its sound, before the
// loss is handled (about a second), ticks a destroyed droid's wreck stays
// visible (about half a second), and ticks a banner shows in place of the
// title after a garden's end (two and a half seconds).
inline constexpr int32_t kHitPictureTicks = 10;
inline constexpr int32_t kWreckTicks = 5;
inline constexpr int32_t kBannerTicks = 25;

// The picture that tells the player what just happened, shown over the
// paused garden in place of the title until its time is up or Enter starts
// play again.
enum class BannerKind { None, LifeLost, GardenCleared };
struct Banner {
  BannerKind kind = BannerKind::None;
  int32_t ticksLeft = 0;
  int32_t bonus = 0;  // points the cleared garden brought
  bool active() const { return kind != BannerKind::None; }
};

// What the status bar's three number panes show. Each pane is written only
// at the moments the game writes it (a garden start writes score and lives,
// a tick score and droids, a resize the droids), so after the last life the
// score pane keeps the final score until play resumes. Empty until written.
struct StatusPanes {
  std::optional<int32_t> lives;
  std::optional<int32_t> droids;
  std::optional<int32_t> score;
};

struct GameState {
  GameState();
  ~GameState();
  GameState(const GameState&) = delete;
  GameState& operator=(const GameState&) = delete;

  // The canvas's scroll offset, (0, 0) while there is no canvas.
  Point scroll() const;
  Rect clientRect() const { return {0, 0, clientSize.cx, clientSize.cy}; }
  // Queues a sound for the window while sound is on.
  void playSound(std::string_view fileName);
  void joinDirty(const Rect& rect) { dirtyRect = dirtyRect.united(rect); }
  void post(EndOfGarden event) { posted.push_back(event); }

  std::unique_ptr<CArenaCanvas> canvas;
  CDroidList droids;
  Rect dirtyRect;
  CDrawList sprites;
  CSpriteList shots;
  CSpriteList treasures;
  Size clientSize;
  int32_t garden = 1;
  int32_t lives = kStartLives;
  CWallList walls;
  std::optional<Rect> fireRing;
  int32_t score = 0;
  bool paused = true;
  bool soundOn = true;
  // Ticks left of the hero's hit picture; the world stands still meanwhile.
  int32_t hitPictureTicks = 0;
  Banner banner;

  GameRandom random;
  std::vector<std::string> sounds;
  std::vector<EndOfGarden> posted;
  StatusPanes status;
  // Counts garden starts, so that the window knows when to repaint its garden
  // picture from a new canvas.
  uint32_t gardenStarts = 0;
};

}  // namespace arena
