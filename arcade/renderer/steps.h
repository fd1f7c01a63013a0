// Per-row and per-cell steps of scan conversion: (end - start) / count, by a
// shift when the count is a power of two no larger than `largestShifted`
// (edges shift for 2..16 rows, spans for 2..32 cells), and advancing a value
// by a number of steps. Differences are formed in 64 bits so clamped screen
// positions and depths cannot overflow.
#pragma once

#include <bit>
#include <cstdint>

namespace arcade {

inline std::int32_t stepBetween(std::int32_t start, std::int32_t end, int count,
                                int largestShifted) {
  const std::int64_t d = std::int64_t{end} - start;
  if (count > 1 && count <= largestShifted && std::has_single_bit(static_cast<unsigned>(count))) {
    return static_cast<std::int32_t>(d >> std::countr_zero(static_cast<unsigned>(count)));
  }
  return static_cast<std::int32_t>(d / count);
}

inline std::int32_t advanceBy(std::int32_t value, std::int32_t step, int count) {
  return static_cast<std::int32_t>(value + std::int64_t{step} * count);
}

}  // namespace arcade
