// Scripted games played key by key and tick by tick. One test plays a script
// twice and compares every step; the other pins a long script to stored
// hashes of everything the game did, so that any change of behaviour shows,
// not only a difference between two runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "arena/core/arena_game.h"
#include "arena_test_support.h"

namespace arena {
namespace {

using test::Session;
using test::snapshot;

struct Event {
  enum class Kind { Tick, Key, Mouse, Resize, Activate } kind;
  int32_t value = 0;  // key code, or activation flag
  Size size;          // resize only
};

// The script's own generator, so that the script is the same everywhere.
class ScriptRandom {
 public:
  explicit ScriptRandom(uint32_t seed) : m_state(seed) {}
  uint32_t next(uint32_t bound) {
    m_state = m_state * 1664525u + 1013904223u;
    return (m_state >> 8) % bound;
  }

 private:
  uint32_t m_state;
};

// Mostly ticks and running keys with many shots, the walk leaning toward the
// droids' corner; Enter now and then (a paused game waits for it), a few
// mouse shots, pauses and help, window sizes from small to larger than the
// garden, and the window losing and regaining focus.
std::vector<Event> makeScript(uint32_t seed, int count) {
  constexpr std::array keys = {key::kPrior, key::kNext, key::kNext,  key::kNext,  key::kEnd,
                               key::kHome,  key::kLeft, key::kUp,    key::kRight, key::kRight,
                               key::kDown,  key::kDown, key::kSpace, key::kSpace, key::kSpace,
                               key::kSpace, key::kF2,   0x41};
  constexpr std::array sizes = {Size{800, 600}, Size{2400, 2000}, Size{640, 480}, Size{300, 250},
                                Size{1024, 768}};
  ScriptRandom random(seed);
  std::vector<Event> script;
  for (int i = 0; i < count; ++i) {
    const uint32_t pick = random.next(1000);
    if (i % 100 == 0 || pick < 10) {
      script.push_back({Event::Kind::Key, key::kReturn, {}});
    } else if (i % 1500 == 730) {
      script.push_back(
          {Event::Kind::Resize, 0, sizes[static_cast<size_t>(i / 1500) % sizes.size()]});
    } else if (i % 900 == 450) {
      script.push_back({Event::Kind::Activate, 0, {}});
      script.push_back({Event::Kind::Activate, 1, {}});
    } else if (pick < 13) {
      script.push_back({Event::Kind::Key, pick < 12 ? key::kEscape : key::kF1, {}});
    } else if (pick < 40) {
      script.push_back({Event::Kind::Mouse, 0, {}});
    } else if (pick < 600) {
      script.push_back({Event::Kind::Tick, 0, {}});
    } else {
      script.push_back({Event::Kind::Key, keys[random.next(keys.size())], {}});
    }
  }
  return script;
}

void play(Session& s, const Event& e) {
  switch (e.kind) {
    case Event::Kind::Tick:
      s.game.timer();
      break;
    case Event::Kind::Key:
      s.game.keyDown(e.value);
      break;
    case Event::Kind::Mouse:
      s.game.mouseButton();
      break;
    case Event::Kind::Resize:
      s.game.resize(e.size);
      break;
    case Event::Kind::Activate:
      s.game.activate(e.value != 0);
      break;
  }
}

// 64-bit FNV-1a over integers (as four little-endian bytes) and text.
class ReplayHash {
 public:
  void add(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) addByte(static_cast<uint8_t>(u >> shift));
  }
  void add(const Rect& r) {
    for (int32_t v : {r.left, r.top, r.right, r.bottom}) add(v);
  }
  void add(std::string_view text) {
    add(static_cast<int32_t>(text.size()));
    for (char c : text) addByte(static_cast<uint8_t>(c));
  }
  uint64_t value() const { return m_value; }

 private:
  void addByte(uint8_t b) {
    m_value ^= b;
    m_value *= 0x100000001b3u;
  }
  uint64_t m_value = 0xcbf29ce484222325u;
};

// What the window was asked to draw: every paint (area, scroll offset,
// sprites, glows, overlays) and window blit, and help requests.
void addScreen(ReplayHash& hash, const test::RecordingScreen& screen) {
  for (const Frame& f : screen.frames) {
    hash.add(f.pass.area);
    hash.add(f.scroll.x);
    hash.add(f.scroll.y);
    for (const SpriteDraw& d : f.pass.sprites) {
      hash.add(d.imageId);
      hash.add(d.clientRect);
    }
    for (const std::optional<Rect>& glow : {f.shield, f.fireRing, f.fireRingStart}) {
      hash.add(glow ? *glow : Rect{-1, -1, -1, -1});
    }
    for (const OverlayBlit& o : f.overlays) {
      hash.add(o.imageId);
      hash.add(o.source);
      hash.add(o.dest.x);
      hash.add(o.dest.y);
    }
  }
  for (const auto& w : screen.windowBlits) {
    hash.add(w.blit.imageId);
    hash.add(w.blit.dest.x);
    hash.add(w.blit.dest.y);
  }
  hash.add(screen.helpOpened);
}

// The garden picture: every tile painted into it, in painting order.
void addGardenPicture(ReplayHash& hash, const GameState& state) {
  if (!state.canvas) return;
  for (const TilePaint& t : state.canvas->tiles()) {
    hash.add(t.imageId);
    hash.add(t.x);
    hash.add(t.y);
  }
}

// What the replay went through, so the stored hashes are known to cover real
// play and not a game paused all along.
struct Coverage {
  int livesLost = 0;
  int gamesOver = 0;
  int droidHits = 0;
  int powerUps = 0;
  int resizes = 0;
  int32_t highestGarden = 1;

