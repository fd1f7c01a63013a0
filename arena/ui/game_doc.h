// The document: it owns the one game state of the process, created with the
// document and freed with it. It stores nothing in files.
#pragma once

#include <memory>

#include "arena/core/game_state.h"

namespace arena::ui {

class CGameDoc {
 public:
  CGameDoc() : m_state(std::make_unique<GameState>()) {}
  GameState& state() { return *m_state; }
  const GameState& state() const { return *m_state; }

 private:
  std::unique_ptr<GameState> m_state;
};

}  // namespace arena::ui
