// The game's one random generator: a 32-bit linear congruential generator.
//
// Every random choice of the game (garden layout, droid headings, shot
// colours) comes from the single instance held by the game state, so a game
// replays exactly from its garden number and its key and tick sequence.
// Each draw steps state = state * 214013 + 2531011 (mod 2^32) and returns
// bits 16..30, 0..32767; seeded with 1 the first draws are 41, 18467, 6334.
// It is not meant for anything but the game.
#pragma once

#include <cstdint>

namespace arena {

class GameRandom {
 public:
  void seed(uint32_t value) { m_state = value; }
  int32_t draw() {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int32_t>((m_state >> 16) & 0x7fffu);
  }
  uint32_t state() const { return m_state; }

 private:
  uint32_t m_state = 1;
};

}  // namespace arena
