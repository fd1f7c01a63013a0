// CRandom: the world's one seeded random generator, a 32-bit linear
// congruential generator giving 15-bit values (0..32767). Every random choice
// of a level (bounce signs, pushes, Morphoid wandering, layout jitter) draws
// from the world's instance in a fixed order, so a seed and an input script
// replay the same level on every machine. Morphoid vertex drift, which
// happens while drawing, uses generators of its own seeded from this one, so
// drawing or not drawing a frame never changes the game.
#pragma once

#include <cstdint>

namespace arcade {

class CRandom {
 public:
  explicit CRandom(std::uint32_t seed = 1) : m_state(seed) {}

  int Next() {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
  }
  int Byte() { return Next() & 0xFF; }
  std::uint32_t State() const { return m_state; }

 private:
  std::uint32_t m_state;
};

}  // namespace arcade