  void count(const GameState& state) {
    for (const std::string& s : state.sounds) {
      if (s == "LOSLEVEL.WAV") ++livesLost;
      if (s == "GAMEOVER.WAV") ++gamesOver;
      if (s == "DROIDHIT.WAV") ++droidHits;
      if (s == "SHIELD.WAV" || s == "DUBGUN.WAV" || s == "FIRE.WAV") ++powerUps;
    }
    highestGarden = std::max(highestGarden, state.garden);
  }
};

TEST(ArenaGameReplay, AScriptedGameReplaysExactly) {
  const std::vector<Event> script = makeScript(7, 4000);
  Session first(1);
  Session second(1);
  for (size_t i = 0; i < script.size(); ++i) {
    play(first, script[i]);
    play(second, script[i]);
    ASSERT_EQ(snapshot(first.game), snapshot(second.game)) << "after event " << i;
  }
  EXPECT_EQ(first.screen.frames.size(), second.screen.frames.size());
}

// The long script of the stored hashes: its events, checkpoint hashes and
// what it went through.
struct Replay {
  std::vector<uint64_t> checkpoints;
  Coverage coverage;
};

constexpr int kEventsPerCheckpoint = 1500;

Replay replayScript(uint32_t seed, int checkpoints) {
  const std::vector<Event> script = makeScript(seed, kEventsPerCheckpoint * checkpoints);
  Session s(1);
  ReplayHash hash;
  Replay out;
  for (size_t i = 0; i < script.size(); ++i) {
    const GameState& st = s.state;
    play(s, script[i]);
    hash.add(snapshot(s.game));
    addScreen(hash, s.screen);
    addGardenPicture(hash, st);
    out.coverage.count(st);
    if (script[i].kind == Event::Kind::Resize) ++out.coverage.resizes;
    // The window plays the queued sounds and keeps no record of its paints.
    s.state.sounds.clear();
    s.screen = {};
    if ((i + 1) % kEventsPerCheckpoint == 0) out.checkpoints.push_back(hash.value());
  }
  return out;
}

// A change to any rule, table, order of draws or paint shows here. When a
// change of behaviour is meant, check the new play and store the printed
// hashes; the checkpoints tell how early the play first differs. The script's
// seed is one whose play clears a garden, loses lives and ends games now
// that only the timer moves the world (the hit picture, wrecks and banners
// take their ticks too).
TEST(ArenaGameReplay, AScriptedGameMatchesItsStoredHashes) {
  constexpr std::array<uint64_t, 6> kGolden = {
      0xb4607615712e8468u, 0x176ff2182f764e49u, 0x2fa8bbb0ee0f0a5bu,
      0x4cb985f03d2e08c8u, 0xae8b200f0935fb70u, 0xc7bd19aa4321e8c9u,
  };
  const Replay replay = replayScript(7, static_cast<int>(kGolden.size()));
  const std::vector<uint64_t>& checkpoints = replay.checkpoints;
  const Coverage& coverage = replay.coverage;
  ASSERT_EQ(checkpoints.size(), kGolden.size());
  std::string printed;
  for (uint64_t c : checkpoints) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%016llxu, ", static_cast<unsigned long long>(c));
    printed += text;
  }
  for (size_t i = 0; i < kGolden.size(); ++i) {
    EXPECT_EQ(checkpoints[i], kGolden[i])
        << "first difference by event " << (i + 1) * kEventsPerCheckpoint << "; actual hashes "
        << printed;
    if (checkpoints[i] != kGolden[i]) break;
  }
  EXPECT_GE(coverage.droidHits, 1);
  EXPECT_GE(coverage.livesLost, 1);
  EXPECT_GE(coverage.gamesOver, 1);
  EXPECT_GE(coverage.powerUps, 1);
  EXPECT_GE(coverage.resizes, 1);
  EXPECT_GE(coverage.highestGarden, 2);  // a garden was cleared
}

}  // namespace
}  // namespace arena
