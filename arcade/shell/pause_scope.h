// PauseScope: holds the game paused while a modal dialog or prompt is up.
// Construction raises the session's pause flag and remembers its former
// value; the end of the scope puts that value back, on every way out of the
// scope, so a dialog never leaves a running game paused nor a paused one
// running. Scopes nest: each restores what it found.
//
// It does not flush keys or repaint; the caller does what its command needs.
#pragma once

#include <cstdint>

#include "arcade/shell/game_session.h"

namespace arcade {

class PauseScope {
 public:
  explicit PauseScope(CGameSession& session) : m_session(session), m_saved(session.RaisePause()) {}
  ~PauseScope() { m_session.RestorePause(m_saved); }
  PauseScope(const PauseScope&) = delete;
  PauseScope& operator=(const PauseScope&) = delete;

 private:
  CGameSession& m_session;
  std::int32_t m_saved;
};

}  // namespace arcade
