// Helpers shared by the arena tests: a screen that records what the game
// paints, a running game on a chosen garden, and a full-state text snapshot
// for comparing replays.
#pragma once

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "arena/core/arena_game.h"
#include "arena/core/keys.h"

namespace arena {

// Printers for failure messages (found by argument-dependent lookup).
inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
}
inline std::ostream& operator<<(std::ostream& out, const Point& p) {
  return out << '(' << p.x << ',' << p.y << ')';
}
inline std::ostream& operator<<(std::ostream& out, const Size& s) {
  return out << s.cx << 'x' << s.cy;
}

}  // namespace arena

namespace arena::test {

class RecordingScreen : public ArenaScreen {
 public:
  // A picture drawn on the window outside a paint, and how many paints came
  // before it.
  struct WindowBlit {
    OverlayBlit blit;
    size_t framesBefore;
  };

  void present(const Frame& frame) override { frames.push_back(frame); }
  void drawOverlay(const OverlayBlit& blit) override {
    windowBlits.push_back({blit, frames.size()});
  }
  void openHelp() override { ++helpOpened; }

  std::vector<Frame> frames;
  std::vector<WindowBlit> windowBlits;
  int helpOpened = 0;
};

struct Session {
  explicit Session(int32_t garden = 1, Size client = {800, 600}) : game(state, &screen) {
    state.garden = garden;
    game.resize(client);
    game.initialUpdate();
  }
  void start() { game.keyDown(key::kReturn); }
  CSprite& hero() { return *game.hero(); }

  GameState state;
  RecordingScreen screen;
  ArenaGame game;
};

// Takes every droid out of the garden (the scene then has no droid to move
// or to touch the hero).
inline void removeDroids(GameState& state) {
  while (!state.droids.isEmpty()) {
    state.sprites.remove(&state.droids.at(0).sprite());
    state.droids.removeAt(0);
  }
}

// Ticks through a hit: the hit picture's time, then the tick that handles the
// loss.
inline void sitOutTheHit(ArenaGame& game) {
  for (int i = 0; i < kHitPictureTicks; ++i) game.timer();
}

inline bool played(const GameState& state, std::string_view sound) {
  return std::find(state.sounds.begin(), state.sounds.end(), sound) != state.sounds.end();
}

inline void writeSprite(std::ostream& out, const CSprite& s) {
  out << s.imageId() << '@' << s.rect() << " h" << s.heading() << " f" << s.flags() << " s"
      << s.shield() << " d" << s.doubleShots();
}

// Everything a replay must reproduce, as text (a mismatch prints readably).
inline std::string snapshot(const ArenaGame& game) {
  const GameState& st = game.state();
  std::ostringstream out;
  out << "garden " << st.garden << " lives " << st.lives << " score " << st.score << " paused "
      << st.paused << " sound " << st.soundOn << " rng " << st.random.state() << " scroll "
      << st.scroll().x << ',' << st.scroll().y << " dirty " << st.dirtyRect << '\n';
  out << "hero ";
  writeSprite(out, *game.hero());
  out << "\nring " << (st.fireRing ? *st.fireRing : Rect{}) << '\n';
  for (size_t i = 0; i < st.droids.count(); ++i) {
    const CDroid& d = st.droids.at(i);
    out << "droid " << static_cast<int>(d.heading()) << ' ' << d.phase() << ' ' << d.speed() << ' '
        << d.destroyed() << ' ';
    writeSprite(out, d.sprite());
    out << '\n';
  }
  for (const CSprite* s : st.shots) {
    out << "shot ";
    writeSprite(out, *s);
    out << '\n';
  }
  for (const CSprite* s : st.treasures) {
    out << "power-up ";
    writeSprite(out, *s);
    out << '\n';
  }
  for (const Rect& w : st.walls) out << "wall " << w << '\n';
  for (const CSprite* s : st.sprites) out << "draw " << s->imageId() << s->rect() << '\n';
  for (const std::string& s : st.sounds) out << "sound " << s << '\n';
  return out.str();
}

}  // namespace arena::test
