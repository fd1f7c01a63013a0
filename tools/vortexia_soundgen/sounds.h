// The game's sounds as the generator composes them: each effect as 8-bit
// mono samples at 22,050 Hz (under a second, so it fits the mixer's buffer
// with its delay), the title tune as a seamless loop of 16-bit stereo.
#pragma once

#include <cstdint>
#include <vector>

namespace soundgen {

// Effect resource numbers: 2000..2008 and 167. Empty for any other number.
std::vector<std::uint8_t> effect(int id);
const std::vector<int>& effectIds();

inline constexpr double kMusicSeconds = 24.0;  // 12 bars of 4/4 at 120 beats a minute
// Interleaved left/right signed 16-bit little-endian samples of one turn of
// the loop.
std::vector<std::uint8_t> titleMusic();

}  // namespace soundgen
