#include "arena/core/game_state.h"

#include "arena/core/arena_canvas.h"

namespace arena {
namespace {
// Sounds wait here until the window plays them; a window that never drains
// the queue (a headless run) must not make it grow without end.
constexpr size_t kMaxQueuedSounds = 64;
}  // namespace

GameState::GameState() = default;

GameState::~GameState() {
  // The draw list borrows from the other lists; empty it first so that no
  // freed sprite is ever reachable through it.
  sprites.removeAll();
}

Point GameState::scroll() const {
  return canvas ? canvas->scroll() : Point{};
}

void GameState::playSound(std::string_view fileName) {
  if (!soundOn) return;
  if (sounds.size() >= kMaxQueuedSounds) sounds.erase(sounds.begin());
  sounds.emplace_back(fileName);
}

}  // namespace arena
