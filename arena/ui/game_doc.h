// The document: it owns the one game state of the process and the game that
// plays on it, both created with the document and freed with it (the game
// first, since it works on the state). The view borrows the game and
// attaches itself as its screen. The document stores nothing in files.
#pragma once

#include <memory>

#include "arena/core/arena_game.h"
#include "arena/core/game_state.h"

namespace arena::ui {

class CGameDoc {
 public:
  CGameDoc()
      : m_state(std::make_unique<GameState>()), m_game(std::make_unique<ArenaGame>(*m_state)) {}
  GameState& state() { return *m_state; }
  const GameState& state() const { return *m_state; }
  ArenaGame& game() { return *m_game; }
  const ArenaGame& game() const { return *m_game; }

 private:
  std::unique_ptr<GameState> m_state;
  std::unique_ptr<ArenaGame> m_game;
};

}  // namespace arena::ui
